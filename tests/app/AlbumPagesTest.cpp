#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QLabel>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/AlbumPages.h"
#include "app/grid/CNGridViewItem.h"
#include "support/JpegSamples.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& path, const std::string& text = "x") { std::ofstream(path) << text; }
void writeTestJpeg(const fs::path& path) { touch(path, flatJpeg(32, 24, 0x80)); }

// Two recordings (movie and thumbnail each) and one snapshot in the current album.
class AlbumPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* stamp : {"20250101090000", "20250101090500"}) {
            touch(videos() / (std::string(stamp) + ".mp4"));
            writeTestJpeg(videos() / (std::string(stamp) + ".mp4.jpg"));
        }
        writeTestJpeg(pictures() / "20250101080000.jpg");
        h.window->albumPanel().loadPhotoCollection();
        h.window->albumPanel().loadVideoCollection();
        h.window->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url.toLocalFile());
            return desktopOpens;
        });
    }
    fs::path videos() { return h.settings().getStrDocumentsVideo(); }
    fs::path pictures() { return h.settings().getStrDocumentsPicture(); }
    AlbumPages& pages() { return h.window->albumPanel().albumPages(); }

    WindowHarness h;
    QStringList opened;
    bool desktopOpens = true;
};

}  // namespace

TEST_F(AlbumPagesTest, GridsShowTheListsAndOpenTheMovieOfAThumbnail) {
    EXPECT_EQ(pages().grid(MediaKind::Video).numberOfItems(), 2);
    EXPECT_EQ(pages().grid(MediaKind::Picture).numberOfItems(), 1);
    pages().openItem(MediaKind::Video, 1);
    EXPECT_EQ(opened,
              QStringList{QString::fromStdString((videos() / "20250101090500.mp4").string())});
}

TEST_F(AlbumPagesTest, AFileNoApplicationOpensIsToldAndItsFolderOffered) {
    desktopOpens = false;
    pages().openItem(MediaKind::Picture, 0);  // the folder declined
    EXPECT_EQ(h.alerts->confirmations,
              QStringList{"No application on this computer opens \"20250101080000.jpg\".: Show "
                          "it in its folder?"});
    EXPECT_EQ(opened.size(), 1);
    h.alerts->confirmAnswer = true;
    pages().openItem(MediaKind::Picture, 0);  // no file manager either: its path is told
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(fs::equivalent(opened[2].toStdString(), pictures()));
    EXPECT_EQ(h.alerts->alerts,
              QStringList{"No file manager opened the folder. It is " + opened[2]});
}

// Loading the video list after the photo list (as the start does) leaves the
// photo cells their thumbnails.
TEST_F(AlbumPagesTest, PhotoThumbnailsArriveAfterBothListsAreLoaded) {
    const CNGridViewItem* cell = pages().grid(MediaKind::Picture).visibleItem(0);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([cell] { return !cell->itemImage().isNull(); }));
}

TEST_F(AlbumPagesTest, DeletingAsksAndCancelChangesNothing) {
    pages().deleteItem(MediaKind::Video, 0);
    pages().deleteAll(MediaKind::Picture);
    EXPECT_EQ(fileNames(videos()).size(), 4u);
    EXPECT_EQ(fileNames(pictures()).size(), 1u);
    EXPECT_EQ(h.alerts->confirmations, (QStringList{"Delete: Are you sure delete the file?",
                                                    "Delete: Are you sure delete all files?"}));

    h.alerts->confirmAnswer = true;
    pages().deleteItem(MediaKind::Video, 0);  // thumbnail and movie go together
    EXPECT_EQ(fileNames(videos()),
              (std::vector<std::string>{"20250101090500.mp4", "20250101090500.mp4.jpg"}));
    EXPECT_EQ(pages().grid(MediaKind::Video).numberOfItems(), 1);
    EXPECT_EQ(h.ui().album.videoCount->text(), "1 recording");
    pages().deleteAll(MediaKind::Video);
    EXPECT_TRUE(fs::is_directory(videos()) && fileNames(videos()).empty());
    h.window->captureBar().recordingThumbnailAdded((videos() / "20250102000000.mp4.jpg").string());
    EXPECT_EQ(pages().grid(MediaKind::Video).numberOfItems(), 1) << "a later recording lands";
}

// Files that could not be deleted stay listed, and the number is said with the
// reason: here a "Video" folder that is a link, through which nothing is deleted.
TEST_F(AlbumPagesTest, DeletingTheSnapshotTheHintLineNamesClearsTheLine) {
    UserEntity saved;
    saved.Param1 = (pictures() / "20250101080000.jpg").string();
    h.window->PassValue(saved, kTransferSnapshotWritten);
    const QString line = h.ui().txt_recording->text();
    h.alerts->confirmAnswer = true;
    pages().deleteItem(MediaKind::Video, 0);
    EXPECT_EQ(h.ui().txt_recording->text(), line) << "another file went";
    pages().deleteItem(MediaKind::Picture, 0);
    EXPECT_EQ(h.ui().txt_recording->text(), "");
}

TEST_F(AlbumPagesTest, FilesThatCouldNotBeDeletedStayListedAndAreCounted) {
    TempDir elsewhere;
    const fs::path moved = elsewhere.path() / "Video";
    fs::rename(videos(), moved);
    fs::create_directory_symlink(moved,
                                 fs::path(h.settings().getStrDocumentsVideo()).parent_path());
    h.window->albumPanel().loadVideoCollection();
    h.alerts->confirmAnswer = true;
    pages().deleteItem(MediaKind::Video, 0);
    pages().deleteAll(MediaKind::Video);
    EXPECT_EQ(pages().grid(MediaKind::Video).numberOfItems(), 2);
    EXPECT_EQ(fileNames(moved).size(), 4u);
    ASSERT_EQ(h.alerts->alerts.size(), 2);
    EXPECT_TRUE(h.alerts->alerts[0].startsWith("1 file could not be deleted: "))
        << h.alerts->alerts[0];
    EXPECT_TRUE(h.alerts->alerts[1].startsWith("2 files could not be deleted: "))
        << h.alerts->alerts[1];
}

// The save panel opens in the album's folder, then in the last one used; a taken name
// is refused with a word and the panel asks again, never replacing the file.
TEST_F(AlbumPagesTest, SavingRefusesATakenNameAndAsksAgain) {
    TempDir elsewhere;
    const fs::path taken = elsewhere.path() / "taken.jpg";
    touch(taken, "keep me");
    const fs::path fresh = elsewhere.path() / "copy.jpg";
    h.alerts->savePaths = {QString::fromStdString(taken.string()),
                           QString::fromStdString(fresh.string())};
    pages().saveItem(MediaKind::Picture, 0);
    EXPECT_EQ(slurp(taken), "keep me");
    EXPECT_EQ(h.alerts->alerts, QStringList{"\"taken.jpg\" already exists. Choose another name."});
    EXPECT_EQ(fs::file_size(fresh), fs::file_size(pictures() / "20250101080000.jpg"));
    ASSERT_EQ(h.alerts->saveRequests.size(), 2);
    const SaveFileRequest& first = h.alerts->saveRequests[0];
    EXPECT_TRUE(fs::equivalent(first.folder.toStdString(), pictures()));
    EXPECT_EQ(first.suggestedName, "20250101080000.jpg");
    EXPECT_EQ(first.suffix, "jpg");
    EXPECT_EQ(h.alerts->saveRequests[1].suggestedName, "taken.jpg");

    pages().saveItem(MediaKind::Picture, 0);  // cancelled
    ASSERT_EQ(h.alerts->saveRequests.size(), 3);
    EXPECT_TRUE(fs::equivalent(h.alerts->saveRequests[2].folder.toStdString(), elsewhere.path()));
}

// Space shows the selected snapshot large over the window, fitted and centred; the
// arrows step through the snapshots (a broken one says so, a hostile one costs little
// memory); Esc closes.
TEST_F(AlbumPagesTest, SpaceShowsTheSnapshotLargeAndArrowsBrowse) {
    // 500 bytes claiming a progressive 8192 x 8192 picture.
    touch(pictures() / "20250101080500.jpg", claimingSize(progressiveJpeg(64, 48, 90), 8192, 8192));
    h.window->albumPanel().loadPhotoCollection();
    CNGridView& grid = pages().grid(MediaKind::Picture);
    grid.selectItem(0);
    QTest::keyClick(&grid, Qt::Key_Space);
    auto* preview = h.window->findChild<PhotoPreview*>();
    ASSERT_TRUE(preview && preview->isVisible());
    EXPECT_EQ(preview->geometry(), h.window->rect());
    QSignalSpy shown(preview, &PhotoPreview::pictureShown);
    ASSERT_TRUE(shown.count() > 0 || shown.wait());
    const QImage screen = preview->grab().toImage();
    EXPECT_NEAR(qRed(screen.pixel(screen.rect().center())), 0x80, 2) << "the picture in the middle";
    EXPECT_NEAR(qRed(screen.pixel(4, 4)), 20, 2) << "the backdrop outside it";

    const auto peakResidentKiB = [] {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const long before = peakResidentKiB();
    QTest::keyClick(preview, Qt::Key_Right);
    EXPECT_EQ(grid.selectedIndexes(), QList<int>{1});
    ASSERT_TRUE(shown.wait());
    EXPECT_TRUE(preview->failed()) << "a broken file is announced, not shown";
    EXPECT_LT(peakResidentKiB() - before, 64 * 1024) << "KiB more resident";
    QTest::keyClick(preview, Qt::Key_Right);  // the last one: nothing further
    EXPECT_TRUE(preview->path().endsWith("20250101080500.jpg"));

    QTest::keyClick(preview, Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible());
}
