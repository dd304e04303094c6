#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/AtomicFile.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;

namespace {
std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

TEST(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto path = dir.path() / "a.txt";
    ASSERT_TRUE(writeFileAtomically(path.string(), "first"));
    ASSERT_TRUE(writeFileAtomically(path.string(), "second"));
    EXPECT_EQ(slurp(path), "second");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, MissingFolderFailsWithItsReasonAndLeavesNothing) {
    test::TempDir dir;
    const std::string path = (dir.path() / "no" / "such.txt").string();
    const WriteResult result = writeFileAtomically(path, "x");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error(), ENOENT);
    EXPECT_EQ(result.message(), "Could not write \"" + path + "\": No such file or directory");
    EXPECT_EQ(writeNewFileAtomically(path, "x", 1).error(), ENOENT);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(AtomicFile, NewFileNeverReplacesAnExistingOne) {
    test::TempDir dir;
    const auto path = dir.path() / "b.jpg";
    ASSERT_TRUE(writeNewFileAtomically(path.string(), "one", 3));
    EXPECT_EQ(writeNewFileAtomically(path.string(), "two", 3).error(), EEXIST);
    EXPECT_EQ(slurp(path), "one");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
}
