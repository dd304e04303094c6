#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <filesystem>
#include <memory>

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
        : capture(std::make_unique<SnapshotCapture>(h.window->captureBar(), h.settings(),
                                                    std::make_unique<RecordingSounds>(sounds))) {
        h.window->captureBar().setSnapshotSide(capture.get());
    }

    fs::path pictures() { return h.settings().getStrDocumentsPicture(); }
    std::vector<std::string> written() { return jpegNames(pictures()); }

    WindowHarness h;
    std::vector<SoundResource> sounds;
    std::unique_ptr<SnapshotCapture> capture;
};

}  // namespace

TEST_F(SnapshotCaptureTest, ButtonWritesAtTheCameraSizeThenSoundsAndLists) {
    h.connectCamera();
    h.window->onFrame(gradientFrame(1280, 720));
    QSignalSpy listed(&h.window->albumPanel(), &AlbumPanel::photoCollectionChanged);
    h.ui().capture.btSnapshot->click();
    ASSERT_EQ(written().size(), 1u);
    const std::string path = (pictures() / written().front()).string();
    const auto shot = decodeJpegFile(path);
    ASSERT_TRUE(shot);
    EXPECT_EQ(std::pair(shot->width, shot->height), std::pair(1280, 720));
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds.front().name, "TakePicture");
    ASSERT_EQ(h.window->albumPanel().oPicMutArray().size(), 1u);
    EXPECT_EQ(h.window->albumPanel().oPicMutArray().items().front().itemTitle, path);
    EXPECT_EQ(h.ui().album.photoCount->text(), "1 snapshot");
    EXPECT_EQ(listed.count(), 1);
}

TEST_F(SnapshotCaptureTest, NothingWithoutACameraBeforeTheFirstFrameOrWhenTheWriteFails) {
    h.frame();
    h.ui().capture.btSnapshot->click();  // no camera
    QCoreApplication::processEvents();
    EXPECT_TRUE(written().empty());

    WindowHarness fresh;
    SnapshotCapture freshCapture(fresh.window->captureBar(), fresh.settings(),
                                 std::make_unique<RecordingSounds>(sounds));
    fresh.window->captureBar().setSnapshotSide(&freshCapture);
    fresh.connectCamera();
    fresh.ui().capture.btSnapshot->click();  // before the first frame
    freshCapture.requestPicture();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fileNames(fresh.settings().getStrDocumentsPicture()).empty());

    h.connectCamera();
    fs::remove_all(pictures());
    QSignalSpy listed(&h.window->albumPanel(), &AlbumPanel::photoCollectionChanged);
    h.ui().capture.btSnapshot->click();
    EXPECT_FALSE(fs::exists(pictures()));
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(h.window->albumPanel().oPicMutArray().empty());
    EXPECT_EQ(listed.count(), 0);
}
