#include <gtest/gtest.h>

#include <filesystem>

#include "camera/usb/FakeSysfs.h"
#include "camera/usb/FakeV4l2.h"
#include "camera/usb/UsbCamera.h"
#include "support/MainQueue.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

using test::FakeFrame;

struct Recorder : UsbCameraListener {
    std::vector<Frame> frames;
    std::vector<FrameMarks> marks;
    std::vector<UsbOutcome> stops;
    void frameReady(const Frame& f, const FrameMarks& m) override {
        frames.push_back(f);
        marks.push_back(m);
    }
    void captureStopped(const UsbOutcome& o) override { stops.push_back(o); }
};

int centreBlue(const Frame& f) { return f.row(f.height / 2)[4 * (f.width / 2)]; }

class UsbCameraTest : public ::testing::Test {
protected:
    UsbCameraTest() { camera.setListener(&recorder); }

    // Adds a microscope with the vendor and product ids of model at USB port `port`.
    test::FakeDevice& addMicroscope(const std::string& node, const std::string& model, int port,
                                    uint8_t shade = 200) {
        test::FakeDevice d;
        d.path = tree.addNode(node, model.substr(0, 4), model.substr(4), port);
        d.busInfo = "usb-0000:00:14.0-" + std::to_string(port);
        d.shade = shade;
        return kernel.add(d);
    }

    // Lets `count` good frames through and waits for them.
    const Frame& nextFrame() {
        const size_t before = recorder.frames.size();
        kernel.feed({FakeFrame::Good});
        EXPECT_TRUE(main.runUntil([&] { return recorder.frames.size() > before; }));
        return recorder.frames.back();
    }

    size_t formatIndex(uint32_t fourcc, int w, int h) {
        const auto& f = camera.formats();
        for (size_t i = 0; i < f.size(); ++i)
            if (f[i].pixelFormat == fourcc && f[i].width == w && f[i].height == h) return i;
        ADD_FAILURE() << "no format " << w << " x " << h;
        return 0;
    }

    test::TempDir dir;
    test::FakeSysfs tree{dir.path()};
    test::FakeV4l2 kernel;
    test::MainQueue main;
    Recorder recorder;
    UsbCamera camera{kernel, {tree.dev().string(), tree.sys().string()}, main.poster()};
};

TEST_F(UsbCameraTest, OffersTheMicroscopesFormatsAndRatesAndStreamsAtTheChosenSize) {
    auto& device = addMicroscope("video0", "14c31301", 1);
    camera.refreshDevices();
    ASSERT_TRUE(camera.setSelectedVideoDevice(0).ok());
    ASSERT_EQ(camera.formats().size(), 6u);
    EXPECT_EQ(localizedName(camera.formats()[3]), "Motion-JPEG, 2592 x 1944");
    EXPECT_EQ(localizedName(camera.formats()[5]), "YUYV 4:2:2, 1280 x 720");
    for (const auto& f : camera.formats()) {
        ASSERT_EQ(f.frameRateRanges.size(), 2u);
        EXPECT_EQ(localizedName(f.frameRateRanges[1]), "FPS: 15.00");
    }
    EXPECT_EQ(localizedName(*camera.videoDeviceFormat()), "Motion-JPEG, 640 x 480");
    EXPECT_EQ(localizedName(*camera.frameRateRange()), "FPS: 30.00");

    const Frame& first = nextFrame();
    EXPECT_EQ(first.width, 640);
    EXPECT_NEAR(centreBlue(first), 200, 2);
    EXPECT_TRUE(recorder.marks.back().decoded && recorder.marks.back().changed);

    // The camera's own size, not squeezed to 640 x 480.
    ASSERT_TRUE(camera.setVideoDeviceFormat(formatIndex(V4L2_PIX_FMT_MJPEG, 1920, 1080)).ok());
    EXPECT_EQ(camera.videoWidth(), 1920);
    const Frame& hd = nextFrame();
    EXPECT_EQ(hd.width, 1920);
    EXPECT_EQ(hd.height, 1080);

    // YUYV luma 200 with neutral chroma, limited range: (200 - 16) * 255 / 219.
    ASSERT_TRUE(camera.setVideoDeviceFormat(formatIndex(V4L2_PIX_FMT_YUYV, 1280, 720)).ok());
    const Frame& raw = nextFrame();
    EXPECT_EQ(raw.width, 1280);
    EXPECT_NEAR(centreBlue(raw), 214, 2);

    // Adjustments apply from the next frame: gamma 2 on 214.
    AdjustmentSettings gamma;
    gamma.set(Adjustment::Gamma, 2.0f);
    camera.setAdjustments(gamma);
    EXPECT_NEAR(centreBlue(nextFrame()), 180, 2);

    const auto slow = camera.videoDeviceFormat()->frameRateRanges[1];
    ASSERT_TRUE(camera.setFrameRateRange(slow).ok());
    EXPECT_EQ(*camera.frameRateRange(), slow);
    EXPECT_EQ(device.setParmCalls, 1);
    // A range of another format is ignored.
    ASSERT_TRUE(camera.setFrameRateRange({5, 30, {1, 30}}).ok());
    EXPECT_EQ(device.setParmCalls, 1);
    EXPECT_EQ(*camera.frameRateRange(), slow);
}

TEST_F(UsbCameraTest, StepwiseSizesAndRatesBecomeListEntries) {
    addMicroscope("video0", "14c31303", 1).stepwise = true;
    camera.refreshDevices();
    ASSERT_TRUE(camera.setSelectedVideoDevice(0).ok());
    std::vector<std::string> titles;
    for (const auto& f : camera.formats())
        if (f.pixelFormat == V4L2_PIX_FMT_MJPEG) titles.push_back(localizedName(f));
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Motion-JPEG, 320 x 240", "Motion-JPEG, 640 x 480",
                                        "Motion-JPEG, 800 x 600", "Motion-JPEG, 1024 x 768",
                                        "Motion-JPEG, 1280 x 720", "Motion-JPEG, 1280 x 960",
                                        "Motion-JPEG, 1920 x 1080"}));
    EXPECT_EQ(localizedName(camera.formats()[0].frameRateRanges.at(0)), "FPS: 5.00-30.00");
}

TEST_F(UsbCameraTest, ADeviceWithoutTheSessionSizeStartsAt640x480) {
    addMicroscope("video0", "14c31301", 1);
    auto& small = addMicroscope("video1", "14c31302", 2);
    small.modes = {{V4L2_PIX_FMT_YUYV, 1280, 720}, {V4L2_PIX_FMT_YUYV, 640, 480}};
    camera.refreshDevices();
    ASSERT_TRUE(camera.setSelectedVideoDevice(0).ok());
    ASSERT_TRUE(camera.setVideoDeviceFormat(formatIndex(V4L2_PIX_FMT_MJPEG, 2592, 1944)).ok());
    ASSERT_TRUE(camera.setSelectedVideoDevice(1).ok());
    EXPECT_EQ(localizedName(*camera.videoDeviceFormat()), "YUYV 4:2:2, 640 x 480");
    EXPECT_EQ(camera.selectedVideoDevice().value().path, small.path);
}

TEST_F(UsbCameraTest, BrokenFramesAreSkippedAndAnUnpluggedMicroscopeCanBeConnectedAgain) {
    addMicroscope("video0", "14c31301", 1);
    camera.refreshDevices();
    ASSERT_TRUE(camera.setSelectedVideoDevice(0).ok());
    kernel.feed({FakeFrame::Flagged, FakeFrame::Garbage, FakeFrame::Good, FakeFrame::Unplug});
    ASSERT_TRUE(main.runUntil([&] { return !recorder.stops.empty(); }));
    EXPECT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(camera.stats().brokenFrames, 2u);
    EXPECT_EQ(recorder.stops[0].error, UsbError::Unplugged);
    EXPECT_NE(recorder.stops[0].message.find("unplugged"), std::string::npos);
    EXPECT_FALSE(camera.running());
    EXPECT_EQ(kernel.openFds(), 0);

    EXPECT_EQ(camera.setSelectedVideoDevice(0).error, UsbError::Unplugged);
    kernel.replug();
    camera.refreshDevices();
    ASSERT_TRUE(camera.setSelectedVideoDevice(0).ok());
    EXPECT_EQ(nextFrame().width, 640);
}

TEST_F(UsbCameraTest, OpenAndStartFailuresAreTypedWithTheirAdvice) {
    addMicroscope("video0", "14c31301", 1).openErrno = EACCES;
    addMicroscope("video1", "14c31302", 2).streamOnErrno = EBUSY;
    auto& failing = addMicroscope("video2", "14c31303", 3);
    camera.refreshDevices();
    failing.openErrno = EIO;
    const UsbOutcome denied = camera.setSelectedVideoDevice(0);
    EXPECT_EQ(denied.error, UsbError::PermissionDenied);
    EXPECT_NE(denied.message.find("\"video\" group"), std::string::npos);
    EXPECT_EQ(camera.setSelectedVideoDevice(1).error, UsbError::Busy);
    EXPECT_EQ(camera.setSelectedVideoDevice(2).error, UsbError::Failed);
    EXPECT_FALSE(camera.selectedVideoDevice());
    EXPECT_FALSE(camera.running());
    EXPECT_EQ(kernel.openFds(), 0);
}

// Runs against the machine's first capture device when there is one.
TEST(UsbCameraRealDeviceTest, OpensTheFirstRealCaptureDevice) {
    KernelV4l2Io io;
    const auto devices = listVideoDevices(io, {});
    if (devices.empty()) GTEST_SKIP() << "no /dev/video capture device on this machine";
    test::MainQueue main;
    UsbCamera camera(io, {}, main.poster());
    camera.refreshDevices();
    const UsbOutcome outcome = camera.setSelectedVideoDevice(0);
    if (outcome.error == UsbError::PermissionDenied || outcome.error == UsbError::Busy)
        GTEST_SKIP() << outcome.message;
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_FALSE(camera.formats().empty());
    struct First : UsbCameraListener {
        Frame frame;
        void frameReady(const Frame& f, const FrameMarks&) override { frame = f; }
        void captureStopped(const UsbOutcome&) override {}
    } first;
    camera.setListener(&first);
    ASSERT_TRUE(main.runUntil([&] { return !first.frame.isNull(); }));
    EXPECT_EQ(first.frame.width, camera.videoWidth());
}

}  // namespace
}  // namespace lumetra
