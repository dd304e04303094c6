#include <gtest/gtest.h>
#include <httplib.h>

#include <QLabel>
#include <QTest>
#include <memory>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/DemoCamera.h"
#include "app/SnapshotCapture.h"
#include "app/WiFiCameraSide.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

struct SilentSounds : SoundPlayer {
    void play(const SoundResource&) override {}
};

constexpr int kWait = 10000;  // ms; a bound for the waits, not a timing requirement

// The window with its snapshot and WiFi sides, and a simulated CGI camera on
// 127.0.0.1 that the WiFi button connects to.
class WiFiCameraSideTest : public ::testing::Test {
protected:
    void startCamera(int64_t photoCount = 0) {
        sim =
            std::make_unique<camsim::CamSim>(camsim::CamSimOptions{.kind = camsim::CameraKind::Cgi,
                                                                   .width = 320,
                                                                   .height = 240,
                                                                   .fps = 25,
                                                                   .photoCount = photoCount});
        ASSERT_TRUE(sim->start());
        side.setProbe([this] {
            const camsim::CameraState state = sim->state();
            return WiFiCamera{{"127.0.0.1", sim->controlPort(), sim->streamPort()},
                              CameraMode::WiFiCgi,
                              static_cast<uint16_t>(state.resolution().width),
                              static_cast<uint16_t>(state.resolution().height),
                              state.photoCount()};
        });
    }

    // Waits, running the event loop, until `count` more pictures reached the window.
    bool morePictures(uint64_t count) {
        const uint64_t target = side.receiver().stats().picturesDecoded + count;
        return QTest::qWaitFor(
            [&] {
                return side.receiver().stats().picturesDecoded >= target &&
                       !h.view()->currentFrame().isNull();
            },
            kWait);
    }

    std::vector<std::string> snapshots() {
        return jpegNames(h.settings().getStrDocumentsPicture());
    }

    WiFiCameraSideTest() { h.window->setSnapshotSide(&capture); }

    WindowHarness h;
    SnapshotCapture capture{*h.window, h.settings(), std::make_unique<SilentSounds>()};
    std::unique_ptr<camsim::CamSim> sim;
    DemoCamera demo;  // before the side, so that its stream closes first
    WiFiCameraSide side{*h.window, CameraHost::fromEnvironment()};
};

}  // namespace

TEST_F(WiFiCameraSideTest, DemoCameraIsFoundOnLoopback) {
    EXPECT_FALSE(demo.probe()) << "nothing to find before it runs";
    ASSERT_TRUE(demo.start());
    side.setProbe([&] { return demo.probe(); });
    h.ui().btWiFiCam->click();
    ASSERT_TRUE(morePictures(1));
}

TEST_F(WiFiCameraSideTest, ReconnectingLeavesOneStreamAndASizeChangeLaysTheViewOutAgain) {
    ASSERT_NO_FATAL_FAILURE(startCamera());
    for (int i = 0; i < 3; ++i) {
        h.ui().btWiFiCam->click();
        ASSERT_TRUE(morePictures(1));
    }
    EXPECT_EQ(h.ui().cameraStatus->text(), "WiFi microscope at 127.0.0.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim->activeStreams() == 1; }, kWait))
        << "open streams: " << sim->activeStreams();
    EXPECT_EQ(sim->streamsOpened(), 3);
    EXPECT_EQ(h.view()->geometry(), QRect(225, 132, 950, 713));

    // The camera switches to its third resolution, 1280 x 720, on the same stream.
    httplib::Client control("127.0.0.1", sim->controlPort());
    control.set_basic_auth(camsim::kUser, camsim::kPassword);
    const auto res =
        control.Get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=2");
    ASSERT_TRUE(res && res->status == 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->laidOutHeight() == 720; }, kWait));
    EXPECT_EQ(h.view()->geometry(), QRect(225, 221, 950, 534));
    EXPECT_EQ(sim->activeStreams(), 1);
}

TEST_F(WiFiCameraSideTest, ShutterPressWritesExactlyOneSnapshotIntoTheAlbum) {
    ASSERT_NO_FATAL_FAILURE(startCamera(5));
    h.ui().btWiFiCam->click();
    EXPECT_EQ(side.snapCounter().value(), 5);
    ASSERT_TRUE(morePictures(5));
    EXPECT_TRUE(snapshots().empty()) << "the counter read at connect is no press";

    sim->pressShutter();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !snapshots().empty(); }, kWait));
    ASSERT_TRUE(morePictures(10));  // every later part still carries photo_cnt 6
    ASSERT_EQ(snapshots().size(), 1u);
    EXPECT_EQ(side.snapCounter().value(), 6);
    EXPECT_EQ(h.window->oPicMutArray().size(), 1u);
}
