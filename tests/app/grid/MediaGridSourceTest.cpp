#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <fstream>

#include "app/grid/CNGridView.h"
#include "app/grid/CNGridViewItem.h"
#include "app/grid/MediaGridSource.h"
#include "storage/MediaList.h"
#include "storage/ThumbnailProvider.h"
#include "support/JpegSamples.h"
#include "support/TempDir.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

// A grid of 300 x 200 showing the list, its thumbnails decoded off the main thread.
struct GridOf {
    explicit GridOf(const MediaList& list)
        : thumbnails(
              [](std::function<void()> task) {
                  QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
              },
              [this](const std::string& path) { media.thumbnailReady(path); }),
          media(grid, list, thumbnails, albumItemLayouts()) {
        grid.setDataSource(&media);
        grid.setItemSize(QSize(80, 80));
        grid.resize(300, 200);
        grid.reloadData();
    }
    CNGridView grid;
    ThumbnailProvider thumbnails;
    MediaGridSource media;
};

}  // namespace

TEST(MediaGridSource, CellsInSightTakeTheirThumbnailsAsTheyArrive) {
    TempDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream((dir.path() / name).string(), std::ios::binary) << bytes;
    };
    write("1.jpg", flatJpeg(64, 48, 40));
    write("2.jpg", "not a picture");
    write("3.jpg", flatJpeg(64, 48, 200));
    MediaList list(MediaKind::Picture);
    list.load(dir.path().string());
    ASSERT_EQ(list.size(), 3u);

    GridOf shown(list);
    CNGridView& grid = shown.grid;
    ThumbnailProvider& thumbnails = shown.thumbnails;
    ASSERT_EQ(grid.numberOfItems(), 3);
    EXPECT_TRUE(grid.visibleItem(0)->itemImage().isNull());  // still decoding
    QTRY_VERIFY(!grid.visibleItem(0)->itemImage().isNull() &&
                !grid.visibleItem(2)->itemImage().isNull());
    EXPECT_NEAR(grid.visibleItem(2)->itemImage().pixelColor(5, 5).red(), 200, 2);
    EXPECT_TRUE(grid.visibleItem(1)->itemImage().isNull());  // undecodable: empty for good
    EXPECT_EQ(thumbnails.thumbnail(list.items()[1].itemTitle).status,
              ThumbnailProvider::Status::Failed);
}

// A recording whose thumbnail is missing shows the recording placeholder.
TEST(MediaGridSource, RecordingWithoutThumbnailShowsThePlaceholder) {
    TempDir dir;
    std::ofstream((dir.path() / "1.mp4").string()) << "a movie";
    MediaList list(MediaKind::Video);
    list.load(dir.path().string());
    ASSERT_EQ(list.size(), 1u);

    GridOf shown(list);
    CNGridView& grid = shown.grid;
    QTRY_VERIFY(!grid.visibleItem(0)->itemImage().isNull());
    EXPECT_EQ(grid.visibleItem(0)->itemImage(), MediaGridSource::recordingPlaceholder());
}
