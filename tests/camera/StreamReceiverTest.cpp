#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeWindow.h"
#include "camera/StreamReceiver.h"
#include "support/JpegSamples.h"
#include "support/MainQueue.h"
#include "tools/camsim/CamSim.h"

extern char** environ;

using namespace lumetra;
using camsim::CameraKind;
using camsim::CamSim;
using camsim::CamSimOptions;
using camsim::Fault;
using camsim::ScriptedPart;
using test::centreShade;
using test::flatJpeg;
using test::paddedJpeg;

namespace {

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
uint16_t unusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

CamSimOptions scripted(CameraKind kind = CameraKind::Cgi) {
    CamSimOptions o;
    o.kind = kind;
    o.livePictures = false;
    return o;
}

CamSimOptions live(CameraKind kind, int width = 320, int height = 240, int fps = 25) {
    CamSimOptions o;
    o.kind = kind;
    o.width = width;
    o.height = height;
    o.fps = fps;
    return o;
}

// Waits for a condition without running the main thread's queue.
bool pollUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

ScriptedPart jpegPart(const std::string& body, const std::vector<std::string>& headers = {},
                      const std::vector<size_t>& splitAt = {}) {
    return ScriptedPart::make("image/jpeg", body, headers, splitAt, 40);
}

class StreamReceiverTest : public ::testing::Test {
protected:
    void startSim(const CamSimOptions& options) {
        sim = std::make_unique<CamSim>(options);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
    }

    void makeReceiver(uint16_t streamPort, StreamReceiver::Options options = {}) {
        CameraHost host{"127.0.0.1", 0, streamPort};
        receiver = std::make_unique<StreamReceiver>(host, main.poster(), counter, options);
        receiver->setListener(&window);
    }
    void makeReceiver() { makeReceiver(sim->streamPort()); }

    bool waitFrames(size_t n) {
        return main.runUntil([&] { return window.frames() >= n; });
    }
    bool waitForShade(int shade) {
        return main.runUntil([&] {
            return !window.recorded.empty() &&
                   std::abs(centreShade(window.recorded.back()) - shade) <= 6;
        });
    }
    bool eventually(const std::function<bool()>& condition) { return main.runUntil(condition); }

    void TearDown() override {
        receiver.reset();
        main.drain();
        sim.reset();
    }

    test::MainQueue main;
    SnapCounter counter;
    test::FakeWindow window;
    std::unique_ptr<CamSim> sim;
    std::unique_ptr<StreamReceiver> receiver;

    const std::string pictureA = flatJpeg(64, 48, 60);
    const std::string pictureB = flatJpeg(64, 48, 200);
    const std::string sentinel = flatJpeg(64, 48, 130);
};

}  // namespace

// ---- Cutting pictures out of the parts ----

TEST_F(StreamReceiverTest, MarkerInALaterChunkYieldsThePictureOnThatChunk) {
    startSim(scripted());
    makeReceiver();
    sim->queueParts({jpegPart(pictureA, {}, {pictureA.size() / 2})});
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    EXPECT_NEAR(centreShade(window.shown), 60, 6);
    EXPECT_EQ(window.marks[0].partBytes, static_cast<int64_t>(pictureA.size()));
}

TEST_F(StreamReceiverTest, PartWithTwoMarkersYieldsOnlyThePictureUpToTheFirst) {
    startSim(scripted());
    makeReceiver();
    sim->queueParts({jpegPart(pictureA + pictureB, {}, {pictureA.size()}), jpegPart(sentinel)});
    receiver->startVideoView();
    ASSERT_TRUE(waitForShade(130));
    const size_t before = window.recorded.size() - 1;
    EXPECT_GE(before, 1u);
    EXPECT_LE(before, 2u) << "one picture per chunk holding a marker";
    for (size_t i = 0; i < before; ++i) EXPECT_NEAR(centreShade(window.recorded[i]), 60, 6);
}

TEST_F(StreamReceiverTest, EndMarkerSplitAcrossTwoChunksStillYieldsThePicture) {
    startSim(scripted());
    makeReceiver();
    sim->queueParts({jpegPart(pictureA, {}, {pictureA.size() - 1})});
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    EXPECT_NEAR(centreShade(window.shown), 60, 6);
}

TEST_F(StreamReceiverTest, PartOfAnotherMediaTypeDoesNotEmptyTheBuffer) {
    startSim(scripted());
    makeReceiver();
    const size_t half = pictureA.size() / 2;
    sim->queueParts({jpegPart(pictureA.substr(0, half)),
                     ScriptedPart::make("application/octet-stream", pictureA.substr(half))});
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    EXPECT_NEAR(centreShade(window.shown), 60, 6);
}

TEST_F(StreamReceiverTest, JpegPartStartEmptiesTheBuffer) {
    startSim(scripted());
    makeReceiver();
    const size_t half = pictureA.size() / 2;
    sim->queueParts(
        {jpegPart(pictureA.substr(0, half)), jpegPart(pictureA.substr(half)), jpegPart(sentinel)});
    receiver->startVideoView();
    ASSERT_TRUE(waitForShade(130));
    EXPECT_EQ(window.frames(), 1u);
    EXPECT_EQ(receiver->stats().decodeFailures, 1u);
}

TEST_F(StreamReceiverTest, PictureThatDoesNotDecodeIsNotShownNorRecordedAndTheViewKeepsTheLast) {
    startSim(scripted());
    makeReceiver();
    sim->queueParts({jpegPart(pictureA), jpegPart(std::string("\x00not a picture\xFF\xD9", 17))});
    receiver->startVideoView();
    ASSERT_TRUE(eventually([&] { return receiver->stats().decodeFailures == 1; }));
    main.drain();
    EXPECT_EQ(window.frames(), 1u);
    EXPECT_EQ(window.recorded.size(), 1u);
    EXPECT_NEAR(centreShade(window.shown), 60, 6);
}

// ---- The change mark and the display rule ----

TEST_F(StreamReceiverTest, WithAShapeAPictureWithin80BytesOfThePreviousIsRecordedButNotShown) {
    startSim(scripted());
    makeReceiver();
    window.facts.shapesPresent = true;
    sim->queueParts({jpegPart(paddedJpeg(pictureA, 10000)), jpegPart(paddedJpeg(pictureB, 10080)),
                     jpegPart(paddedJpeg(pictureA, 10000)), jpegPart(paddedJpeg(pictureB, 10081))});
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(4));
    EXPECT_EQ(window.marks[1].partBytes, 10080);
    EXPECT_EQ(window.routes[0].path, FramePath::Image);
    EXPECT_EQ(window.routes[1].path, FramePath::None) << "10 000 -> 10 080";
    EXPECT_EQ(window.routes[2].path, FramePath::None) << "10 080 -> 10 000";
    EXPECT_EQ(window.routes[3].path, FramePath::Image) << "10 000 -> 10 081";
    EXPECT_EQ(window.recorded.size(), 4u);
    EXPECT_NEAR(centreShade(window.shown), 200, 6);
}

TEST_F(StreamReceiverTest, WithoutShapeToolOrOverlayBothPicturesTakeTheFastPath) {
    startSim(scripted());
    makeReceiver();
    sim->queueParts({jpegPart(paddedJpeg(pictureA, 10000)), jpegPart(paddedJpeg(pictureB, 10080))});
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(2));
    EXPECT_EQ(window.routes[0].path, FramePath::Layer);
    EXPECT_EQ(window.routes[1].path, FramePath::Layer);
    EXPECT_EQ(window.recorded.size(), 2u);
    EXPECT_NEAR(centreShade(window.shown), 200, 6);
}

TEST_F(StreamReceiverTest, SourceSizeChangeInOneDimensionLaysTheViewOutAgain) {
    startSim(live(CameraKind::Cgi, 1280, 720, 10));
    makeReceiver();
    window.facts.iNewVideoWidth = 1280;
    window.facts.iNewVideoHeight = 720;
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    ASSERT_EQ(window.layouts.size(), 1u);

    // What the window does for a resolution choice: stop, command, new size, restart.
    receiver->stopVideoView();
    httplib::Client control("127.0.0.1", sim->controlPort());
    control.set_basic_auth(camsim::kUser, camsim::kPassword);
    const auto res =
        control.Get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=3");
    ASSERT_TRUE(res);
    ASSERT_EQ(res->status, 200);
    window.facts.iNewVideoHeight = 960;
    const size_t before = window.frames();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(before + 1));
    ASSERT_EQ(window.layouts.size(), 2u);
    EXPECT_EQ(window.layouts[1], std::make_pair(1280, 960));
    EXPECT_EQ(window.shown.height, 960);
    EXPECT_EQ(window.shown.width, 1280);
}

// ---- The photo counter ----

TEST_F(StreamReceiverTest, PhotoCounter334TakesExactlyOneSnapshot) {
    startSim(scripted());
    makeReceiver();
    counter.set(3);  // as read from the settings page at connect
    sim->queueParts({jpegPart(pictureA, {"photo_cnt: 3"}), jpegPart(pictureA, {"photo_cnt: 3"}),
                     jpegPart(pictureA, {"photo_cnt: 4"}), jpegPart(sentinel)});
    receiver->startVideoView();
    ASSERT_TRUE(waitForShade(130));
    EXPECT_EQ(window.snapshots, std::vector<int64_t>{4});
    EXPECT_EQ(counter.value(), 4);
}

TEST_F(StreamReceiverTest, LowerMissingOrNonNumericCounterTakesNoSnapshot) {
    startSim(scripted());
    makeReceiver();
    counter.set(5);
    sim->queueParts({jpegPart(pictureA, {"photo_cnt: 4"}), jpegPart(pictureA, {"photo_cnt: abc"}),
                     jpegPart(pictureA, {"photo_cnt: 5"}), jpegPart(pictureA), jpegPart(sentinel)});
    receiver->startVideoView();
    ASSERT_TRUE(waitForShade(130));
    EXPECT_TRUE(window.snapshots.empty());
    EXPECT_EQ(counter.value(), 5);
}

TEST_F(StreamReceiverTest, ShutterPressOnTheCgiCameraTakesOneSnapshot) {
    startSim(live(CameraKind::Cgi));
    makeReceiver();
    counter.set(sim->photoCount());
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    EXPECT_TRUE(window.snapshots.empty());
    sim->pressShutter();
    ASSERT_TRUE(eventually([&] { return window.snapshots.size() == 1; }));
    const size_t frames = window.frames();
    ASSERT_TRUE(waitFrames(frames + 3));
    EXPECT_EQ(window.snapshots, std::vector<int64_t>{1});
}

// ---- Starting and stopping ----

TEST_F(StreamReceiverTest, RestartWhileStreamingLeavesExactlyOneConnection) {
    startSim(live(CameraKind::Wizard));
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    for (int restart = 0; restart < 3; ++restart) {
        const size_t frames = window.frames();
        receiver->startVideoView();
        ASSERT_TRUE(waitFrames(frames + 1));
    }
    ASSERT_TRUE(eventually([&] { return sim->activeStreams() == 1; }))
        << "open streams: " << sim->activeStreams();
    EXPECT_EQ(sim->streamsOpened(), 4);
    const size_t frames = window.frames();
    ASSERT_TRUE(waitFrames(frames + 2));
    EXPECT_EQ(sim->activeStreams(), 1);

    receiver->stopVideoView();
    EXPECT_FALSE(receiver->streaming());
    ASSERT_TRUE(eventually([&] { return sim->activeStreams() == 0; }));
}

TEST_F(StreamReceiverTest, PicturesOfAStoppedStreamNeverReachTheWindow) {
    startSim(live(CameraKind::Wizard, 320, 240, 0));  // as fast as they can be read
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(pollUntil([&] { return receiver->stats().picturesDecoded >= 3; }));
    receiver->stopVideoView();
    main.drain();
    EXPECT_EQ(window.frames(), 0u) << "every hand-over was still queued when the stream stopped";
}

TEST_F(StreamReceiverTest, BusyMainThreadGetsOnlyTheNewestPicture) {
    startSim(scripted());
    makeReceiver();
    window.facts.shapesPresent = true;
    // The middle picture is "changed", the last one is not: the redraw must not be lost.
    sim->queueParts({jpegPart(paddedJpeg(pictureA, 10000)), jpegPart(paddedJpeg(pictureA, 10000)),
                     jpegPart(paddedJpeg(pictureB, 20000)), jpegPart(paddedJpeg(sentinel, 20000))});
    receiver->startVideoView();
    ASSERT_TRUE(pollUntil([&] { return receiver->stats().picturesDecoded == 4; }));
    main.drain();
    ASSERT_EQ(window.frames(), 1u);
    EXPECT_EQ(receiver->stats().picturesReplaced, 3u);
    EXPECT_EQ(window.routes[0].path, FramePath::Image);
    EXPECT_NEAR(centreShade(window.shown), 130, 6);
}

TEST_F(StreamReceiverTest, UnreachableCameraEndsTheStreamSilently) {
    makeReceiver(unusedPort());
    receiver->startVideoView();
    ASSERT_TRUE(eventually([&] { return receiver->streamEnded(); }));
    EXPECT_TRUE(receiver->streaming()) << "a dead stream stays until the next stop or start";
    EXPECT_EQ(window.frames(), 0u);
    receiver->stopVideoView();
}

// ---- Faults of the stream ----

TEST_F(StreamReceiverTest, DroppedConnectionEndsTheStreamAndAStartReconnects) {
    startSim(live(CameraKind::Cgi));
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    sim->injectFault(Fault::Drop);
    ASSERT_TRUE(eventually([&] { return receiver->streamEnded(); }));
    const size_t frames = window.frames();
    receiver->startVideoView();
    EXPECT_TRUE(waitFrames(frames + 2));
}

TEST_F(StreamReceiverTest, StopDuringAStalledPartReturnsAndAStallThatEndsResumes) {
    startSim(live(CameraKind::Cgi));
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    sim->injectFault(Fault::Stall, {.stallMs = 300});
    ASSERT_TRUE(eventually([&] { return sim->faultsStarted() == 1; }));
    const size_t frames = window.frames();
    ASSERT_TRUE(waitFrames(frames + 3)) << "pictures resume after the stall";

    sim->injectFault(Fault::Stall, {.stallMs = 600000});
    ASSERT_TRUE(eventually([&] { return sim->faultsStarted() == 2; }));
    receiver->stopVideoView();  // must not wait for the stalled camera
    EXPECT_FALSE(receiver->streaming());
}

TEST_F(StreamReceiverTest, GarbagePartIsSkippedAndPicturesContinue) {
    startSim(live(CameraKind::Cgi));
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    sim->injectFault(Fault::Garbage);
    ASSERT_TRUE(eventually([&] { return receiver->stats().decodeFailures == 1; }));
    const size_t frames = window.frames();
    EXPECT_TRUE(waitFrames(frames + 2));
}

TEST_F(StreamReceiverTest, HundredMegabytePartWithoutMarkerIsDroppedWithBoundedMemory) {
    startSim(live(CameraKind::Cgi));
    makeReceiver();
    receiver->startVideoView();
    ASSERT_TRUE(waitFrames(1));
    sim->injectFault(Fault::Oversized);
    ASSERT_TRUE(main.runUntil([&] { return receiver->stats().partsDropped == 1; },
                              std::chrono::seconds(60)));
    const size_t frames = window.frames();
    ASSERT_TRUE(waitFrames(frames + 2)) << "the next part is shown again";
    const StreamStats s = receiver->stats();
    EXPECT_GE(s.bytesReceived, size_t{100} << 20);
    EXPECT_LE(s.peakBufferCapacity, 2 * StreamBuffer::kDefaultPartLimit);
}

// ---- A peer nobody here wrote ----

TEST(StreamReceiverRealPeer, ShowsTheMpjpegStreamOfFfmpeg) {
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    const uint16_t port = unusedPort();
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
    std::vector<std::string> args = {"ffmpeg",
                                     "-nostdin",
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-re",
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "testsrc2=size=1280x720:rate=30",
                                     "-f",
                                     "mpjpeg",
                                     "-content_type",
                                     "multipart/x-mixed-replace;boundary=ffmpeg",
                                     "-listen",
                                     "1",
                                     url};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawnp(&pid, "ffmpeg", nullptr, nullptr, argv.data(), environ), 0);

    test::MainQueue main;
    SnapCounter counter;
    test::FakeWindow window;
    {
        StreamReceiver receiver(CameraHost{"127.0.0.1", 0, port}, main.poster(), counter);
        receiver.setListener(&window);
        // ffmpeg needs a moment before it listens; a refused stream is simply opened again.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (window.frames() < 5 && std::chrono::steady_clock::now() < deadline) {
            if (!receiver.streaming() || receiver.streamEnded()) receiver.startVideoView();
            main.runUntil([&] { return window.frames() >= 5 || receiver.streamEnded(); },
                          std::chrono::milliseconds(200));
        }
        receiver.stopVideoView();
    }
    main.drain();
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);

    ASSERT_GE(window.frames(), 5u);
    EXPECT_EQ(window.shown.width, 1280);
    EXPECT_EQ(window.shown.height, 720);
    EXPECT_EQ(window.layerFrames.size(), window.frames());
}
