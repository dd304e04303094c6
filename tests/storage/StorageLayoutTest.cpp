#include <cstdlib>

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
    EXPECT_EQ(resourceDirectory(), LUMETRA_RESOURCE_DIR);
}

TEST(StorageLayout, PlainFolderNamesStayInsideTheRoot) {
    for (const char* ok : {"default", " spaced ", "...", ".hidden", "\xC3\x96lbilder", "x\n"})
        EXPECT_TRUE(isPlainFolderName(ok)) << ok;
    for (const std::string& bad : Names{"", ".", "..", "a/b", "/", "../x", std::string("a\0b", 3)})
        EXPECT_FALSE(isPlainFolderName(bad)) << bad;
}
