#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/TextFiles.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;

TEST(Utf8Validation, AcceptsWellFormedText) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("default"));
    EXPECT_TRUE(isValidUtf8("Ölbilder \xE2\x82\xAC \xF0\x9F\x94\xAC"));  // Ö, €, 🔬
    EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF"));                        // U+10FFFF
}

TEST(Utf8Validation, RejectsMalformedText) {
    EXPECT_FALSE(isValidUtf8("\xFF"));
    EXPECT_FALSE(isValidUtf8("abc\xC3"));           // cut short
    EXPECT_FALSE(isValidUtf8("\xC3\x28"));          // bad continuation
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));      // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\x80"));              // lone continuation
    EXPECT_FALSE(isValidUtf8("Latin-1 \xE9t\xE9"));
}

TEST(NameFiles, WholeContentIsTheName) {
    test::TempDir dir;
    const auto path = (dir.path() / "default.txt").string();
    test::spit(path, "album\n");
    EXPECT_EQ(readNameFile(path), "album\n");
    test::spit(path, "");
    EXPECT_EQ(readNameFile(path), "");
    ASSERT_TRUE(writeNameFile(path, "Zwiebel – Schnitt"));
    EXPECT_EQ(test::slurp(path), "Zwiebel – Schnitt");
}

TEST(NameFiles, UnusableContentGivesNoName) {
    test::TempDir dir;
    const auto path = (dir.path() / "default.txt").string();
    EXPECT_FALSE(readNameFile(path));  // missing
    test::spit(path, "caf\xE9");
    EXPECT_FALSE(readNameFile(path));
    test::spit(path, std::string("a\0b", 3));
    EXPECT_FALSE(readNameFile(path));
    EXPECT_FALSE(readNameFile(dir.path().string()));  // a folder
}

TEST(WholeFiles, SizeLimitAndFolders) {
    test::TempDir dir;
    const auto path = (dir.path() / "f").string();
    test::spit(path, std::string(100, 'x'));
    EXPECT_EQ(readWholeFile(path, 100)->size(), 100u);
    EXPECT_FALSE(readWholeFile(path, 99));
    EXPECT_FALSE(readWholeFile(dir.path().string()));
    EXPECT_FALSE(writeNameFile((dir.path() / "none" / "x.txt").string(), "x"));
}
