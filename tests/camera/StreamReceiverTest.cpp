#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeWindow.h"
#include "camera/LiveFrameLimit.h"
#include "camera/StreamReceiver.h"
#include "support/JpegSamples.h"
#include "support/MainQueue.h"
#include "tools/camsim/CamSim.h"

extern char** environ;

using namespace lumetra;
using namespace lumetra::camsim;
using test::centreShade;
using test::paddedJpeg;

namespace {

// A JPEG part whose body goes out in pieces split at the given offsets, with a pause
// between pieces. The default split keeps pictures of consecutive parts apart in time,
// so a main thread that keeps up gets every one of them.
ScriptedPart jpegPart(const std::string& body, const std::vector<std::string>& headers = {},
                      const std::vector<size_t>& splitAt = {1}) {
    return ScriptedPart::make("image/jpeg", body, headers, splitAt, 80);
}

// Waits for a condition without running the main thread's queue.
bool pollUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 5000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return condition();
}

// The test pictures are flat shades: A (dark), B (light) and E (the end of a script).
char letterOf(const Frame& f) {
    const int shade = centreShade(f);
    return shade < 100 ? 'A' : shade > 165 ? 'B' : 'E';
}

class StreamReceiverTest : public ::testing::Test {
protected:
    // live == false: the camera sends only the parts a test queues.
    void startCamera(bool live, camsim::CameraKind kind = camsim::CameraKind::Cgi, int width = 320,
                     int height = 240, int fps = 25) {
        sim = std::make_unique<CamSim>(CamSimOptions{
            .kind = kind, .width = width, .height = height, .fps = fps, .livePictures = live});
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        makeReceiver(sim->streamPort());
    }
    void makeReceiver(uint16_t streamPort) {
        receiver = std::make_unique<StreamReceiver>(CameraHost{"127.0.0.1", 0, streamPort},
                                                    main.poster(), counter);
        receiver->setListener(&window);
    }
    // Streams the parts, then the end picture; returns the letters of all pictures recorded.
    std::string play(std::vector<ScriptedPart> parts) {
        parts.push_back(jpegPart(pictureE));
        sim->queueParts(std::move(parts));
        const size_t before = window.recorded.size();
        auto arrived = std::chrono::steady_clock::now();
        receiver->startVideoView();
        EXPECT_TRUE(eventually(
            [&] { return !window.recorded.empty() && letterOf(window.recorded.back()) == 'E'; }));
        // Each picture carries the arrival time of its part.
        for (size_t i = before; i < window.recorded.size(); ++i) {
            EXPECT_GE(window.recorded[i].capturedAt, arrived);
            arrived = window.recorded[i].capturedAt;
        }
        EXPECT_LE(arrived, std::chrono::steady_clock::now());
        std::string letters;
        for (const Frame& f : window.recorded) letters += letterOf(f);
        return letters;
    }
    // Streams the parts one at a time, each once the window has the previous one's picture:
    // a main thread that keeps up, however slow the machine. Returns the letters recorded.
    std::string playInTurn(const std::vector<ScriptedPart>& parts) {
        receiver->startVideoView();
        for (const ScriptedPart& part : parts) {
            sim->queueParts({part});
            EXPECT_TRUE(moreFrames(1));
        }
        std::string letters;
        for (const Frame& f : window.recorded) letters += letterOf(f);
        return letters;
    }
    bool moreFrames(size_t n) {
        const size_t target = window.frames() + n;
        return eventually([&] { return window.frames() >= target; });
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

    const std::string pictureA = test::flatJpeg(64, 48, 60);
    const std::string pictureB = test::flatJpeg(64, 48, 200);
    const std::string pictureE = test::flatJpeg(64, 48, 130);
};

}  // namespace

// ---- Cutting pictures out of the parts, and the photo counter ----

TEST_F(StreamReceiverTest, ScriptedStreamsGiveTheExpectedPicturesAndSnapshots) {
    const std::string& a = pictureA;
    const size_t half = a.size() / 2;
    const ScriptedPart firstHalf = jpegPart(a.substr(0, half));
    const auto counted = [&](const char* n) {
        return jpegPart(a, {std::string("photo_cnt: ") + n});
    };
    struct Case {
        const char* recorded;  // a regular expression over the letters
        uint64_t decodeFailures;
        std::vector<int64_t> snapshots;  // the counter starts at 3
        std::vector<ScriptedPart> parts;
    };
    const std::vector<Case> cases = {
        {"AE", 0, {}, {jpegPart(a, {}, {half})}},          // end marker in a later chunk
        {"AE", 0, {}, {jpegPart(a, {}, {a.size() - 1})}},  // end marker split in two chunks
        // two markers: the picture up to the first, once per chunk holding a marker
        {"A{1,2}E", 0, {}, {jpegPart(a + pictureB, {}, {a.size()})}},
        // a part of another type leaves the buffer, a JPEG part start empties it
        {"AE", 0, {}, {firstHalf, ScriptedPart::make("text/plain", a.substr(half))}},
        {"E", 1, {}, {firstHalf, jpegPart(a.substr(half))}},
        // a picture that does not decode is neither shown nor recorded
        {"AE", 1, {}, {jpegPart(a), jpegPart(std::string("\x00not a picture\xFF\xD9", 17))}},
        {"AAAE", 0, {4}, {counted("3"), counted("3"), counted("4")}},
        {"AAAAE", 0, {}, {counted("2"), counted("abc"), counted("3"), jpegPart(a)}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        TearDown();
        window = test::FakeWindow{};
        counter.set(3);
        ASSERT_NO_FATAL_FAILURE(startCamera(false));
        EXPECT_THAT(play(c.parts), ::testing::MatchesRegex(c.recorded));
        EXPECT_EQ(window.frames(), window.recorded.size()) << "every picture shown is recorded";
        EXPECT_EQ(receiver->stats().decodeFailures, c.decodeFailures);
        EXPECT_EQ(window.snapshots, c.snapshots);
        EXPECT_EQ(counter.value(), c.snapshots.empty() ? 3 : c.snapshots.back());
    }
}

TEST_F(StreamReceiverTest, ShutterRisesWhileARequestWaitsMergeIntoIt) {
    counter.set(3);
    ASSERT_NO_FATAL_FAILURE(startCamera(false));
    std::vector<ScriptedPart> parts;
    for (int n = 4; n <= 13; ++n)
        parts.push_back(jpegPart(pictureA, {"photo_cnt: " + std::to_string(n)}, {}));
    sim->queueParts(std::move(parts));
    receiver->startVideoView();
    // The main thread is busy (not run) while the counter rises on every part.
    ASSERT_TRUE(pollUntil([&] { return receiver->stats().partsStarted >= 10; }));
    main.drain();
    EXPECT_EQ(window.snapshots, std::vector<int64_t>{13});
    EXPECT_EQ(receiver->stats().snapshotsMerged, 9u);
}

// ---- The change mark and the display rule ----

TEST_F(StreamReceiverTest, ChangeMarkDecidesTheRedrawAlsoWhenABusyMainThreadSkipsPictures) {
    for (const bool shape : {true, false}) {
        SCOPED_TRACE(shape ? "with a shape" : "plain view");
        TearDown();
        window = test::FakeWindow{};
        window.facts.shapesPresent = shape;
        ASSERT_NO_FATAL_FAILURE(startCamera(false));
        std::vector<ScriptedPart> parts;
        for (const size_t bytes : {10000, 10080, 10000, 10081, 10000})
            parts.push_back(jpegPart(paddedJpeg(parts.size() % 2 ? pictureB : pictureA, bytes)));
        EXPECT_EQ(playInTurn(parts), "ABABA");
        using enum FramePath;
        const std::vector<FramePath> expected =
            shape ? std::vector{Image, None, None, Image, Image} : std::vector(5, Layer);
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(window.routes[i].path, expected[i]) << "picture " << i;

        // A busy main thread gets only the newest picture, and a redraw is not lost on the
        // way: the replaced picture is "changed", the newest one is not.
        const uint64_t decoded = receiver->stats().picturesDecoded;
        const size_t shown = window.frames();
        sim->queueParts({jpegPart(paddedJpeg(pictureB, 20000), {}, {}),
                         jpegPart(paddedJpeg(pictureE, 20000), {}, {})});
        ASSERT_TRUE(pollUntil([&] { return receiver->stats().picturesDecoded == decoded + 2; }));
        main.drain();
        EXPECT_EQ(receiver->stats().picturesReplaced, 1u);
        EXPECT_EQ(window.routes.back().path, shape ? Image : Layer);
        EXPECT_EQ(window.frames(), shown + 1);
    }
}

TEST_F(StreamReceiverTest, SourceSizeChangeInOneDimensionLaysTheViewOutAgain) {
    startCamera(true, camsim::CameraKind::Cgi, 1280, 720, 10);
    window.facts.iNewVideoWidth = 1280;
    window.facts.iNewVideoHeight = 720;
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(1));
    ASSERT_EQ(window.layouts.size(), 1u);

    // What the window does for a resolution choice: stop, command, new size, restart.
    receiver->stopVideoView();
    httplib::Client control("127.0.0.1", sim->controlPort());
    control.set_basic_auth(kUser, kPassword);
    const auto res =
        control.Get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=3");
    ASSERT_TRUE(res && res->status == 200);
    window.facts.iNewVideoHeight = 960;
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(1));
    ASSERT_EQ(window.layouts.size(), 2u);
    EXPECT_EQ(window.layouts[1], std::make_pair(1280, 960));
    EXPECT_EQ(window.shown.height, 960);
}

TEST_F(StreamReceiverTest, AScreenShowingThePictureSmallerGetsItHalvedWithItsFullPicture) {
    startCamera(true, camsim::CameraKind::Cgi, 640, 480, 10);
    receiver->setShownSize({300, 240});
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(1));
    const Frame halved = window.recorded.back();
    EXPECT_EQ(std::pair(halved.width, halved.height), std::pair(320, 240));
    EXPECT_EQ(std::pair(halved.fullWidth(), halved.fullHeight()), std::pair(640, 480));
    EXPECT_EQ(halved.full().width, 640);
}

// ---- Starting and stopping ----

TEST_F(StreamReceiverTest, RestartLeavesExactlyOneConnectionAndStopDropsPicturesOnTheirWay) {
    startCamera(true, camsim::CameraKind::Wizard, 320, 240, 0);  // as fast as they can be read
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(1));
    for (int restart = 0; restart < 3; ++restart) {
        receiver->startVideoView();
        ASSERT_TRUE(moreFrames(1));
    }
    ASSERT_TRUE(eventually([&] { return sim->activeStreams() == 1; }))
        << "open streams: " << sim->activeStreams();
    EXPECT_EQ(sim->streamsOpened(), 4);

    const uint64_t decoded = receiver->stats().picturesDecoded;
    ASSERT_TRUE(pollUntil([&] { return receiver->stats().picturesDecoded >= decoded + 3; }));
    const size_t shown = window.frames();  // a hand-over is waiting on the main thread now
    receiver->stopVideoView();
    main.drain();
    EXPECT_EQ(window.frames(), shown) << "a picture of the stopped stream reached the window";
    EXPECT_TRUE(eventually([&] { return sim->activeStreams() == 0; }));
    EXPECT_EQ(window.streamsEnded, 0) << "restarted and stopped streams did not end by themselves";
}

// ---- Faults of the stream ----

TEST_F(StreamReceiverTest, StreamFaultsNeverStopThePicturesForGood) {
    startCamera(true);
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(1));
    sim->injectFault(Fault::Garbage);
    // Random bytes may hold more end markers than the last one: each chunk that completes
    // one cuts another (failing) picture, so how many depends on how the part arrives.
    ASSERT_TRUE(eventually([&] { return receiver->stats().decodeFailures >= 1; }));
    ASSERT_TRUE(moreFrames(2)) << "pictures continue after a garbage part";

    sim->injectFault(Fault::Oversized);  // 100 MiB without an end marker
    ASSERT_TRUE(main.runUntil([&] { return receiver->stats().partsDropped == 1; },
                              std::chrono::seconds(60)));
    ASSERT_TRUE(moreFrames(2)) << "the part after the oversized one is shown";
    EXPECT_GE(receiver->stats().bytesReceived, size_t{100} << 20);
    EXPECT_LE(receiver->stats().peakBufferCapacity, 2 * StreamBuffer::kDefaultPartLimit);

    sim->injectFault(Fault::Stall, {.stallMs = 300});
    ASSERT_TRUE(eventually([&] { return sim->faultsStarted() == 3; }));
    ASSERT_TRUE(moreFrames(3)) << "pictures resume after a stall";

    sim->injectFault(Fault::Drop);
    ASSERT_TRUE(eventually([&] { return window.streamsEnded == 1; }));
    EXPECT_TRUE(receiver->streamEnded());
    receiver->startVideoView();
    ASSERT_TRUE(moreFrames(2)) << "a start after a dropped connection reconnects";

    sim->injectFault(Fault::Stall, {.stallMs = 600000});
    ASSERT_TRUE(eventually([&] { return sim->faultsStarted() == 5; }));
    receiver->stopVideoView();  // must not wait for the stalled camera
    main.drain();
    EXPECT_EQ(window.streamsEnded, 1) << "a stopped stream is not reported as ended";

    sim.reset();
    receiver->startVideoView();
    ASSERT_TRUE(eventually([&] { return window.streamsEnded == 2; })) << "camera gone";
    EXPECT_TRUE(receiver->streaming()) << "a dead stream stays until the next stop or start";
}

// A few hundred bytes whose frame header claims a huge picture are refused before
// any memory is committed: resident size stays flat, nothing is shown, and stopping
// is not held up by a decoder busy with a fake picture.
TEST_F(StreamReceiverTest, HostilePictureSizesAreRefusedWithoutMemoryOrDelay) {
    const auto peakResidentKiB = [] {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    ASSERT_NO_FATAL_FAILURE(startCamera(false));
    receiver->setPictureLimit(liveFrameLimit(64, 48));  // the camera announced 64 x 48
    const long before = peakResidentKiB();
    const std::string progressive = test::progressiveJpeg(64, 48, 60);
    std::vector<ScriptedPart> parts;
    for (int i = 0; i < 3; ++i) {
        for (const uint16_t side : {8192, 20000, 60000})
            parts.push_back(jpegPart(test::claimingSize(pictureA, side, side)));
        parts.push_back(jpegPart(test::claimingSize(progressive, 8192, 8192)));
        parts.push_back(jpegPart(test::flatJpeg(64 + 17, 48, 60)));  // beyond the margin
    }
    EXPECT_EQ(play(parts), "E");
    EXPECT_EQ(receiver->stats().decodeFailures, 15u);
    EXPECT_LT(peakResidentKiB() - before, 64 * 1024) << "KiB more resident";

    std::vector<ScriptedPart> endless;
    for (int i = 0; i < 200; ++i)
        endless.push_back(jpegPart(test::claimingSize(pictureA, 20000, 20000), {}, {}));
    sim->queueParts(std::move(endless));
    ASSERT_TRUE(pollUntil([&] { return receiver->stats().decodeFailures >= 16; }));
    const auto stopStart = std::chrono::steady_clock::now();
    receiver->stopVideoView();
    EXPECT_LT(std::chrono::steady_clock::now() - stopStart, std::chrono::milliseconds(100));
}

// A picture cut short is never shown: closed with an end marker it decodes with grey in
// place of what is missing and counts as a failure; without one it gives no picture and
// counts as a part cut short. The window keeps the picture before it.
TEST_F(StreamReceiverTest, PicturesCutShortAreCountedAndNeverShown) {
    ASSERT_NO_FATAL_FAILURE(startCamera(false));
    EXPECT_EQ(play({jpegPart(pictureA), jpegPart(test::cutScan(pictureB, true)),
                    jpegPart(test::cutScan(pictureB, false)), jpegPart(pictureA)}),
              "AAE");
    EXPECT_EQ(receiver->stats().decodeFailures, 1u);
    EXPECT_EQ(receiver->stats().partsCutShort, 1u);
}

// ---- A peer nobody here wrote ----

TEST_F(StreamReceiverTest, ShowsTheMpjpegStreamOfFfmpeg) {
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    startCamera(false);  // only to find a free port on 127.0.0.1
    const uint16_t port = sim->streamPort();
    TearDown();
    const std::string command =
        "exec ffmpeg -nostdin -hide_banner -loglevel error -re -f lavfi -i "
        "testsrc2=size=1280x720:rate=30 -f mpjpeg -content_type "
        "'multipart/x-mixed-replace;boundary=ffmpeg' -listen 1 http://127.0.0.1:" +
        std::to_string(port) + "/";
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char* const*>(argv), environ),
              0);

    makeReceiver(port);
    // ffmpeg needs a moment before it listens; a refused stream is simply opened again.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (window.frames() < 5 && std::chrono::steady_clock::now() < deadline) {
        if (!receiver->streaming() || receiver->streamEnded()) receiver->startVideoView();
        main.runUntil([&] { return window.frames() >= 5 || receiver->streamEnded(); },
                      std::chrono::milliseconds(200));
    }
    TearDown();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);

    ASSERT_GE(window.frames(), 5u);
    EXPECT_EQ(window.shown.width, 1280);
    EXPECT_EQ(window.shown.height, 720);
    EXPECT_EQ(window.layerFrames.size(), window.frames());
}
