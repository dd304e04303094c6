#include <sys/stat.h>

#include "StorageTestFiles.h"
#include "storage/FileCopy.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(CopyNoReplace, CopiesBytesAndPermissionsAndFailuresLeaveEverythingAsItWas) {
    TempDir dir;
    const auto a = (dir.path() / "a").string(), b = (dir.path() / "b").string();
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
    spit(a, big);
    fs::permissions(a, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    spit(dir.path() / "old", "old");
    EXPECT_FALSE(copyFileNoReplace(a, (dir.path() / "old").string()));  // never replaces
    EXPECT_FALSE(copyFileNoReplace(a, a));
    EXPECT_FALSE(copyFileNoReplace((dir.path() / "missing").string(), b));
    EXPECT_FALSE(copyFileNoReplace(dir.path().string(), b));
    const auto pipe = (dir.path() / "pipe").string();  // nobody writes: refused, not waited on
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(copyFileNoReplace(pipe, b));
    fs::remove(pipe);
    EXPECT_FALSE(copyFileNoReplace(a, (dir.path() / "no" / "b").string()));
    {
        ScopedFileSizeLimit limit(1000);
        EXPECT_FALSE(copyFileNoReplace(a, b));
    }
    EXPECT_EQ(slurp(dir.path() / "old"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    ASSERT_TRUE(copyFileNoReplace(a, b));
    EXPECT_EQ(slurp(b), big);
    EXPECT_EQ(fs::status(b).permissions(), fs::status(a).permissions());
}
