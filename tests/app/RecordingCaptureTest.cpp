#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/RecordingCapture.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

struct CountingSounds : SoundPlayer {
    explicit CountingSounds(std::vector<std::string>& log) : played(log) {}
    void play(const SoundResource& sound) override { played.push_back(sound.name); }
    std::vector<std::string>& played;
};

}  // namespace

// The record button through the window: start sound and image, the thumbnail in the
// video list before the movie ends, stop sound, and a finished file.
TEST(RecordingCapture, RecordButtonRecordsIntoTheVideoFolder) {
    WindowHarness h;
    std::vector<std::string> sounds;
    RecordingCapture recording(h.window->captureBar(), h.settings(),
                               std::make_unique<CountingSounds>(sounds));
    h.window->captureBar().setRecordingSide(&recording);
    h.ui().capture.btTakevideo->click();
    EXPECT_EQ(recording.recorder().state(), RecordState::Idle) << "no camera, no recording";

    h.connectCamera();
    h.frame();
    h.ui().capture.btTakevideo->click();
    EXPECT_EQ(imageOf(h.ui().capture.btTakevideo), "movies_s");
    EXPECT_EQ(h.ui().capture.btTakevideo->toolTip(), "Stop recording") << "not by colour alone";
    for (int i = 0; i < 6; ++i) h.frame(static_cast<uint8_t>(40 * i));
    ASSERT_TRUE(waitFor([&] { return h.window->albumPanel().oVidMutArray().size() == 1u; }));
    h.ui().capture.btTakevideo->click();
    EXPECT_EQ(imageOf(h.ui().capture.btTakevideo), "movies");
    EXPECT_EQ(h.ui().capture.btTakevideo->toolTip(), "Start recording");
    h.frame();  // the next frame completes the file
    ASSERT_TRUE(
        waitFor([&] { return h.ui().txt_recording->text().startsWith("Recording saved to"); }));
    EXPECT_EQ(sounds, (std::vector<std::string>{"StartRecord", "StopRecord"}));
    const auto files = fileNames(h.settings().getStrDocumentsVideo());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(files[0].ends_with(".mp4") && files[1] == files[0] + ".jpg");
    EXPECT_GT(fs::file_size(h.settings().getStrDocumentsVideo() + files[0]), 0u);
}

// Record is refused while the camera delivers nothing; stopping ends the file when
// no frame comes; a thumbnail that cannot be written is said and the recording
// is listed all the same.
TEST(RecordingCapture, RecordingWithoutFramesOrThumbnailIsToldAndEnds) {
    WindowHarness h;
    RecordingCapture recording(h.window->captureBar(), h.settings(),
                               std::make_unique<SilentSounds>(), std::chrono::milliseconds(0));
    h.window->captureBar().setRecordingSide(&recording);
    h.connectCamera();
    h.ui().capture.btTakevideo->click();
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_EQ(h.alerts->alerts[0], kRecordRefused);
    EXPECT_EQ(recording.recorder().state(), RecordState::Idle);
    EXPECT_EQ(imageOf(h.ui().capture.btTakevideo), "movies");

    h.frame();
    h.ui().capture.btTakevideo->click();
    const std::string movie = recording.recorder().videoFileName();
    std::ofstream(movie + ".jpg") << "a name taken meanwhile";
    for (int i = 0; i < 3; ++i) h.frame(static_cast<uint8_t>(40 * i));
    h.ui().capture.btTakevideo->click();  // and no frame follows
    ASSERT_TRUE(
        waitFor([&] { return h.ui().txt_recording->text().startsWith("Recording saved to"); }));
    ASSERT_EQ(h.alerts->alerts.size(), 2);
    EXPECT_TRUE(h.alerts->alerts[1].contains(QString::fromStdString(movie + ".jpg")));
    EXPECT_EQ(h.window->albumPanel().oVidMutArray().size(), 1u);
    EXPECT_GT(fs::file_size(movie), 0u);

    // A recording that left no movie behind drops out of the list when it fails.
    fs::remove(movie);
    fs::remove(movie + ".jpg");
    h.window->captureBar().recordingFailed(QStringLiteral("nothing was recorded"));
    EXPECT_TRUE(h.window->albumPanel().oVidMutArray().empty());
}

// Frames left out of a recording are said with its file, or in an alert while the next
// recording's clock holds the hint line.
TEST(RecordingCapture, FramesLeftOutAreToldWithTheSavedRecording) {
    WindowHarness h;
    CaptureBar& bar = h.window->captureBar();
    bar.recordingFinished("/videos/a.mp4", 2);
    EXPECT_EQ(
        h.ui().txt_recording->text(),
        "Recording saved to /videos/a.mp4 (2 frames could not be decoded or converted, left out)");
    bar.recordingStarted("/videos/b.mp4");
    bar.recordingFinished("/videos/a.mp4", 1);
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_EQ(
        h.alerts->alerts[0],
        "Recording saved to /videos/a.mp4 (1 frame could not be decoded or converted, left out)");
    bar.recordingFinished("/videos/a.mp4", 0);
    EXPECT_EQ(h.alerts->alerts.size(), 1) << "a complete recording is no news while recording";
}
