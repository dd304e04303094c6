#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/MediaList.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::slurp;
using test::spit;

namespace {

std::vector<std::string> titles(const MediaList& list) {
    std::vector<std::string> out;
    for (const auto& item : list.items()) out.push_back(fs::path(item.itemTitle).filename());
    return out;
}

class MediaListTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path image = dir.path() / "Image";
    fs::path video = dir.path() / "Video";
    void SetUp() override {
        fs::create_directory(image);
        fs::create_directory(video);
    }
    std::string imageFolder() const { return image.string() + "/"; }
    std::string videoFolder() const { return video.string() + "/"; }
};

}  // namespace

TEST_F(MediaListTest, ListsJpgFilesOldestFirst) {
    spit(image / "20250303090507.jpg", "a");
    spit(image / "20240303090507.jpg", "b");
    spit(image / "20250303090507-1.jpg", "c");
    spit(image / "20240303090507.png", "d");
    spit(image / "upper.JPG", "e");
    spit(image / "notes.jpg.txt", "f");
    spit(image / ".jpg", "g");
    fs::create_directory(image / "folder.jpg");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    EXPECT_EQ(titles(list), (std::vector<std::string>{"20240303090507.jpg", "20250303090507.jpg",
                                                      "20250303090507-1.jpg"}));
    EXPECT_EQ(list.items()[0].itemTitle, imageFolder() + "20240303090507.jpg");
}

TEST_F(MediaListTest, ASingleFileIsListed) {
    spit(image / "20250303090507.jpg", "a");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(MediaListTest, UndecodableJpgIsListedAnyway) {
    spit(image / "broken.jpg", "not a jpeg");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.filePath(0), imageFolder() + "broken.jpg");
}

TEST_F(MediaListTest, VideosAreListedByTheirThumbnails) {
    spit(video / "20250303090507.mp4", "movie");
    spit(video / "20250303090507.mp4.jpg", "thumb");
    spit(video / "20250303090508.mp4", "movie without thumbnail");
    spit(video / "20250303090509.mp4.jpg", "thumbnail without movie");
    MediaList list(MediaKind::Video);
    list.load(videoFolder());
    EXPECT_EQ(titles(list),
              (std::vector<std::string>{"20250303090507.mp4.jpg", "20250303090509.mp4.jpg"}));
    EXPECT_EQ(list.filePath(0), videoFolder() + "20250303090507.mp4");
    EXPECT_EQ(mediaFilePath(MediaKind::Picture, "/a/b.jpg"), "/a/b.jpg");
    EXPECT_EQ(mediaFilePath(MediaKind::Video, "x"), "x");
}

TEST_F(MediaListTest, DeletingAVideoRemovesThumbnailAndMovie) {
    spit(video / "1.mp4", "m1");
    spit(video / "1.mp4.jpg", "t1");
    spit(video / "2.mp4", "m2");
    spit(video / "2.mp4.jpg", "t2");
    MediaList list(MediaKind::Video);
    list.load(videoFolder());
    ASSERT_TRUE(list.removeAt(0));
    EXPECT_FALSE(fs::exists(video / "1.mp4"));
    EXPECT_FALSE(fs::exists(video / "1.mp4.jpg"));
    EXPECT_TRUE(fs::exists(video / "2.mp4"));
    EXPECT_EQ(titles(list), (std::vector<std::string>{"2.mp4.jpg"}));
}

TEST_F(MediaListTest, DeletingAPictureEvenWhenItsFileIsGone) {
    spit(image / "1.jpg", "1");
    spit(image / "2.jpg", "2");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    list.append(imageFolder() + "3.jpg");  // never written
    EXPECT_TRUE(list.removeAt(2));
    ASSERT_TRUE(list.removeAt(1));
    EXPECT_TRUE(fs::exists(image / "1.jpg"));
    EXPECT_FALSE(fs::exists(image / "2.jpg"));
    EXPECT_EQ(titles(list), (std::vector<std::string>{"1.jpg"}));
}

TEST_F(MediaListTest, ActionsOutsideTheListAreIgnored) {
    spit(image / "1.jpg", "1");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    EXPECT_FALSE(list.removeAt(1));
    EXPECT_FALSE(list.saveCopy(1, (dir.path() / "copy.jpg").string()));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(fs::exists(image / "1.jpg"));
    EXPECT_FALSE(fs::exists(dir.path() / "copy.jpg"));
}

TEST_F(MediaListTest, DeleteAllEmptiesTheFolder) {
    spit(video / "1.mp4", "m");
    spit(video / "1.mp4.jpg", "t");
    spit(video / "other.bin", "x");
    fs::create_directory(video / "sub");
    MediaList list(MediaKind::Video);
    list.load(videoFolder());
    ASSERT_TRUE(list.removeAll());
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(fs::is_directory(video));
    EXPECT_TRUE(fs::is_empty(video));
    // The folder works as before.
    spit(video / "2.mp4.jpg", "t");
    list.load(videoFolder());
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(MediaListTest, DeleteAllOfAnEmptyListDoesNothing) {
    spit(image / "keep.png", "x");
    MediaList list(MediaKind::Picture);
    list.load(imageFolder());
    EXPECT_FALSE(list.removeAll());
    EXPECT_TRUE(fs::exists(image / "keep.png"));
}

TEST_F(MediaListTest, SaveCopyNeverReplaces) {
    spit(video / "1.mp4", "movie");
    spit(video / "1.mp4.jpg", "thumb");
    MediaList list(MediaKind::Video);
    list.load(videoFolder());
    const fs::path out = dir.path() / "out.mp4";
    ASSERT_TRUE(list.saveCopy(0, out.string()));
    EXPECT_EQ(slurp(out), "movie");
    spit(out, "mine");
    EXPECT_FALSE(list.saveCopy(0, out.string()));
    EXPECT_EQ(slurp(out), "mine");
}
