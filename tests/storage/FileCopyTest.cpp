#include "StorageTestFiles.h"
#include "storage/FileCopy.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {
size_t entries(const fs::path& p) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(p), fs::directory_iterator()));
}
}  // namespace

TEST(CopyNoReplace, CopiesBytesAndPermissions) {
    TempDir dir;
    const fs::path src = dir.path() / "a.jpg", dst = dir.path() / "out" / "b.jpg";
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
    spit(src, big);
    fs::permissions(src, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    fs::create_directory(dir.path() / "out");
    ASSERT_TRUE(copyFileNoReplace(src.string(), dst.string()));
    EXPECT_EQ(slurp(dst), big);
    EXPECT_EQ(fs::status(dst).permissions(), fs::status(src).permissions());
    EXPECT_EQ(entries(dir.path() / "out"), 1u);
}

TEST(CopyNoReplace, FailuresLeaveEverythingAsItWas) {
    TempDir dir;
    const auto a = (dir.path() / "a").string(), b = (dir.path() / "b").string();
    spit(a, std::string(100000, 'x'));
    spit(dir.path() / "old", "old");
    EXPECT_FALSE(copyFileNoReplace(a, (dir.path() / "old").string()));  // never replaces
    EXPECT_FALSE(copyFileNoReplace(a, a));
    EXPECT_FALSE(copyFileNoReplace((dir.path() / "missing").string(), b));
    EXPECT_FALSE(copyFileNoReplace(dir.path().string(), b));
    EXPECT_FALSE(copyFileNoReplace(a, (dir.path() / "no" / "b").string()));
    {
        ScopedFileSizeLimit limit(1000);
        EXPECT_FALSE(copyFileNoReplace(a, b));
    }
    EXPECT_EQ(slurp(dir.path() / "old"), "old");
    EXPECT_EQ(slurp(a).size(), 100000u);
    EXPECT_EQ(entries(dir.path()), 2u);
}
