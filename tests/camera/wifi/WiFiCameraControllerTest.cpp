#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "camera/wifi/WiFiCameraController.h"
#include "support/MainQueue.h"
#include "tools/camsim/CamSim.h"
#include "tools/camsim/SettingsPage.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

// The window's WiFi side as a list of events.
struct Recorder : WiFiCameraListener {
    std::vector<std::string> events;
    WiFiLists lists;
    WiFiControls sliders;
    void showAlert(std::string_view text) override {
        events.push_back("alert " + std::string(text));
    }
    void setBusy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
    void cameraConnected(CameraMode kind) override {
        events.push_back("mode " + std::to_string(static_cast<int>(kind)));
    }
    void setFrameSize(FrameSize s) override {
        events.push_back("size " + std::to_string(s.width) + "x" + std::to_string(s.height));
    }
    void startVideoView() override { events.push_back("start"); }
    void stopVideoView() override { events.push_back("stop"); }
    void fillWiFiLists(const WiFiLists& l) override {
        events.push_back("lists");
        lists = l;
    }
    void initSliderControl(bool ranges, const WiFiControls& c) override {
        events.push_back(ranges ? "sliders+ranges" : "sliders");
        sliders = c;
    }
};

class WiFiControlTest : public ::testing::Test {
protected:
    void startCamera(camsim::CameraKind kind, int64_t photoCount = 0) {
        sim = std::make_unique<CamSim>(CamSimOptions{.kind = kind, .photoCount = photoCount});
        ASSERT_TRUE(sim->start());
        makeController(sim->controlPort(), sim->streamPort());
    }
    void makeController(uint16_t controlPort, uint16_t streamPort) {
        controller = std::make_unique<WiFiCameraController>(
            WiFiCameraController::Options{
                .host = {"127.0.0.1", controlPort, streamPort},
                .postToMain = main.poster(),
                .scheduleAfter = [this](auto delay,
                                        auto work) { timers.emplace_back(delay, work); },
                .log =
                    [this](const std::string& line) {
                        std::lock_guard lock(logMutex);
                        if (std::exchange(logFails, false)) throw std::runtime_error("log full");
                        logLines.push_back(line);
                    }},
            counter);
        controller->setListener(&ui);
    }
    void connect() {
        ui.events.clear();
        controller->onWiFiCamAction();
        ASSERT_TRUE(main.runUntil([&] { return !controller->connecting(); }));
    }
    // The targets of the requests to path, once there are count of them.
    std::vector<std::string> targets(const std::string& path, size_t count) {
        std::vector<std::string> found;
        main.runUntil([&] {
            found.clear();
            for (const RequestRecord& r : sim->requests()) {
                EXPECT_TRUE(r.authorized) << r.target;
                if (r.path == path) found.push_back(r.target);
            }
            return found.size() >= count;
        });
        return found;
    }
    void TearDown() override {
        controller.reset();
        main.drain();
    }

    test::MainQueue main;
    SnapCounter counter;
    Recorder ui;
    std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> timers;
    std::mutex logMutex;
    bool logFails = false;  // the next log line throws
    std::vector<std::string> logLines;
    std::unique_ptr<CamSim> sim;
    std::unique_ptr<WiFiCameraController> controller;
};

}  // namespace

TEST_F(WiFiControlTest, ProbesInOrderAndFillsTheWizardCameraTwiceWithoutCopies) {
    startCamera(camsim::CameraKind::Wizard, 12);  // the counter answers "12\r\n"
    connect();
    connect();
    std::vector<std::string> paths;
    for (const RequestRecord& r : sim->requests()) paths.push_back(r.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"/wizardvideo.asp", "/get_camera_all.cgi",
                                               "/updateNPNvram.cgi", "/wizardvideo.asp",
                                               "/get_camera_all.cgi", "/updateNPNvram.cgi"}));
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy", "idle", "mode 2", "size 640x480",
                                                   "start", "lists", "sliders+ranges"}));
    EXPECT_EQ(counter.value(), 12);
    EXPECT_EQ(ui.lists.resolutions, (std::vector<std::string>{"320x240", "640x480", "1280x720",
                                                              "1280x960", "1920x1080"}));
    EXPECT_EQ(ui.lists.resolutionSelection, 1);
    EXPECT_EQ(ui.lists.frameRateSelection, 14);  // 15 frames per second
    EXPECT_EQ(ui.sliders.ctBrightessInfo, (ControlInfo{9963776, -64, 64, 0, 0}));
    EXPECT_EQ(ui.sliders.ctSharpnessInfo, (ControlInfo{9963803, 0, 6, 3, 3}));
}

TEST_F(WiFiControlTest, KindDecisionAndFailures) {
    const std::string wizardPage = wizardSettingsPage(CameraState(camsim::CameraKind::Wizard));
    const struct {
        camsim::CameraKind kind;
        const char* path;
        ScriptedAnswer answer;
        const char* outcome;
    } rows[] = {
        {camsim::CameraKind::Cgi, "/wizardvideo.asp", {200, wizardPage}, "mode 3"},  // answers both
        {camsim::CameraKind::Wizard, "/get_camera_all.cgi", {404, "not found"}, "mode 3"},
        {camsim::CameraKind::Cgi,
         "/get_camera_all.cgi",
         {200, "\xFF"},
         "alert Please connect WiFi Microscope"},
    };
    for (const auto& row : rows) {
        startCamera(row.kind);
        sim->scriptAnswers(row.path, {row.answer});
        connect();
        EXPECT_EQ(ui.events.at(2), row.outcome) << row.path;
    }
    const uint16_t silent = sim->controlPort();
    sim.reset();
    makeController(silent, silent);
    connect();
    EXPECT_EQ(ui.events.back(), "alert Please connect WiFi Microscope");
    EXPECT_EQ(logLines.size(), 2u);
    EXPECT_EQ(logLines.at(0).rfind("Error: ", 0), 0u) << logLines.at(0);
}

TEST_F(WiFiControlTest, AConnectWhoseWorkThrowsEndsWithAnAlert) {
    startCamera(camsim::CameraKind::Cgi);
    const uint16_t silent = sim->controlPort();
    sim.reset();
    makeController(silent, silent);
    logFails = true;  // the first probe's error line throws out of the connect's work
    connect();
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{
                  "busy", "idle", "alert Connecting to the WiFi microscope failed: log full"}));
    EXPECT_FALSE(controller->busy());
    EXPECT_EQ(controller->iCameraMode(), 0);
}

TEST_F(WiFiControlTest, AChangeTheCameraDoesNotTakeIsAlertedAndPutBack) {
    startCamera(camsim::CameraKind::Cgi);
    connect();
    const WiFiLists connected = ui.lists;
    const FrameSize size = controller->frameSize();
    const std::string refused =
        "alert The microscope did not take the change; the control shows its setting again.";
    const auto alerts = [&] { return std::count(ui.events.begin(), ui.events.end(), refused); };
    // Taken, so that a refusal goes back to this value rather than the one read at connect.
    controller->onSliderAction(Adjustment::Brightness, 50);
    ASSERT_TRUE(main.runUntil([&] {
        const CameraState state = sim->state();
        for (const CameraControl& c : state.controls())
            if (c.role == ControlRole::Brightness) return c.value == 50;
        return false;
    }));
    // No answer at all: the camera may have taken it, so the control keeps the new value.
    sim->scriptAnswers("/camera_control.cgi", {{200, "", true}});
    ui.events.clear();
    controller->onSliderAction(Adjustment::Brightness, 70);
    ASSERT_TRUE(main.runUntil([&] { return !ui.events.empty(); }));
    EXPECT_EQ(ui.events, (std::vector<std::string>{
                             "alert The microscope did not answer the change; it may not have "
                             "taken it."}));
    EXPECT_EQ(controller->settings().controls[Adjustment::Brightness].iValue, 70);
    const struct {
        const char* what;
        ScriptedAnswer answer;
    } rows[] = {
        {"an error result", {200, "var result=\"error\";\r\n"}},
        {"an error status", {500, ""}},
    };
    for (const auto& row : rows) {
        sim->scriptAnswers("/camera_control.cgi", {row.answer});
        ui.events.clear();
        controller->onSliderAction(Adjustment::Brightness, 60);
        ASSERT_TRUE(main.runUntil([&] { return alerts() == 1; })) << row.what;
        EXPECT_EQ(ui.events, (std::vector<std::string>{"sliders", refused})) << row.what;
        EXPECT_EQ(ui.sliders.ctBrightessInfo.iValue, 50) << row.what;
        EXPECT_EQ(controller->settings().controls[Adjustment::Brightness].iValue, 50);
    }
    ui.events.clear();
    controller->handleVideoFormatPopBtn(connected.resolutions.at(2));
    ASSERT_TRUE(main.runUntil([&] { return alerts() == 1; }));
    EXPECT_EQ(ui.lists, connected);
    EXPECT_EQ(controller->frameSize(), size);
    EXPECT_EQ(ui.events.at(ui.events.size() - 3),
              "size " + std::to_string(size.width) + "x" + std::to_string(size.height));
    EXPECT_TRUE(main.runUntil([&] {
        std::lock_guard lock(logMutex);
        return !logLines.empty() && logLines.back() == "Error: HTTP status 500";
    }));
}

TEST_F(WiFiControlTest, FormatAndRateChangesSendTheirRequestAndRestartAfterTheDelay) {
    const char* apply =
        "/apply.cgi?submit_button=media&change_action=&action=Apply&refresh_ddns=1"
        "&video_port=8899&video_idx=";
    const struct {
        camsim::CameraKind kind;
        size_t item;
        std::string path, resolution, rate;
        int delaySeconds;
    } rows[] = {
        {camsim::CameraKind::Cgi, 1, "/camera_control.cgi",
         "/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=1",
         "/camera_control.cgi?loginuse=admin&loginpas=qorve&param=6&value=25", 5},
        // The fifth offered size is entry 5: entry 4 is not offered.
        {camsim::CameraKind::Wizard, 4, "/apply.cgi",
         apply + std::string("5&video_frame=15&only_stream=0&auth_need=0"),
         apply + std::string("5&video_frame=25&only_stream=0&auth_need=0"), 10},
    };
    for (const auto& row : rows) {
        startCamera(row.kind);
        connect();
        ui.events.clear();
        timers.clear();
        const std::string title = ui.lists.resolutions.at(row.item);
        controller->handleVideoFormatPopBtn(title);
        controller->handleFpsPopBtn("25");
        EXPECT_EQ(targets(row.path, 2), (std::vector<std::string>{row.resolution, row.rate}));
        EXPECT_EQ(ui.events, (std::vector<std::string>{"stop", "size " + title, "busy", "stop"}));
        ASSERT_EQ(timers.size(), 2u);
        EXPECT_EQ(timers[0].first, std::chrono::seconds(row.delaySeconds));
        timers[0].second();
        EXPECT_TRUE(controller->busy()) << "until the last restart";
        timers[1].second();
        EXPECT_EQ(ui.events.back(), "idle");
        EXPECT_EQ(ui.events.at(ui.events.size() - 2), "start");

        // The restarted stream ends before its first picture: it opens again every
        // second, 15 times; a stream that delivered is not reopened.
        timers.clear();
        int reopens = 0;
        while (controller->reopenEndedStream()) ++reopens;
        EXPECT_EQ(reopens, 15);
        EXPECT_EQ(timers.size(), 15u);
        EXPECT_EQ(timers[0].first, std::chrono::seconds(1));
        for (auto& timer : timers) timer.second();
        EXPECT_FALSE(controller->busy());
        controller->handleFpsPopBtn("25");
        controller->streamDelivered();
        EXPECT_FALSE(controller->reopenEndedStream());
    }
}

TEST_F(WiFiControlTest, SlidersSendOneRequestEachAndResetSendsSixDefaults) {
    const struct {
        camsim::CameraKind kind;
        std::string path, brightness200;
        std::vector<std::string> reset;
    } rows[] = {
        {camsim::CameraKind::Cgi,
         "/camera_control.cgi",
         "param=1&value=200",
         {"param=1&value=128", "param=2&value=128", "param=8&value=128", "param=9&value=128",
          "param=12&value=128", "param=11&value=128"}},
        {camsim::CameraKind::Wizard,
         "/",
         "id=9963776&group=01&value=200",
         {"id=9963776&group=01&value=0", "id=9963777&group=01&value=32",
          "id=9963778&group=01&value=64", "id=9963779&group=01&value=0",
          "id=9963792&group=01&value=100", "id=9963803&group=01&value=3"}},
    };
    for (const auto& row : rows) {
        startCamera(row.kind);
        connect();
        controller->setPropertyCommand(7, 50);  // no such control on the CGI camera
        controller->onSliderAction(Adjustment::Brightness, 200.7);
        const bool wizard = row.kind == camsim::CameraKind::Wizard;
        // Sent before the reset: a waiting value of the same control would be replaced.
        targets(row.path, wizard ? 2 : 1);
        controller->onDefaultAction();
        std::vector<std::string> sent = targets(row.path, wizard ? 8 : 7);
        ASSERT_EQ(sent.size(), wizard ? 8u : 7u);
        if (wizard) {
            EXPECT_TRUE(sent[0].ends_with("id=7&group=01&value=50")) << sent[0];
            sent.erase(sent.begin());
        }
        EXPECT_TRUE(sent[0].ends_with(row.brightness200)) << sent[0];
        for (size_t i = 0; i < 6; ++i)
            EXPECT_TRUE(sent[i + 1].ends_with(row.reset[i])) << sent[i + 1];
        // The wizard camera's refusal of control 7 may be told before or after.
        EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "sliders"), ui.events.end());
        EXPECT_EQ(ui.sliders.ctGammaInfo.iValue, ui.sliders.ctGammaInfo.iDef);
    }
}

TEST_F(WiFiControlTest, CommandsToACameraThatStoppedAnsweringNeitherPileUpNorHoldAConnect) {
    startCamera(camsim::CameraKind::Cgi);
    connect();
    sim->clearRequests();
    sim->scriptAnswers("/camera_control.cgi", {{503, "", true}});
    for (int step = 1; step <= 100; ++step)
        controller->onSliderAction(Adjustment::Brightness, step);
    ui.events.clear();
    controller->onWiFiCamAction();
    EXPECT_TRUE(main.runUntil([&] { return !controller->connecting(); }, 2 * kProbeTimeout));
    EXPECT_EQ(ui.events.at(2), "mode 3");
    // At most the first step was in flight (until it timed out); then only the newest
    // value followed.
    std::vector<std::string> sent;
    ASSERT_TRUE(main.runUntil([&] {
        sent.clear();
        for (const RequestRecord& r : sim->requests())
            if (r.path == "/camera_control.cgi") sent.push_back(r.target);
        return !sent.empty() && sent.back().ends_with("param=1&value=100");
    }));
    EXPECT_LE(sent.size(), 2u);
}
