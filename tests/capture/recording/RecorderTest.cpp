#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture/recording/Recorder.h"
#include "image/FullPicture.h"
#include "image/JpegCodec.h"
#include "support/FileSizeLimit.h"
#include "support/GreyFrame.h"
#include "support/MainQueue.h"
#include "support/MovieReader.h"
#include "support/TempDir.h"

using namespace lumetra;
using test::greyFrame;
using test::readMovie;
using ::testing::DoubleNear;
using ::testing::Pointwise;
namespace fs = std::filesystem;

namespace {

constexpr const char* kStamp = "20250303090507";

// A picture that changes from frame to frame; with noise it barely compresses.
Frame picture(int w, int h, int index, bool noise = false) {
    Frame f = Frame::allocate(w, h);
    uint32_t seed = static_cast<uint32_t>(index) * 2654435761u + 1;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const auto shade =
                static_cast<uint8_t>(noise ? seed >> 24 : (x + y + index * 4) & 0xFF);
            row[4 * x] = shade;
            row[4 * x + 1] = static_cast<uint8_t>(255 - shade);
            row[4 * x + 2] = static_cast<uint8_t>(y);
            row[4 * x + 3] = 255;
        }
    }
    return f;
}

// A frame shown reduced whose full picture does not decode.
Frame undecodable(int index) {
    Frame f = picture(64, 48, index);
    const std::vector<uint8_t> broken = {0xFF, 0xD8, 0xFF, 0xD9};
    f.fullPicture = std::make_shared<FullPicture>(broken, JpegInfo{128, 96}, JpegInfo{128, 96},
                                                  FullPicture::Finish{});
    return f;
}

// Capture times of a camera delivering fps frames a second from an arbitrary start.
std::chrono::steady_clock::time_point captureTime(int index, int fps) {
    return std::chrono::steady_clock::time_point(std::chrono::seconds(1000)) +
           std::chrono::nanoseconds(int64_t{1000000000} * index / fps);
}

struct Events : RecorderListener {
    std::vector<std::string> log;  // "started <path>", "thumbnail <path>", ...
    std::string reason;
    uint64_t framesLeftOut = 0;
    void started(const std::string& p) override { log.push_back("started " + p); }
    void thumbnailWritten(const std::string& p) override { log.push_back("thumbnail " + p); }
    void thumbnailFailed(const std::string& p, const std::string& r) override {
        log.push_back("no thumbnail " + p);
        reason = r;
    }
    void finished(const std::string& p, uint64_t leftOut) override {
        log.push_back("finished " + p);
        framesLeftOut = leftOut;
    }
    void failed(const std::string& r) override {
        log.push_back("failed");
        reason = r;
    }
    bool ended() const {
        return !log.empty() && (log.back().starts_with("finished") || log.back() == "failed");
    }
};

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() {
        Recorder::Options options;
        options.timestamp = [] { return std::string(kStamp); };
        // The writer never falls behind a test: every written frame is taken.
        options.queueCapacity = 1000;
        recorder = std::make_unique<Recorder>(main.poster(), options);
        recorder->setListener(&events);
    }

    RecordPress press(int w = 64, int h = 48) {
        return recorder->onTakeVideoAction(true, {folder(), w, h});
    }
    // The camera delivers before the press.
    RecordPress start(int w = 64, int h = 48) {
        feed(1, w, h);
        return press(w, h);
    }
    std::string folder() const { return dir.path().string() + "/"; }
    // count frames at fps, with capture times going on from the last fed one.
    void feed(int count, int w = 64, int h = 48, int fps = 10) {
        for (int i = 0; i < count; ++i, ++fed) deliver(picture(w, h, fed), fed, fps);
    }
    // The frame as captured at `index` by a camera delivering fps frames a second.
    void deliver(Frame frame, int index, int fps = 10) {
        frame.capturedAt = captureTime(index, fps);
        recorder->recordingVideo(frame);
    }
    bool waitForEnd() {
        return main.runUntil([&] { return events.ended(); }, std::chrono::seconds(60));
    }
    // The camera stops delivering: true once the recording ended.
    bool cameraStops() { return recorder->framesStopped() && waitForEnd(); }

    test::TempDir dir;
    test::MainQueue main;
    Events events;
    std::unique_ptr<Recorder> recorder;
    int fed = 0;
};

}  // namespace

// Whatever the camera's rate, the movie lasts as long as its recording: from the
// first frame after the press (the thumbnail, and the movie's first picture) to
// the frame that ends it; every second frame is written at its capture time.
TEST_F(RecorderTest, MovieLastsAsLongAsItsRecordingAtAnyCameraRate) {
    for (const int fps : {5, 15, 30}) {
        SCOPED_TRACE(fps);
        events.log.clear();
        feed(1, 320, 240, fps);
        ASSERT_EQ(press(320, 240), RecordPress::Started);
        const std::string movie = recorder->videoFileName();
        const int first = fed;
        const int frames = 4 * fps + 1;  // four seconds and a bit
        feed(frames, 320, 240, fps);
        EXPECT_EQ(press(320, 240), RecordPress::Stopped);
        feed(1, 320, 240, fps);  // the stopping frame finishes the file
        EXPECT_EQ(recorder->state(), RecordState::Idle);
        ASSERT_TRUE(waitForEnd());

        const std::vector<std::string> expected = {
            "started " + movie, "thumbnail " + movie + ".jpg", "finished " + movie};
        EXPECT_EQ(events.log, expected);  // the thumbnail comes before the movie is finished
        const auto thumbnail = decodeJpegFile(movie + ".jpg");
        ASSERT_TRUE(thumbnail);
        EXPECT_EQ(thumbnail->width, 320);

        const auto read = readMovie(movie);
        ASSERT_EQ(read.codec, AV_CODEC_ID_H264);
        EXPECT_EQ(read.width, 320);
        EXPECT_EQ(read.height, 240);
        ASSERT_EQ(read.times.size(), static_cast<size_t>((frames + 1) / 2));
        EXPECT_NEAR(read.times.front(), 0.0, 1e-6);
        EXPECT_NEAR(read.times[1], 2.0 / fps, 1e-4);
        const double recorded = static_cast<double>(fed - 1 - first) / fps;
        EXPECT_NEAR(read.duration, recorded, 1.0 / fps);
    }
}

// A resolution change during a recording: the new frames keep their aspect inside
// the track's size, with black bars above and below.
TEST_F(RecorderTest, ResolutionChangeKeepsTheAspect) {
    ASSERT_EQ(start(320, 240), RecordPress::Started);
    for (int i = 0; i < 4; ++i)
        deliver(i >= 2 ? greyFrame(640, 360, 255) : greyFrame(320, 240, 255), fed++);
    ASSERT_TRUE(cameraStops());
    const auto read = readMovie(recorder->videoFileName());
    ASSERT_EQ(read.width, 320);
    ASSERT_EQ(read.height, 240);
    ASSERT_EQ(read.lastLuma.size(), 320u * 240u);
    // 16:9 at 320 wide is 180 high: 30 rows of black above and below.
    for (const int y : {2, 26, 214, 237}) EXPECT_LT(read.luma(160, y), 40) << y;
    for (const int y : {34, 120, 205}) EXPECT_GT(read.luma(160, y), 200) << y;
    for (const int x : {1, 318}) EXPECT_GT(read.luma(x, 120), 200) << x;
}

TEST_F(RecorderTest, PressesTakeEffectOnlyWhereTheyFit) {
    EXPECT_EQ(recorder->onTakeVideoAction(false, {folder(), 64, 48}), RecordPress::Ignored);
    EXPECT_EQ(press(), RecordPress::Refused) << "no picture came from the camera";
    EXPECT_EQ(recorder->state(), RecordState::Idle);

    // A press while starting (no frame yet) abandons: nothing stays on disk.
    ASSERT_EQ(start(), RecordPress::Started);
    EXPECT_EQ(recorder->state(), RecordState::Starting);
    EXPECT_EQ(press(), RecordPress::Stopped);
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events.log.back(), "failed");
    EXPECT_TRUE(fs::is_empty(dir.path()));

    events.log.clear();
    ASSERT_EQ(press(), RecordPress::Started);
    feed(1);
    EXPECT_EQ(recorder->state(), RecordState::Recording);
    EXPECT_EQ(press(), RecordPress::Stopped);
    EXPECT_EQ(recorder->state(), RecordState::Stopping);
    // No frame comes: a second press finishes the file.
    EXPECT_EQ(press(), RecordPress::Ignored);
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    EXPECT_FALSE(recorder->framesStopped());
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(events.log.back().starts_with("finished"));
    EXPECT_EQ(press(), RecordPress::Refused) << "the camera stopped: nothing delivers";
}

TEST_F(RecorderTest, ClockCountsSecondsMinutesAndHours) {
    ASSERT_EQ(start(), RecordPress::Started);
    EXPECT_EQ(recorder->updateTimer(), "00:00:01");
    std::string text;
    for (int tick = 2; tick <= 3725; ++tick) text = recorder->updateTimer();
    EXPECT_EQ(text, "01:02:05");
    feed(1);
    press();  // stopping resets the clock
    EXPECT_EQ(recorder->updateTimer(), "00:00:01");
}

// The camera stops mid-recording: the file is finished at once, a frame that
// could not be converted is left out (the one before shows longer), and the last
// frame shows as long as the one before it.
TEST_F(RecorderTest, CameraStoppingMidRecordingFinishesTheFile) {
    ASSERT_EQ(start(), RecordPress::Started);
    feed(11);  // thumbnail at 0.1 s + 5 written frames
    // Dropped half of a pair, then a written one that cannot be converted.
    for (int i = 0; i < 2; ++i) deliver(Frame{}, fed++);
    feed(4);  // 2 more
    EXPECT_TRUE(recorder->framesStopped());
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_TRUE(waitForEnd());
    const auto read = readMovie(recorder->videoFileName());
    EXPECT_THAT(read.times, Pointwise(DoubleNear(1e-4), {0.0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.4, 1.6}));
    EXPECT_NEAR(read.duration, 1.8, 1e-4);
}

// Frames whose full picture does not decode are left out and counted; the others keep
// their capture times, the movie beginning with the first one that decodes.
TEST_F(RecorderTest, FramesThatDoNotDecodeAreCountedAndKeepTheTiming) {
    ASSERT_EQ(start(128, 96), RecordPress::Started);
    const std::string movie = recorder->videoFileName();
    deliver(undecodable(fed), fed);
    ++fed;
    feed(11, 128, 96);               // 5 written frames
    deliver(undecodable(fed), fed);  // written
    ++fed;
    feed(4, 128, 96);  // 2 more
    ASSERT_TRUE(cameraStops());
    const std::vector<std::string> log = {"started " + movie, "no thumbnail " + movie + ".jpg",
                                          "finished " + movie};
    EXPECT_EQ(events.log, log);
    EXPECT_EQ(events.reason, "Could not write " + movie +
                                 ".jpg: the picture could not be decoded at its full size.");
    EXPECT_EQ(events.framesLeftOut, 2u);
    EXPECT_EQ(recorder->stats().framesLeftOut, 2u);
    const auto read = readMovie(movie);
    EXPECT_THAT(read.times, Pointwise(DoubleNear(1e-4), {0.2, 0.4, 0.6, 0.8, 1.0, 1.4, 1.6}));
    EXPECT_NEAR(read.duration, 1.8 - 0.2, 1e-4);
}

TEST_F(RecorderTest, RecordingOfNoDecodablePictureSaysSo) {
    ASSERT_EQ(start(128, 96), RecordPress::Started);
    for (int i = 0; i < 5; ++i, ++fed) deliver(undecodable(fed), fed);
    ASSERT_TRUE(cameraStops());
    EXPECT_EQ(events.log.back(), "failed");
    EXPECT_EQ(events.reason,
              "The camera's pictures could not be decoded or converted, so nothing was recorded.");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// Frames without a later capture time (a clock that stands still, a camera whose
// times jump back) still get strictly increasing presentation times.
TEST_F(RecorderTest, PresentationTimesAlwaysIncrease) {
    ASSERT_EQ(start(), RecordPress::Started);
    for (int i = 0; i < 6; ++i) deliver(picture(64, 48, i), i < 3 ? 5 : 1);
    ASSERT_TRUE(cameraStops());
    const auto read = readMovie(recorder->videoFileName());
    ASSERT_EQ(read.times.size(), 3u);
    EXPECT_LT(read.times[0], read.times[1]);
    EXPECT_LT(read.times[1], read.times[2]);
}

// Recordings started within one second never replace or delete each other, also
// when only a thumbnail holds a name; the recorder's end finishes the running one.
TEST_F(RecorderTest, SameSecondRecordingsGetSuffixes) {
    std::ofstream(folder() + kStamp + "-1.mp4.jpg") << "a thumbnail whose movie was deleted";
    std::vector<std::string> movies;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(start(), RecordPress::Started);
        movies.push_back(recorder->videoFileName());
        feed(5);
        if (i == 0) {
            ASSERT_TRUE(recorder->framesStopped());
        }
    }
    recorder.reset();  // the window closes while recording
    EXPECT_EQ(movies[0], folder() + kStamp + ".mp4");
    EXPECT_EQ(movies[1], folder() + kStamp + "-2.mp4");
    for (const auto& movie : movies) {
        EXPECT_EQ(readMovie(movie).times.size(), 3u) << movie;
        EXPECT_TRUE(fs::exists(movie + ".jpg"));
    }
}

TEST_F(RecorderTest, RecordingsThatCannotStartSayWhy) {
    feed(1);
    // A folder that does not exist: nothing starts.
    EXPECT_EQ(recorder->onTakeVideoAction(true, {folder() + "gone/", 64, 48}), RecordPress::Failed);
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_TRUE(waitForEnd());
    EXPECT_NE(events.reason.find("gone"), std::string::npos);

    // A size the encoder refuses: the recorder goes back to idle, no file stays.
    events.log.clear();
    ASSERT_EQ(press(1, 1), RecordPress::Started);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events.log.back(), "failed");
    EXPECT_NE(events.reason.find("1 x 1"), std::string::npos);
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// The thumbnail cannot be written (its name was taken meanwhile): that is said,
// and the movie is recorded all the same.
TEST_F(RecorderTest, ThumbnailThatCannotBeWrittenIsReported) {
    ASSERT_EQ(start(), RecordPress::Started);
    const std::string movie = recorder->videoFileName();
    std::ofstream(movie + ".jpg") << "taken";
    feed(5);
    ASSERT_TRUE(cameraStops());
    const std::vector<std::string> expected = {"started " + movie, "no thumbnail " + movie + ".jpg",
                                               "finished " + movie};
    EXPECT_EQ(events.log, expected);
    EXPECT_NE(events.reason.find(movie + ".jpg"), std::string::npos) << events.reason;
    EXPECT_EQ(readMovie(movie).times.size(), 3u);
}

// A process killed in the middle of a recording leaves a movie that plays every
// second written before its last fragment.
TEST_F(RecorderTest, KilledRecordingKeepsItsWrittenSeconds) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        start(160, 120);
        feed(101, 160, 120, 20);  // 51 written frames: five seconds
        main.runUntil([&] { return recorder->stats().framesEncoded == 51; });
        (void)!::write(pipeEnds[1], "k", 1);
        ::pause();
        ::_exit(0);
    }
    pollfd ready{pipeEnds[0], POLLIN, 0};
    EXPECT_EQ(::poll(&ready, 1, 60000), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);

    const auto read = readMovie(folder() + kStamp + ".mp4");
    ASSERT_EQ(read.codec, AV_CODEC_ID_H264);
    // Every second up to the fragment still open (the fifth) reads back.
    size_t contiguous = 0;
    while (contiguous < read.times.size() &&
           std::abs(read.times[contiguous] - 0.1 * static_cast<double>(contiguous)) < 1e-4)
        ++contiguous;
    EXPECT_GE(contiguous, 40u);
}

// The disk is full before the first fragment: neither an empty movie nor its
// thumbnail stays, and the reason is said.
TEST_F(RecorderTest, MovieWithoutPicturesIsRemoved) {
    EXPECT_TRUE(test::passesInChildWithFileSizeLimit(16 * 1024, [&] {
        recorder->recordingVideo(greyFrame(320, 240, 90));
        press(320, 240);
        deliver(greyFrame(320, 240, 90), 0);  // a small thumbnail
        for (int i = 1; i < 200 && !events.ended(); ++i) {
            deliver(picture(320, 240, i, true), i);
            main.drain();
        }
        main.runUntil([&] { return events.ended(); });
        const std::string movie = recorder->videoFileName();
        return events.log.back() == "failed" &&
               events.reason.find("File too large") != std::string::npos && !fs::exists(movie) &&
               !fs::exists(movie + ".jpg") &&
               std::find(events.log.begin(), events.log.end(), "thumbnail " + movie + ".jpg") !=
                   events.log.end();
    }));
}

TEST_F(RecorderTest, FullDiskStopsWithAReasonAndAPlayableFile) {
    EXPECT_TRUE(test::passesInChildWithFileSizeLimit(600 * 1024, [&] {
        start(160, 120);
        for (int i = 0; i < 2000 && !events.ended(); ++i) {
            deliver(picture(160, 120, i % 16, true), i, 20);
            main.drain();
        }
        main.runUntil([&] { return events.ended(); });
        return events.log.back() == "failed" &&
               events.reason.find("File too large") != std::string::npos &&
               recorder->state() == RecordState::Idle;
    }));
    const auto read = readMovie(folder() + kStamp + ".mp4");
    ASSERT_EQ(read.codec, AV_CODEC_ID_H264);
    EXPECT_GE(read.times.size(), 10u);
}
