#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture/recording/Recorder.h"
#include "image/JpegCodec.h"
#include "support/MainQueue.h"
#include "support/MovieReader.h"
#include "support/TempDir.h"

using namespace lumetra;
using test::readMovie;
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

struct Events : RecorderListener {
    std::vector<std::string> log;  // "started <path>", "thumbnail <path>", ...
    std::string reason;
    void started(const std::string& p) override { log.push_back("started " + p); }
    void thumbnailWritten(const std::string& p) override { log.push_back("thumbnail " + p); }
    void finished(const std::string& p) override { log.push_back("finished " + p); }
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
        // The writer never falls behind a test: every written slot holds a frame.
        options.queueCapacity = 1000;
        recorder = std::make_unique<Recorder>(main.poster(), options);
        recorder->setListener(&events);
    }

    RecordPress press(int w = 64, int h = 48) {
        return recorder->onTakeVideoAction(true, {folder(), w, h});
    }
    std::string folder() const { return dir.path().string() + "/"; }
    void feed(int count, int w = 64, int h = 48) {
        for (int i = 0; i < count; ++i) recorder->recordingVideo(picture(w, h, fed++));
    }
    bool waitForEnd() {
        return main.runUntil([&] { return events.ended(); }, std::chrono::seconds(60));
    }

    test::TempDir dir;
    test::MainQueue main;
    Events events;
    std::unique_ptr<Recorder> recorder;
    int fed = 0;
};

}  // namespace

// 20 frames a second for 10 seconds: the first frame is the thumbnail, every
// second one after it is written, each a tenth of a second of movie.
TEST_F(RecorderTest, TwentyFramesASecondRecordInRealTime) {
    ASSERT_EQ(press(320, 240), RecordPress::Started);
    const std::string movie = folder() + kStamp + ".mp4";
    for (int i = 0; i < 200; ++i) {
        // Some frames come at another size (a resolution change): they are scaled.
        const bool other = i % 25 == 7;
        recorder->recordingVideo(picture(other ? 640 : 320, other ? 480 : 240, i));
    }
    EXPECT_EQ(recorder->fFrameCount(), 100u);
    EXPECT_EQ(recorder->onTakeVideoAction(true, {folder(), 320, 240}), RecordPress::Stopped);
    recorder->recordingVideo(picture(320, 240, 0));  // the stopping frame finishes the file
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_TRUE(waitForEnd());

    const std::vector<std::string> expected = {"started " + movie, "thumbnail " + movie + ".jpg",
                                               "finished " + movie};
    EXPECT_EQ(events.log, expected);  // the thumbnail comes before the movie is finished
    const auto thumbnail = decodeJpegFile(movie + ".jpg");
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->width, 320);

    const auto read = readMovie(movie);
    ASSERT_EQ(read.codec, AV_CODEC_ID_H264);
    EXPECT_EQ(read.width, 320);
    EXPECT_EQ(read.height, 240);
    ASSERT_EQ(read.times.size(), 99u);
    EXPECT_NEAR(read.times.front(), 0.1, 1e-6);
    EXPECT_NEAR(read.times.back(), 9.9, 1e-6);
}

TEST_F(RecorderTest, PressesTakeEffectOnlyWhereTheyFit) {
    EXPECT_EQ(recorder->onTakeVideoAction(false, {folder(), 64, 48}), RecordPress::Ignored);
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_EQ(press(), RecordPress::Started);
    EXPECT_EQ(press(), RecordPress::Ignored);  // still starting: no frame yet
    EXPECT_EQ(recorder->state(), RecordState::Starting);
    feed(1);
    EXPECT_EQ(recorder->state(), RecordState::Recording);
    EXPECT_EQ(press(), RecordPress::Stopped);
    EXPECT_EQ(press(), RecordPress::Ignored);  // stopping waits for the next frame
    EXPECT_EQ(recorder->state(), RecordState::Stopping);
    EXPECT_TRUE(recorder->framesStopped());  // ...or for the camera to stop
    EXPECT_FALSE(recorder->framesStopped());
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(events.log.back().starts_with("finished"));
}

TEST_F(RecorderTest, ClockCountsSecondsMinutesAndHours) {
    ASSERT_EQ(press(), RecordPress::Started);
    EXPECT_EQ(recorder->updateTimer(), "00:00:01");
    std::string text;
    for (int tick = 2; tick <= 3725; ++tick) text = recorder->updateTimer();
    EXPECT_EQ(text, "01:02:05");
    feed(1);
    press();  // stopping resets the clock
    EXPECT_EQ(recorder->updateTimer(), "00:00:01");
}

// The camera stops mid-recording: the file is finished at once, a frame that
// could not be converted leaves its slot empty, and nothing is lost.
TEST_F(RecorderTest, CameraStoppingMidRecordingFinishesTheFile) {
    ASSERT_EQ(press(), RecordPress::Started);
    feed(11);                           // thumbnail + 5 written frames
    recorder->recordingVideo(Frame{});  // dropped half of a pair
    recorder->recordingVideo(Frame{});  // a broken frame: slot 0.6 s stays empty
    feed(4);                            // 2 more
    EXPECT_TRUE(recorder->framesStopped());
    EXPECT_EQ(recorder->state(), RecordState::Idle);
    ASSERT_TRUE(waitForEnd());
    const auto read = readMovie(recorder->videoFileName());
    const std::vector<double> expected = {0.1, 0.2, 0.3, 0.4, 0.5, 0.7, 0.8};
    ASSERT_EQ(read.times.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(read.times[i], expected[i], 1e-6);
}

// Recordings started within one second never replace or delete each other, also
// when only a thumbnail holds a name; the recorder's end finishes the running one.
TEST_F(RecorderTest, SameSecondRecordingsGetSuffixes) {
    std::ofstream(folder() + kStamp + "-1.mp4.jpg") << "a thumbnail whose movie was deleted";
    std::vector<std::string> movies;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(press(), RecordPress::Started);
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
        EXPECT_EQ(readMovie(movie).times.size(), 2u) << movie;
        EXPECT_TRUE(fs::exists(movie + ".jpg"));
    }
}

TEST_F(RecorderTest, RecordingsThatCannotStartSayWhy) {
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

// A process killed in the middle of a recording leaves a movie that plays every
// second written before its last fragment.
TEST_F(RecorderTest, KilledRecordingKeepsItsWrittenSeconds) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        press(160, 120);
        feed(101);  // thumbnail + 50 written frames: five seconds
        main.runUntil([&] { return recorder->stats().framesEncoded == 50; });
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
           std::abs(read.times[contiguous] - 0.1 * static_cast<double>(contiguous + 1)) < 1e-6)
        ++contiguous;
    EXPECT_GE(contiguous, 40u);
}

// The disk fills up (a file size limit makes writes fail): the recording stops
// with a reason and the movie plays up to its last complete fragment.
TEST_F(RecorderTest, FullDiskStopsWithAReasonAndAPlayableFile) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{600 * 1024, 600 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        press(160, 120);
        for (int i = 0; i < 2000 && !events.ended(); ++i) {
            recorder->recordingVideo(picture(160, 120, i % 16, true));
            main.drain();
        }
        main.runUntil([&] { return events.ended(); });
        const bool stopped = events.log.back() == "failed" &&
                             events.reason.find("File too large") != std::string::npos &&
                             recorder->state() == RecordState::Idle;
        ::_exit(stopped ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto read = readMovie(folder() + kStamp + ".mp4");
    ASSERT_EQ(read.codec, AV_CODEC_ID_H264);
    EXPECT_GE(read.times.size(), 10u);
}
