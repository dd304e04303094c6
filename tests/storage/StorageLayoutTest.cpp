#include <cstdlib>
#include <filesystem>
#include <utility>

#include "StorageTestFiles.h"
#include "storage/Resources.h"
#include "storage/StorageLayout.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(StorageLayout, HomeAndResourcesFromTheEnvironment) {
    TempDir dir;
    ScopedHome home(dir.path());
    ::setenv("HOME", "", 1);
    EXPECT_FALSE(homeDirectory().empty());  // the password entry steps in
    ::setenv("LUMETRA_RESOURCES", "/opt/res", 1);
    EXPECT_EQ(resourceFile("sounds/TakePicture.wav"), "/opt/res/sounds/TakePicture.wav");
    ::unsetenv("LUMETRA_RESOURCES");
    EXPECT_EQ(resourceDirectory(),
              resourceDirectoryBeside(std::filesystem::read_symlink("/proc/self/exe").string()));
}

TEST(StorageLayout, ResourcesLieAtTheSameRelativePathBesideAnyProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/lumetra", "/usr/share/lumetra"},
        {"/home/u/moved build/app/lumetra", "/home/u/moved build/share/lumetra"},
        {"build/app/lumetra", "build/share/lumetra"},
        {"lumetra", ""},
    };
    for (const auto& [program, resources] : cases)
        EXPECT_EQ(resourceDirectoryBeside(program), resources) << program;
}

TEST(StorageLayout, PlainFolderNamesStayInsideTheRoot) {
    for (const char* ok : {"default", " spaced ", "...", ".hidden", "\xC3\x96lbilder", "x\n"})
        EXPECT_TRUE(isPlainFolderName(ok)) << ok;
    for (const std::string& bad : Names{"", ".", "..", "a/b", "/", "../x", std::string("a\0b", 3)})
        EXPECT_FALSE(isPlainFolderName(bad)) << bad;
}

TEST(StorageLayout, ASnapshotsCompanionsAreNamedAfterIt) {
    EXPECT_EQ(cleanCopyPath("/a/Image/20250303090507.jpg"), "/a/Image/20250303090507.clean.jpg");
    EXPECT_EQ(analysisCopyPath("/a/Image/20250303090507-1.jpg"), "/a/Image/20250303090507-1.tif");
    EXPECT_EQ(snapshotOfCleanCopy("/a/x.y.clean.jpg"), "/a/x.y.jpg");
    for (const char* notClean : {"/a/x.jpg", "/a/.clean.jpg", ".clean.jpg", "/a/x.clean.jpg.json"})
        EXPECT_EQ(snapshotOfCleanCopy(notClean), "") << notClean;
}
