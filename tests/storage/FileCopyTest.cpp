#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/FileCopy.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::slurp;
using test::spit;

namespace {
size_t entries(const fs::path& p) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(p), fs::directory_iterator()));
}
}  // namespace

TEST(CopyNoReplace, CopiesBytesAndPermissions) {
    test::TempDir dir;
    const fs::path src = dir.path() / "a.jpg";
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
    spit(src, big);
    fs::permissions(src, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::others_read);
    fs::create_directory(dir.path() / "out");
    const fs::path dst = dir.path() / "out" / "b.jpg";
    ASSERT_TRUE(copyFileNoReplace(src.string(), dst.string()));
    EXPECT_EQ(slurp(dst), big);
    EXPECT_EQ(fs::status(dst).permissions(), fs::status(src).permissions());
    EXPECT_EQ(entries(dir.path() / "out"), 1u);
}

TEST(CopyNoReplace, ExistingDestinationIsLeftAlone) {
    test::TempDir dir;
    spit(dir.path() / "a", "new");
    spit(dir.path() / "b", "old");
    EXPECT_FALSE(copyFileNoReplace((dir.path() / "a").string(), (dir.path() / "b").string()));
    EXPECT_EQ(slurp(dir.path() / "b"), "old");
    // Onto itself.
    EXPECT_FALSE(copyFileNoReplace((dir.path() / "a").string(), (dir.path() / "a").string()));
    EXPECT_EQ(slurp(dir.path() / "a"), "new");
    EXPECT_EQ(entries(dir.path()), 2u);
}

TEST(CopyNoReplace, FailuresLeaveNothingBehind) {
    test::TempDir dir;
    spit(dir.path() / "a", std::string(100000, 'x'));
    EXPECT_FALSE(copyFileNoReplace((dir.path() / "missing").string(), (dir.path() / "b").string()));
    EXPECT_FALSE(copyFileNoReplace(dir.path().string(), (dir.path() / "b").string()));
    EXPECT_FALSE(
        copyFileNoReplace((dir.path() / "a").string(), (dir.path() / "no" / "b").string()));
    {
        test::ScopedFileSizeLimit limit(1000);
        EXPECT_FALSE(copyFileNoReplace((dir.path() / "a").string(), (dir.path() / "b").string()));
    }
    EXPECT_EQ(entries(dir.path()), 1u);
}
