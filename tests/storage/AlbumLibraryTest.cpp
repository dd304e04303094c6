#include <sys/stat.h>

#include <cerrno>

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
    const auto status = [&](const std::string& name) { return library.createAlbum(name).status; };
    EXPECT_EQ(status(""), AlbumCreation::EmptyName);
    for (const std::string& bad :
         Names{".", "..", "../escape", "a/b", std::string("nul\0x", 5), std::string(256, 'x')})
        EXPECT_EQ(status(bad), AlbumCreation::IllegalName) << bad;
    EXPECT_EQ(library.createAlbum(std::string(300, 'x')).alert(), "Name is illegal");
    EXPECT_FALSE(fs::exists(home.path() / "escape"));
    spit(root / "taken.txt", "x");
    for (const char* taken : {"taken.txt", "default"})
        EXPECT_EQ(status(taken), AlbumCreation::AlreadyExists) << taken;
    EXPECT_EQ(slurp(root / "taken.txt"), "x");

    fs::remove_all(root);  // a missing root is made again
    EXPECT_EQ(status(" Zwiebel. 2 "), AlbumCreation::Created);
    EXPECT_TRUE(isAlbum(root.string(), " Zwiebel. 2 "));
    EXPECT_EQ(status(std::string(255, 'x')), AlbumCreation::Created);
}

// A folder that cannot be made leaves nothing of the album and says why.
TEST_F(AlbumLibraryTest, CreateThatCannotMakeAFolderRemovesWhatItMade) {
    AlbumLibrary full(settings, [](const std::string& path) {
        if (path.ends_with("/Video/")) return ENOSPC;
        return ::mkdir(path.c_str(), 0755) == 0 ? 0 : errno;
    });
    const AlbumCreationResult result = full.createAlbum("Beta");
    EXPECT_EQ(result.status, AlbumCreation::Failed);
    EXPECT_EQ(result.alert(), "The album could not be made. Could not write \"" + root.string() +
                                  "/Beta/Video/\": No space left on device");
    EXPECT_FALSE(fs::exists(root / "Beta"));

    fs::remove_all(root);
    spit(root, "a file where the root belongs");
    const AlbumCreationResult noRoot = library.createAlbum("Beta");
    EXPECT_EQ(noRoot.status, AlbumCreation::Failed);
    EXPECT_EQ(noRoot.failure.error(), ENOTDIR);
}

TEST_F(AlbumLibraryTest, NewAlbumIsAppendedBecomesCurrentAndIsSortedInNextStart) {
    makeAlbum(root, "Alpha");
    EXPECT_EQ(library.scan(), 1u);  // the current album's place
    ASSERT_TRUE(library.createAlbum("Beta"));
    EXPECT_EQ(library.albums(), (Names{"Alpha", "default"}));  // only appendAlbum changes it
    const size_t index = library.appendAlbum("Beta");
    ASSERT_TRUE(library.switchAlbum(index).value_or(WriteResult(".", EIO)));
    EXPECT_EQ(settings.getStrDocumentsVideo(), root.string() + "/Beta/Video/");
    EXPECT_FALSE(library.switchAlbum(3));  // outside the list: ignored
    EXPECT_EQ(slurp(root / "default.txt"), "Beta");

    // The switch happens; that default.txt could not be written is said.
    fs::remove(root / "default.txt");
    fs::create_directory(root / "default.txt");
    const auto unremembered = library.switchAlbum(0);
    ASSERT_TRUE(unremembered);
    EXPECT_EQ(unremembered->path(), root.string() + "/default.txt");
    EXPECT_FALSE(*unremembered);
    EXPECT_EQ(settings.getStrDocumentsVideo(), root.string() + "/Alpha/Video/");
    fs::remove(root / "default.txt");
    ASSERT_TRUE(library.switchAlbum(index).value_or(WriteResult(".", EIO)));

    RQGlobalVariables restarted(home.path().string(), LUMETRA_RESOURCE_DIR);
    AlbumLibrary again(restarted);
    EXPECT_EQ(again.scan(), 1u);
    EXPECT_EQ(again.albums(), (Names{"Alpha", "Beta", "default"}));
    fs::remove_all(root / "Beta" / "Video");  // no longer an album
    EXPECT_FALSE(again.scan());
}
