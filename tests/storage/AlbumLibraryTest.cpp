#include "StorageTestFiles.h"
#include "storage/AlbumLibrary.h"
#include "storage/RQGlobalVariables.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

void makeAlbum(const fs::path& root, const std::string& name) {
    fs::create_directories(root / name / "Image");
    fs::create_directories(root / name / "Video");
}

class AlbumLibraryTest : public ::testing::Test {
protected:
    TempDir home;
    RQGlobalVariables settings{home.path().string(), LUMETRA_RESOURCE_DIR};
    fs::path root = home.path() / "Lumetra";
    AlbumLibrary library{settings};
};

}  // namespace

TEST(AlbumScan, OnlyFullAlbumsSortedByLowerCasedNames) {
    TempDir dir;
    const fs::path root = dir.path();
    for (const char* name : {"gamma", "beta", "Alpha", "\xC3\x96l", "\xC3\xB6", "Zebra"})
        makeAlbum(root, name);
    spit(root / "notes.txt", "x");
    fs::create_directories(root / "half" / "Image");  // "Video" missing, or a file
    spit(root / "half" / "Video", "not a folder");
    // Letters beyond ASCII fold too ("ö" < "öl") and come after "z".
    EXPECT_EQ(scanAlbums(root.string() + "/"),
              (Names{"Alpha", "beta", "gamma", "Zebra", "\xC3\xB6", "\xC3\x96l"}));
    EXPECT_TRUE(scanAlbums((root / "none").string()).empty());
}

TEST_F(AlbumLibraryTest, CreateRefusesBadNamesAndMakesTheThreeFolders) {
    EXPECT_EQ(library.createAlbum(""), AlbumCreation::EmptyName);
    for (const std::string& bad : Names{".", "..", "../escape", "a/b", std::string("nul\0x", 5)})
        EXPECT_EQ(library.createAlbum(bad), AlbumCreation::IllegalName) << bad;
    EXPECT_FALSE(fs::exists(home.path() / "escape"));
    spit(root / "taken.txt", "x");
    for (const char* taken : {"taken.txt", "default"})
        EXPECT_EQ(library.createAlbum(taken), AlbumCreation::AlreadyExists) << taken;
    EXPECT_EQ(slurp(root / "taken.txt"), "x");

    fs::remove_all(root);  // a missing root is made again
    EXPECT_EQ(library.createAlbum(" Zwiebel. 2 "), AlbumCreation::Created);
    EXPECT_TRUE(isAlbum(root.string(), " Zwiebel. 2 "));
}

TEST_F(AlbumLibraryTest, NewAlbumIsAppendedBecomesCurrentAndIsSortedInNextStart) {
    makeAlbum(root, "Alpha");
    EXPECT_EQ(library.scan(), 1u);  // the current album's place
    ASSERT_EQ(library.createAlbum("Beta"), AlbumCreation::Created);
    EXPECT_EQ(library.albums(), (Names{"Alpha", "default"}));  // only appendAlbum changes it
    const size_t index = library.appendAlbum("Beta");
    ASSERT_TRUE(library.switchAlbum(index));
    EXPECT_EQ(settings.getStrDocumentsVideo(), root.string() + "/Beta/Video/");
    EXPECT_FALSE(library.switchAlbum(3));  // outside the list: ignored
    EXPECT_EQ(slurp(root / "default.txt"), "Beta");

    RQGlobalVariables restarted(home.path().string(), LUMETRA_RESOURCE_DIR);
    AlbumLibrary again(restarted);
    EXPECT_EQ(again.scan(), 1u);
    EXPECT_EQ(again.albums(), (Names{"Alpha", "Beta", "default"}));
    fs::remove_all(root / "Beta" / "Video");  // no longer an album
    EXPECT_FALSE(again.scan());
}
