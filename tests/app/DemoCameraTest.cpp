#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "AppTestSupport.h"
#include "app/DemoCamera.h"
#include "app/SnapshotCapture.h"
#include "app/WiFiCameraSide.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

struct SilentSounds : SoundPlayer {
    void play(const SoundResource&) override {}
};

}  // namespace

TEST(DemoCamera, WindowShowsItsLivePictureAsACgiCamera) {
    WindowHarness h;
    SnapshotCapture capture(*h.window, h.settings(), std::make_unique<SilentSounds>());
    DemoCamera demo;
    EXPECT_FALSE(demo.probe()) << "nothing to find before it runs";
    ASSERT_TRUE(demo.start());
    WiFiCameraSide side(*h.window, capture, CameraHost::fromEnvironment());
    side.setProbe([&] { return demo.probe(); });

    h.ui().btWiFiCam->click();
    EXPECT_EQ(h.window->iCameraMode, 3) << "the kind whose stream reports the shutter button";
    EXPECT_EQ(side.receiver().host().host, "127.0.0.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.view()->currentFrame().isNull(); }, 10000));
    EXPECT_EQ(h.view()->currentFrame().width, demo.simulator().state().resolution().width);
    EXPECT_EQ(h.window->iVideoWidth, h.view()->currentFrame().width);
    EXPECT_EQ(demo.simulator().activeStreams(), 1);
}
