#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "camera/usb/UsbCamera.h"
#include "support/FakeV4l2.h"
#include "support/MainQueue.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

using test::FakeFrame;

struct Recorder : UsbCameraListener {
    std::vector<Frame> frames;
    std::vector<UsbOutcome> stops;
    void frameReady(const Frame& f, const FrameMarks& m) override {
        EXPECT_TRUE(m.decoded && m.changed);
        frames.push_back(f);
    }
    void captureStopped(const UsbOutcome& o) override { stops.push_back(o); }
};

class UsbCameraTest : public ::testing::Test {
protected:
    UsbCameraTest() { camera.setListener(&recorder); }

    UsbOutcome connect(size_t index) {
        camera.refreshDevices();
        return camera.setSelectedVideoDevice(index);
    }
    // Lets one good frame through; returns its blue level at the centre and its size.
    std::tuple<int, int, int> nextFrame() {
        const size_t before = recorder.frames.size();
        kernel.feed({FakeFrame::Good});
        EXPECT_TRUE(main.runUntil([&] { return recorder.frames.size() > before; }));
        const Frame& f = recorder.frames.back();
        return {f.row(f.height / 2)[4 * (f.width / 2)], f.width, f.height};
    }
    test::TempDir dir;
    test::FakeV4l2 kernel;
    test::MainQueue main;
    Recorder recorder;
    UsbCamera camera{
        kernel, {(dir.path() / "dev").string(), (dir.path() / "sys").string()}, main.poster()};
};

TEST_F(UsbCameraTest, OffersTheMicroscopesFormatsAndRatesAndStreamsAtTheChosenSize) {
    auto& device = kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    ASSERT_TRUE(connect(0).ok());
    ASSERT_EQ(camera.formats().size(), 6u);
    EXPECT_EQ(localizedName(camera.formats()[5]), "YUYV 4:2:2, 1280 x 720");
    for (const auto& f : camera.formats())
        EXPECT_EQ(localizedName(f.frameRateRanges.at(1)), "FPS: 15.00");
    EXPECT_EQ(localizedName(*camera.videoDeviceFormat()), "Motion-JPEG, 640 x 480");
    EXPECT_EQ(localizedName(*camera.frameRateRange()), "FPS: 30.00");
    EXPECT_EQ(nextFrame(), std::make_tuple(200, 640, 480));
    // Frames carry the driver's capture time.
    EXPECT_EQ(recorder.frames.back().capturedAt.time_since_epoch(), std::chrono::seconds(1));
    EXPECT_EQ(nextFrame(), std::make_tuple(200, 640, 480));
    EXPECT_EQ(recorder.frames.back().capturedAt.time_since_epoch(), std::chrono::seconds(2));

    // The camera's own size, not squeezed to 640 x 480.
    ASSERT_TRUE(camera.setVideoDeviceFormat(2).ok());  // Motion-JPEG, 1920 x 1080
    EXPECT_EQ(camera.videoWidth(), 1920);
    EXPECT_EQ(nextFrame(), std::make_tuple(200, 1920, 1080));
    // YUYV luma 200, neutral chroma, limited range: (200 - 16) * 255 / 219 = 214.
    ASSERT_TRUE(camera.setVideoDeviceFormat(5).ok());
    EXPECT_EQ(nextFrame(), std::make_tuple(214, 1280, 720));
    AdjustmentSettings gamma;
    gamma.set(Adjustment::Gamma, 2.0f);
    camera.setAdjustments(gamma);
    EXPECT_EQ(nextFrame(), std::make_tuple(180, 1280, 720));

    const auto slow = camera.videoDeviceFormat()->frameRateRanges[1];
    ASSERT_TRUE(camera.setFrameRateRange(slow).ok());
    EXPECT_EQ(*camera.frameRateRange(), slow);
    // A range of another format is ignored.
    const int rateCalls = device.setParmCalls;
    ASSERT_TRUE(camera.setFrameRateRange({5, 30, {1, 30}}).ok());
    EXPECT_EQ(*camera.frameRateRange(), slow);
    EXPECT_EQ(device.setParmCalls, rateCalls);
    // Another format keeps the chosen rate, which the driver would reset.
    ASSERT_TRUE(camera.setVideoDeviceFormat(1).ok());
    EXPECT_EQ(localizedName(*camera.frameRateRange()), "FPS: 15.00");
}

TEST_F(UsbCameraTest, AScreenShowingThePictureSmallerGetsItHalvedWithTheFullPictureAdjustedAlike) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    ASSERT_TRUE(connect(0).ok());  // Motion-JPEG, 640 x 480
    AdjustmentSettings gamma;
    gamma.set(Adjustment::Gamma, 2.0f);
    camera.setAdjustments(gamma);
    camera.setShownSize(300, 240);
    const auto [reducedBlue, w, h] = nextFrame();
    EXPECT_EQ(std::pair(w, h), std::pair(320, 240));
    const Frame full = recorder.frames.back().full();
    ASSERT_EQ(std::pair(full.width, full.height), std::pair(640, 480));
    EXPECT_EQ(full.row(240)[4 * 320], reducedBlue);
    EXPECT_NE(reducedBlue, 200);  // adjusted
    camera.setShownSize(0, 0);
    EXPECT_EQ(nextFrame(), std::make_tuple(reducedBlue, 640, 480));
    EXPECT_FALSE(recorder.frames.back().fullPicture);
}

TEST(VideoFormatTest, ANewFormatKeepsTheNearestRateItOffers) {
    const std::vector<FrameRateRange> ranges{
        {30, 30, {1, 30}}, {15, 15, {1, 15}}, {5, 10, {1, 10}}, {20, 20, {1, 20}}};
    const auto nearest = [&](Duration interval) {
        const auto range = nearestFrameRateRange(ranges, interval);
        return range ? range->maxFrameRate : -1.0;
    };
    EXPECT_EQ(nearest({2, 30}), 15);   // the same rate, as another fraction
    EXPECT_EQ(nearest({1, 12}), 10);   // a range counts by its highest rate
    EXPECT_EQ(nearest({1, 25}), 30);   // equally near 30 and 20: the first
    EXPECT_EQ(nearest({1, 100}), 30);  // above every rate
    EXPECT_EQ(nearest({0, 1}), -1);
    EXPECT_FALSE(nearestFrameRateRange({}, {1, 30}));
}

TEST_F(UsbCameraTest, StepwiseSizesAndRatesBecomeListEntries) {
    kernel.addMicroscope(dir.path(), "video0", "14c31303", 1).stepwise = true;
    ASSERT_TRUE(connect(0).ok());
    std::string titles;
    for (const auto& f : camera.formats())
        if (f.pixelFormat == V4L2_PIX_FMT_MJPEG) titles += std::to_string(f.width) + " ";
    EXPECT_EQ(titles, "320 640 800 1024 1280 1280 1920 ");
    EXPECT_EQ(localizedName(camera.formats()[0].frameRateRanges.at(0)), "FPS: 5.00-30.00");
}

TEST_F(UsbCameraTest, ADeviceWithoutTheSessionSizeStartsAt640x480) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    kernel.addMicroscope(dir.path(), "video1", "14c31302", 2).modes = {
        {V4L2_PIX_FMT_YUYV, 1280, 720}, {V4L2_PIX_FMT_YUYV, 640, 480}};
    ASSERT_TRUE(connect(0).ok());
    ASSERT_TRUE(camera.setVideoDeviceFormat(3).ok());  // Motion-JPEG, 2592 x 1944
    ASSERT_TRUE(camera.setSelectedVideoDevice(1).ok());
    EXPECT_EQ(localizedName(*camera.videoDeviceFormat()), "YUYV 4:2:2, 640 x 480");
}

TEST_F(UsbCameraTest, BrokenFramesAreSkippedAndAnUnpluggedMicroscopeCanBeConnectedAgain) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    ASSERT_TRUE(connect(0).ok());
    kernel.feed({FakeFrame::Flagged, FakeFrame::Garbage, FakeFrame::Truncated, FakeFrame::Oversized,
                 FakeFrame::Good, FakeFrame::Unplug});
    ASSERT_TRUE(main.runUntil([&] { return !recorder.stops.empty(); }));
    EXPECT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(camera.stats().brokenFrames, 4u);
    EXPECT_EQ(recorder.stops[0].error, UsbError::Unplugged);
    EXPECT_NE(recorder.stops[0].message.find("unplugged"), std::string::npos);
    EXPECT_FALSE(camera.running());
    EXPECT_EQ(kernel.openFds(), 0u);

    EXPECT_EQ(camera.setSelectedVideoDevice(0).error, UsbError::Unplugged);
    kernel.replug();
    ASSERT_TRUE(connect(0).ok());
    EXPECT_EQ(std::get<1>(nextFrame()), 640);
}

TEST_F(UsbCameraTest, ARefreshThatClosesTheUnpluggedDeviceReportsTheUnplugOnce) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    ASSERT_TRUE(connect(0).ok());
    kernel.feed({FakeFrame::Unplug});
    ASSERT_TRUE(kernel.waitForUnplug(std::chrono::seconds(60)));  // its notice not handled
    EXPECT_TRUE(camera.refreshDevices().empty());
    main.drain();
    ASSERT_EQ(recorder.stops.size(), 1u);
    EXPECT_EQ(recorder.stops[0].error, UsbError::Unplugged);
    EXPECT_FALSE(camera.running());
}

TEST_F(UsbCameraTest, OpenAndStartFailuresAreTypedWithTheirAdvice) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1).openErrno = EACCES;
    kernel.addMicroscope(dir.path(), "video1", "14c31302", 2).streamOnErrno = EBUSY;
    auto& failing = kernel.addMicroscope(dir.path(), "video2", "14c31303", 3);
    const UsbOutcome denied = connect(0);
    failing.openErrno = EIO;  // after listing
    EXPECT_EQ(denied.error, UsbError::PermissionDenied);
    EXPECT_NE(denied.message.find("\"video\" group"), std::string::npos);
    EXPECT_EQ(camera.setSelectedVideoDevice(1).error, UsbError::Busy);
    EXPECT_EQ(camera.setSelectedVideoDevice(2).error, UsbError::Failed);
    EXPECT_FALSE(camera.selectedVideoDevice() || camera.running());
    EXPECT_EQ(kernel.openFds(), 0u);
}

TEST(V4l2StreamTest, OutOfMemoryBreaksAFrameAndADriverAnsweringTryAgainEndsAsStopped) {
    test::TempDir dir;
    test::FakeV4l2 kernel;
    const int fd = kernel.open(kernel.add({.path = test::addNode(dir.path(), "video0")}).path, 0);
    V4l2Stream stream(kernel, fd, std::chrono::milliseconds(300));
    std::mutex mutex;
    std::condition_variable failed;
    std::optional<int> failure;
    int frames = 0;
    ASSERT_EQ(stream.start(
                  [&](const uint8_t*, size_t, std::chrono::steady_clock::time_point) {
                      if (++frames == 1) throw std::bad_alloc();
                      return true;
                  },
                  [&](int err) {
                      std::lock_guard lock(mutex);
                      failure = err;
                      failed.notify_all();
                  }),
              0);
    kernel.feed({FakeFrame::Good, FakeFrame::Good, FakeFrame::Stall});
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(
            failed.wait_for(lock, std::chrono::seconds(60), [&] { return failure.has_value(); }));
    }
    EXPECT_EQ(*failure, ETIMEDOUT);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(stream.brokenFrames(), 1u);
    EXPECT_LT(kernel.dequeueCalls(), 40u) << "asked again after pauses, not in a spin";
    stream.stop();
    EXPECT_NE(UsbOutcome::fromErrno(*failure, "/dev/video0", "deliver a picture")
                  .message.find("stopped delivering pictures"),
              std::string::npos);
    kernel.close(fd);
}

TEST(UsbCameraRealDeviceTest, StreamsFromTheFirstRealCaptureDevice) {
    KernelV4l2Io io;
    test::MainQueue main;
    UsbCamera camera(io, {}, main.poster());
    if (camera.refreshDevices().empty()) GTEST_SKIP() << "no /dev/video capture device here";
    const UsbOutcome outcome = camera.setSelectedVideoDevice(0);
    if (outcome.error == UsbError::PermissionDenied || outcome.error == UsbError::Busy)
        GTEST_SKIP() << outcome.message;
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    Recorder recorder;
    camera.setListener(&recorder);
    ASSERT_TRUE(main.runUntil([&] { return !recorder.frames.empty(); }));
    EXPECT_EQ(recorder.frames[0].width, camera.videoWidth());
}

}  // namespace
}  // namespace lumetra
