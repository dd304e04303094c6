#include <sys/stat.h>

#include "StorageTestFiles.h"
#include "image/Utf8Text.h"
#include "storage/TextFiles.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(TextFiles, Utf8Validation) {
    for (const char* ok : {"", "default", "\xC3\x96lbilder \xE2\x82\xAC \xF0\x9F\x94\xAC",
                           "\xF4\x8F\xBF\xBF"})  // Ö, €, a microscope, U+10FFFF
        EXPECT_TRUE(isValidUtf8(ok)) << ok;
    // Stray, cut short, bad continuation, overlong, surrogate, above U+10FFFF, Latin-1.
    for (const char* bad : {"\xFF", "\x80", "abc\xC3", "\xC3\x28", "\xC0\xAF", "\xE0\x80\xAF",
                            "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}

TEST(TextFiles, FilesAreReadWholeUpToTheLimitAndNamesWrittenAsTheyAre) {
    TempDir dir;
    const auto path = (dir.path() / "f").string();
    spit(path, std::string(100, 'x'));
    EXPECT_EQ(readWholeFile(path, 100)->size(), 100u);
    EXPECT_FALSE(readWholeFile(path, 99));
    EXPECT_FALSE(readWholeFile(dir.path().string()));
    EXPECT_FALSE(readNameFile(dir.path().string()));
    // A pipe under a file's name, with nobody writing to it: refused, not waited on.
    const auto pipe = (dir.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(readWholeFile(pipe));
    EXPECT_FALSE(readFileStart(pipe, 16));
    ASSERT_TRUE(writeNameFile(path, "Zwiebel \xE2\x80\x93 Schnitt"));
    EXPECT_EQ(readNameFile(path), "Zwiebel \xE2\x80\x93 Schnitt");
    EXPECT_EQ(slurp(path), "Zwiebel \xE2\x80\x93 Schnitt");  // no line end, no BOM
    EXPECT_FALSE(writeNameFile((dir.path() / "none" / "x.txt").string(), "x"));
}
