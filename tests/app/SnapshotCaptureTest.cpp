#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <thread>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotCapture.h"
#include "image/JpegCodec.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

struct RecordingSounds : SoundPlayer {
    explicit RecordingSounds(std::vector<SoundResource>& log) : played(log) {}
    void play(const SoundResource& sound) override { played.push_back(sound); }
    std::vector<SoundResource>& played;
};

// The window on a temporary home with the snapshot side attached and its sounds recorded.
class SnapshotCaptureTest : public ::testing::Test {
protected:
    SnapshotCaptureTest()
        : capture(std::make_unique<SnapshotCapture>(*h.window, h.settings(),
                                                    std::make_unique<RecordingSounds>(sounds))) {
        h.window->setCaptureSide(capture.get());
    }

    fs::path pictures() { return h.settings().getStrDocumentsPicture(); }
    std::vector<std::string> written() { return fileNames(pictures()); }
    void expectNothingHappened() {
        EXPECT_TRUE(written().empty());
        EXPECT_TRUE(sounds.empty());
        EXPECT_TRUE(h.window->oPicMutArray().empty());
    }

    WindowHarness h;
    std::vector<SoundResource> sounds;
    std::unique_ptr<SnapshotCapture> capture;
};

}  // namespace

TEST_F(SnapshotCaptureTest, ButtonWritesAtTheCameraSizeThenSoundsAndLists) {
    h.window->iCameraMode = 1;
    h.window->onFrame(gradientFrame(1280, 720));
    ASSERT_EQ(h.window->iNewVideoWidth, 1280);
    QSignalSpy listed(h.window.get(), &ViewController::photoCollectionChanged);

    h.ui().btSnapshot->click();

    ASSERT_EQ(written().size(), 1u);
    const std::string path = (pictures() / written().front()).string();
    const auto shot = decodeJpegFile(path);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 1280);
    EXPECT_EQ(shot->height, 720);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds.front().name, "TakePicture");
    EXPECT_EQ(sounds.front().path, h.settings().getAvCameraVoice().path);
    ASSERT_EQ(h.window->oPicMutArray().size(), 1u);
    EXPECT_EQ(h.window->oPicMutArray().items().front().itemTitle, path);
    EXPECT_EQ(h.ui().photoCount->text(), "1 snapshot");
    EXPECT_EQ(listed.count(), 1);
}

TEST_F(SnapshotCaptureTest, SizeIsTheWindowsRecordedFrameSize) {
    h.window->iCameraMode = 2;
    h.window->onFrame(gradientFrame(1280, 720));
    h.window->iNewVideoWidth = 640;
    h.window->iNewVideoHeight = 360;
    capture->takePicture();
    ASSERT_EQ(h.window->oPicMutArray().size(), 1u);
    const auto shot = decodeJpegFile(h.window->oPicMutArray().items().front().itemTitle);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 640);
    EXPECT_EQ(shot->height, 360);
}

TEST_F(SnapshotCaptureTest, MeasurementsOnScreenAreBurntIn) {
    h.window->iCameraMode = 1;
    h.window->onFrame(greyFrame(1280, 960, 0xE0));
    h.ui().btCrosshair->click();  // needs no calibration
    h.window->onFrame(greyFrame(1280, 960, 0xE0));
    capture->takePicture();
    ASSERT_EQ(written().size(), 1u);
    const auto shot = decodeJpegFile((pictures() / written().front()).string());
    ASSERT_TRUE(shot);
    EXPECT_FALSE(columnsWhere(*shot, 100, 0, 1279, reddish).empty());
}

TEST_F(SnapshotCaptureTest, SnapshotsTakenTogetherAreListedInOrder) {
    h.window->iCameraMode = 1;
    h.frame();
    capture->takePicture();
    capture->takePicture();
    capture->takePicture();
    ASSERT_EQ(written().size(), 3u);
    ASSERT_EQ(h.window->oPicMutArray().size(), 3u);
    EXPECT_EQ(sounds.size(), 3u);
    EXPECT_EQ(h.ui().photoCount->text(), "3 snapshots");
    // The order of taking is the album's own order (natural order of the names,
    // "-1" after the bare name), as the list reads after a restart.
    std::vector<std::string> appended;
    for (const MediaItem& item : h.window->oPicMutArray().items())
        appended.push_back(item.itemTitle);
    EXPECT_EQ(appended, listMediaFiles(pictures().string()));
}

TEST_F(SnapshotCaptureTest, QueuedRequestIsTakenInALaterTurnOfTheEventLoop) {
    h.window->iCameraMode = 2;
    h.frame();
    capture->saveImage(false);
    EXPECT_TRUE(written().empty()) << "not yet";
    QCoreApplication::processEvents();
    EXPECT_EQ(written().size(), 1u);

    std::thread other([this] { capture->saveImage(false); });
    other.join();
    EXPECT_EQ(written().size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(written().size(), 2u);
    EXPECT_EQ(h.window->oPicMutArray().size(), 2u);
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(SnapshotCaptureTest, NothingWithoutACamera) {
    h.frame();
    ASSERT_EQ(h.window->iCameraMode, 0);
    h.ui().btSnapshot->click();
    QCoreApplication::processEvents();
    expectNothingHappened();
}

TEST_F(SnapshotCaptureTest, NothingBeforeTheFirstFrame) {
    h.window->iCameraMode = 1;
    h.ui().btSnapshot->click();
    capture->saveImage(false);
    QCoreApplication::processEvents();
    expectNothingHappened();
}

TEST_F(SnapshotCaptureTest, FailedWriteNeitherSoundsNorLists) {
    h.window->iCameraMode = 1;
    h.frame();
    fs::remove_all(pictures());
    QSignalSpy listed(h.window.get(), &ViewController::photoCollectionChanged);
    h.ui().btSnapshot->click();
    EXPECT_FALSE(fs::exists(pictures()));
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(h.window->oPicMutArray().empty());
    EXPECT_EQ(listed.count(), 0);
    EXPECT_EQ(h.ui().photoCount->text(), "No snapshots in this album");
}
