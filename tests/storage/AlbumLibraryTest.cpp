#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/AlbumLibrary.h"
#include "storage/RQGlobalVariables.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::slurp;
using test::spit;

namespace {

void makeAlbum(const fs::path& root, const std::string& name) {
    fs::create_directories(root / name / "Image");
    fs::create_directories(root / name / "Video");
}

class AlbumLibraryTest : public ::testing::Test {
protected:
    test::TempDir home;
    RQGlobalVariables settings{home.path().string(), LUMETRA_RESOURCE_DIR};
    fs::path root = home.path() / "Lumetra";
    AlbumLibrary library{settings};
};

}  // namespace

TEST(AlbumScan, OnlyFoldersWithImageAndVideoCount) {
    test::TempDir dir;
    const fs::path root = dir.path();
    spit(root / "notes.txt", "x");
    fs::create_directories(root / "half" / "Image");
    makeAlbum(root, "full");
    fs::create_directories(root / "fileVideo" / "Image");
    spit(root / "fileVideo" / "Video", "not a folder");
    EXPECT_EQ(scanAlbums(root.string() + "/"), (std::vector<std::string>{"full"}));
    EXPECT_TRUE(isAlbum(root.string(), "full"));
    EXPECT_FALSE(isAlbum(root.string(), "half"));
    EXPECT_FALSE(isAlbum(root.string(), "notes.txt"));
}

TEST(AlbumScan, SortedByLowerCasedNames) {
    test::TempDir dir;
    for (const char* name : {"gamma", "beta", "Alpha"}) makeAlbum(dir.path(), name);
    EXPECT_EQ(scanAlbums(dir.path().string()),
              (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

TEST(AlbumScan, CaseFoldingCoversNonLatinLetters) {
    test::TempDir dir;
    for (const char* name : {"Ölbilder", "öl", "Zebra", "äpfel"}) makeAlbum(dir.path(), name);
    const auto names = scanAlbums(dir.path().string());
    // "öl" < "ölbilder" once both are lower-cased; letters beyond ASCII after "z".
    EXPECT_EQ(names, (std::vector<std::string>{"Zebra", "äpfel", "öl", "Ölbilder"}));
}

TEST(AlbumScan, MissingRootListsNothing) {
    test::TempDir dir;
    EXPECT_TRUE(scanAlbums((dir.path() / "none").string()).empty());
}

TEST_F(AlbumLibraryTest, ScanFindsTheCurrentAlbum) {
    makeAlbum(root, "Alpha");
    makeAlbum(root, "zoo");
    EXPECT_EQ(library.scan(), 1u);
    EXPECT_EQ(library.albums(), (std::vector<std::string>{"Alpha", "default", "zoo"}));
}

TEST_F(AlbumLibraryTest, ScanWithoutTheCurrentAlbum) {
    fs::remove_all(root / "default" / "Video");
    makeAlbum(root, "other");
    EXPECT_FALSE(library.scan());
    EXPECT_EQ(library.albums(), (std::vector<std::string>{"other"}));
}

TEST_F(AlbumLibraryTest, CreateMakesTheThreeFolders) {
    EXPECT_EQ(library.createAlbum(" Zwiebel. 2 "), AlbumCreation::Created);
    EXPECT_TRUE(isAlbum(root.string(), " Zwiebel. 2 "));
    EXPECT_TRUE(library.albums().empty());  // the list changes only by appendAlbum
}

TEST_F(AlbumLibraryTest, CreateRecreatesAMissingRoot) {
    fs::remove_all(root);
    EXPECT_EQ(library.createAlbum("new"), AlbumCreation::Created);
    EXPECT_TRUE(isAlbum(root.string(), "new"));
}

TEST_F(AlbumLibraryTest, CreateRefusesBadOrTakenNames) {
    EXPECT_EQ(library.createAlbum(""), AlbumCreation::EmptyName);
    for (const std::string& bad :
         {std::string("."), std::string(".."), std::string("../escape"), std::string("a/b"),
          std::string("/abs"), std::string("nul\0x", 5)})
        EXPECT_EQ(library.createAlbum(bad), AlbumCreation::IllegalName) << bad;
    EXPECT_FALSE(fs::exists(home.path() / "escape"));

    spit(root / "taken.txt", "x");
    EXPECT_EQ(library.createAlbum("taken.txt"), AlbumCreation::AlreadyExists);
    EXPECT_EQ(library.createAlbum("default"), AlbumCreation::AlreadyExists);
    fs::create_symlink(root / "nowhere", root / "dangling");
    EXPECT_EQ(library.createAlbum("dangling"), AlbumCreation::AlreadyExists);
    EXPECT_EQ(slurp(root / "taken.txt"), "x");
}

TEST(AlbumCreationAlerts, TextsForTheWindow) {
    EXPECT_STREQ(albumCreationAlert(AlbumCreation::EmptyName), "Please enter folder name");
    EXPECT_STREQ(albumCreationAlert(AlbumCreation::IllegalName), "Name is illegal");
    EXPECT_STREQ(albumCreationAlert(AlbumCreation::AlreadyExists), "The folder name exist");
    EXPECT_STREQ(albumCreationAlert(AlbumCreation::Created), "");
}

TEST_F(AlbumLibraryTest, NewAlbumIsAppendedAndBecomesCurrent) {
    makeAlbum(root, "Alpha");
    library.scan();
    ASSERT_EQ(library.createAlbum("Beta"), AlbumCreation::Created);
    const size_t index = library.appendAlbum("Beta");
    EXPECT_EQ(index, 2u);
    ASSERT_TRUE(library.switchAlbum(index));
    EXPECT_EQ(settings.getStrDocumentsPicture(), root.string() + "/Beta/Image/");
    EXPECT_EQ(settings.getStrDocumentsVideo(), root.string() + "/Beta/Video/");
    EXPECT_EQ(slurp(root / "default.txt"), "Beta");
    EXPECT_EQ(settings.getStrDefFolder(), "default");  // the start-up name stays

    // The next start lists it in sorted place and makes it current.
    RQGlobalVariables restarted(home.path().string(), LUMETRA_RESOURCE_DIR);
    AlbumLibrary again(restarted);
    EXPECT_EQ(again.scan(), 1u);
    EXPECT_EQ(again.albums(), (std::vector<std::string>{"Alpha", "Beta", "default"}));
}

TEST_F(AlbumLibraryTest, SwitchOutsideTheListIsIgnored) {
    library.scan();
    const std::string before = settings.getStrDocumentsPicture();
    EXPECT_FALSE(library.switchAlbum(1));
    EXPECT_EQ(settings.getStrDocumentsPicture(), before);
    EXPECT_EQ(slurp(root / "default.txt"), "default");
}
