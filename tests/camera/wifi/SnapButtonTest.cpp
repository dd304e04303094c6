#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "camera/wifi/SnapButtonController.h"
#include "support/MainQueue.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::camsim;
using namespace std::chrono_literals;

namespace {

struct Button : SnapButtonListener {
    std::vector<std::string> looks;
    int snapshots = 0;
    void showSnapButton(const SnapButtonLook& look) override {
        looks.push_back(std::string(look.image) + " / " + look.toolTip);
    }
    void takeSnapshot() override { ++snapshots; }
};

class SnapButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim = std::make_unique<CamSim>(CamSimOptions{.kind = camsim::CameraKind::Wizard});
        ASSERT_TRUE(sim->start());
        makeController(sim->controlPort());
    }
    // A request that runs out of time switches the poller off. The answers here are scripted:
    // a machine slowed by sanitizers and parallel tests must not add failures of its own, so
    // a request's limit is that of the test's waits.
    void makeController(uint16_t port) {
        controller = std::make_unique<SnapButtonController>(
            RQWebReader::Options{.host = {"127.0.0.1", port, 0},
                                 .postToMain = main.poster(),
                                 .interval = 100ms,
                                 .requestTimeout = 60s},
            counter);
        controller->setListener(&button);
    }
    size_t counterRequests() const {
        size_t n = 0;
        for (const RequestRecord& r : sim->requests()) n += r.path == "/updateNPNvram.cgi";
        return n;
    }
    void TearDown() override {
        controller.reset();
        main.drain();
    }

    test::MainQueue main;
    SnapCounter counter;
    Button button;
    std::unique_ptr<CamSim> sim;
    std::unique_ptr<SnapButtonController> controller;
};

}  // namespace

TEST_F(SnapButtonTest, EachRiseOfTheCounterTakesOneSnapshot) {
    const struct {
        std::vector<const char*> answers;  // switched on at 5; the last answer repeats
        int snapshots;
    } rows[] = {{{"5", "5\r\n", "6", "6", "7"}, 2}, {{"3", "4", "5", "6"}, 1}};
    for (const auto& row : rows) {
        sim->clearRequests();
        std::vector<ScriptedAnswer> answers;
        for (const char* a : row.answers) answers.push_back({200, a});
        sim->scriptAnswers("/updateNPNvram.cgi", answers);
        counter.set(5);
        button.snapshots = 0;
        controller->onSnapshotAction(2);
        EXPECT_TRUE(main.runUntil([&] {
            return counterRequests() > row.answers.size() + 1 && button.snapshots >= row.snapshots;
        }));
        // Still polling: the action below switches it off rather than on again.
        ASSERT_TRUE(controller->bEnableSnap());
        controller->onSnapshotAction(2);
        main.drain();
        EXPECT_EQ(button.snapshots, row.snapshots);
        EXPECT_EQ(counter.value(), row.snapshots + 5);
    }
    EXPECT_EQ(button.looks.back(), "snapoff / Turn snapshot on (wifi camera)");
}

TEST_F(SnapButtonTest, OnlyTheWizardCameraSwitchesAndAStoppedThreadEnds) {
    for (uint8_t mode : {1, 3}) controller->onSnapshotAction(mode);
    EXPECT_TRUE(button.looks.empty());
    EXPECT_FALSE(controller->reader().running());
    // Off and on again at once: the first thread still ends by itself.
    for (int i = 0; i < 3; ++i) controller->onSnapshotAction(2);
    EXPECT_EQ(button.looks.back(), "snapon / Turn snapshot off (wifi camera)");
    EXPECT_TRUE(main.runUntil([&] { return controller->reader().livingThreads() == 1; }));
    controller->onSnapshotAction(2);
    EXPECT_TRUE(main.runUntil([&] { return controller->reader().livingThreads() == 0; }));
}

TEST_F(SnapButtonTest, AFailedRequestSwitchesThePollerOff) {
    // An error page is a failed request, not a counter of 503 or 401.
    for (int status : {503, 401}) {
        sim->scriptAnswers("/updateNPNvram.cgi",
                           {{status, std::to_string(status) + " Service Unavailable"}});
        counter.set(5);
        controller->onSnapshotAction(2);
        EXPECT_TRUE(main.runUntil([&] { return !controller->bEnableSnap(); })) << status;
        EXPECT_EQ(counter.value(), 5);
    }
    const uint16_t silent = sim->controlPort();
    sim.reset();
    makeController(silent);
    controller->onSnapshotAction(2);
    EXPECT_TRUE(main.runUntil([&] { return !controller->bEnableSnap(); }));
    EXPECT_EQ(button.looks.back(), "snapoff / Turn snapshot on (wifi camera)");
    EXPECT_EQ(button.snapshots, 0);
}
