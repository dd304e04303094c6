#include <algorithm>
#include <random>

#include "StorageTestFiles.h"
#include "storage/MediaList.h"
#include "storage/NaturalOrder.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

class MediaListTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(image);
        fs::create_directory(video);
    }
    // Loads the list from its folder and returns the file names listed.
    Names load(MediaList& list, const fs::path& folder) {
        list.load(folder.string() + "/");
        Names out;
        for (const auto& item : list.items()) out.push_back(fs::path(item.itemTitle).filename());
        return out;
    }

    TempDir dir;
    fs::path image = dir.path() / "Image";
    fs::path video = dir.path() / "Video";
    MediaList pictures{MediaKind::Picture};
    MediaList videos{MediaKind::Video};
};

}  // namespace

TEST_F(MediaListTest, ListsJpgFilesInNaturalOrder) {
    spit(image / "20250303090507.jpg", "a");
    EXPECT_EQ(load(pictures, image), (Names{"20250303090507.jpg"}));  // a single file
    for (const char* name : {"20240303090507.jpg", "20250303090507-1.jpg", "broken.jpg",
                             "20240303090507.png", "upper.JPG", "notes.jpg.txt", ".jpg"})
        spit(image / name, "not a jpeg");
    fs::create_directory(image / "folder.jpg");
    fs::create_directory_symlink(image / "folder.jpg", image / "folder-link.jpg");
    fs::create_symlink(image / "missing.jpg", image / "dangling.jpg");
    EXPECT_EQ(load(pictures, image), (Names{"20240303090507.jpg", "20250303090507.jpg",
                                            "20250303090507-1.jpg", "broken.jpg"}));
    EXPECT_EQ(pictures.filePath(0), image.string() + "/20240303090507.jpg");
    EXPECT_FALSE(pictures.filePath(4));

    // Many names, alike for long stretches, come out as naturalLess orders them.
    fs::remove_all(image);
    fs::create_directory(image);
    std::mt19937 rng(7);
    Names expected;
    for (int i = 0; i < 300; ++i) {
        std::string name = "2025030309";
        for (size_t n = rng() % 14; n > 0; --n) name += "0019.-a"[rng() % 7];
        name += ".jpg";
        if (std::find(expected.begin(), expected.end(), name) != expected.end()) continue;
        spit(image / name, "x");
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end(), naturalLess);
    EXPECT_EQ(load(pictures, image), expected);
}

TEST_F(MediaListTest, AFolderThatCannotBeReadSaysSoInsteadOfListingAnEmptyAlbum) {
    EXPECT_EQ(pictures.load((dir.path() / "gone").string() + "/"), "") << "nothing saved yet";
    const fs::path blocked = dir.path() / "blocked";
    spit(blocked.string(), "a file where the folder should be");
    EXPECT_EQ(pictures.load(blocked.string() + "/"),
              "The album folder \"" + blocked.string() + "/\" cannot be read: Not a directory");
    EXPECT_TRUE(pictures.empty());
}

TEST_F(MediaListTest, RecordingsAreListedByTheirThumbnails) {
    spit(video / "1.mp4", "movie");
    spit(video / "1.mp4.jpg", "thumb");
    spit(video / "2.mp4", "movie without thumbnail");
    spit(video / "3.mp4.jpg", "thumbnail without movie");
    spit(video / "4.mp4.json", "not a movie");
    // A movie without its thumbnail is listed by the thumbnail's name.
    EXPECT_EQ(load(videos, video), (Names{"1.mp4.jpg", "2.mp4.jpg", "3.mp4.jpg"}));
    EXPECT_EQ(videos.filePath(0), video.string() + "/1.mp4");
    EXPECT_EQ(videos.filePath(1), video.string() + "/2.mp4");
    ASSERT_TRUE(videos.saveCopy(0, (dir.path() / "out.mp4").string()));  // the movie is saved
    EXPECT_EQ(slurp(dir.path() / "out.mp4"), "movie");
    // Deleting removes the thumbnail and the movie.
    ASSERT_TRUE(videos.removeAt(0));
    EXPECT_FALSE(fs::exists(video / "1.mp4") || fs::exists(video / "1.mp4.jpg"));
    videos.append(video.string() + "/5.mp4.jpg");  // never written: removed all the same
    EXPECT_TRUE(videos.removeAt(2));
    EXPECT_FALSE(videos.removeAt(2));  // outside the list: ignored
    EXPECT_FALSE(videos.saveCopy(2, (dir.path() / "copy.mp4").string()));

    ASSERT_TRUE(videos.removeAll());  // the listed files; others stay
    EXPECT_TRUE(videos.empty());
    EXPECT_EQ(fs::directory_iterator(video)->path().filename(), "4.mp4.json");
    fs::remove(video / "4.mp4.json");
    spit(video / "keep.png", "x");
    EXPECT_FALSE(videos.removeAll());  // nothing for an empty list
    EXPECT_TRUE(fs::exists(video / "keep.png"));
}

TEST_F(MediaListTest, DeleteAllRemovesOnlyListedRegularFilesAndNeverLeavesTheAlbum) {
    TempDir outside;
    spit(outside.path() / "elsewhere.jpg", "not the album's");
    spit(outside.path() / "notes.txt", "not the album's");
    spit(image / "own.jpg", "x");
    spit(image / "other.png", "x");
    fs::create_symlink(outside.path() / "elsewhere.jpg", image / "link.jpg");
    fs::remove(video);
    fs::create_directory_symlink(outside.path(), video);  // "Video" is a link out of the album
    ASSERT_EQ(load(pictures, image), (Names{"link.jpg", "own.jpg"}));
    ASSERT_EQ(load(videos, video), Names{"elsewhere.jpg"});

    // What could not be deleted stays listed, and the outcome says why.
    const auto unlinked = pictures.removeAll();
    ASSERT_TRUE(unlinked);
    EXPECT_EQ(unlinked->message(), "1 file could not be deleted: \"link.jpg\" is not a plain file");
    EXPECT_EQ(load(pictures, image), Names{"link.jpg"});
    const auto one = videos.removeAt(0);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->failed, 1u) << "the movie; its thumbnail is kept with it";
    EXPECT_EQ(one->message(),
              "1 file could not be deleted: \"" + video.string() +
                  "\" is a link or not a folder, and nothing is deleted through it");
    const auto all = videos.removeAll();
    ASSERT_TRUE(all);
    EXPECT_FALSE(*all);
    EXPECT_EQ(videos.size(), 1u);
    EXPECT_FALSE(fs::exists(image / "own.jpg"));
    EXPECT_TRUE(fs::is_symlink(image / "link.jpg") && fs::exists(image / "other.png"));
    EXPECT_TRUE(fs::exists(outside.path() / "elsewhere.jpg"));
    EXPECT_TRUE(fs::exists(outside.path() / "notes.txt"));
    EXPECT_TRUE(fs::is_symlink(video));
}

TEST_F(MediaListTest, ASnapshotIsOneItemWithItsCleanCopyAndGoesWithItsCompanions) {
    for (const char* name : {"1.jpg", "1.clean.jpg", "1.jpg.json", "1.tif", "2.jpg", "3.clean.jpg"})
        spit(image / name, "x");
    EXPECT_EQ(load(pictures, image), (Names{"1.jpg", "2.jpg"}));
    ASSERT_TRUE(pictures.removeAt(0));
    for (const char* name : {"1.jpg", "1.clean.jpg", "1.jpg.json", "1.tif"})
        EXPECT_FALSE(fs::exists(image / name)) << name;
    EXPECT_TRUE(fs::exists(image / "2.jpg") && fs::exists(image / "3.clean.jpg"));
}
