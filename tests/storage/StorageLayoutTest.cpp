#include <gtest/gtest.h>

#include <cstdlib>

#include "storage/Resources.h"
#include "storage/StorageLayout.h"
#include "support/TempDir.h"

using namespace lumetra;

TEST(StorageLayoutPaths, EmptyAlbumReachesTheRootsOwnFolders) {
    const auto layout = StorageLayout::forHome("/home/ada");
    EXPECT_EQ(layout.pictureFolder(""), "/home/ada/Lumetra//Image/");
    EXPECT_EQ(layout.calibrationTxt(), "/home/ada/Lumetra/calibration.txt");
}

TEST(StorageLayoutPaths, HomeWithTrailingSlash) {
    EXPECT_EQ(StorageLayout::forHome("/home/ada/").root, "/home/ada/Lumetra/");
    EXPECT_EQ(StorageLayout::forHome("/").root, "/Lumetra/");
    EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
}

TEST(StorageLayoutPaths, HomeComesFromTheEnvironment) {
    test::TempDir dir;
    test::ScopedHome home(dir.path());
    EXPECT_EQ(homeDirectory(), dir.path().string());
    ::setenv("HOME", "", 1);
    EXPECT_FALSE(homeDirectory().empty());  // the password entry steps in
}

TEST(PlainFolderNames, OnlySingleEntriesInsideTheRoot) {
    for (const char* ok : {"default", " spaced ", "...", ".hidden", "a.b", "Ölbilder", "x\n"})
        EXPECT_TRUE(isPlainFolderName(ok)) << ok;
    for (const std::string bad : {"", ".", "..", "a/b", "/", "../x", "x/"})
        EXPECT_FALSE(isPlainFolderName(bad)) << bad;
    EXPECT_FALSE(isPlainFolderName(std::string("a\0b", 3)));
}

TEST(ResourceFolder, EnvironmentOverridesTheBuiltInFolder) {
    ::unsetenv("LUMETRA_RESOURCES");
    EXPECT_EQ(resourceDirectory(), LUMETRA_RESOURCE_DIR);
    ::setenv("LUMETRA_RESOURCES", "/opt/res", 1);
    EXPECT_EQ(resourceFile("sounds/TakePicture.wav"), "/opt/res/sounds/TakePicture.wav");
    ::unsetenv("LUMETRA_RESOURCES");
}
