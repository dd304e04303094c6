#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "capture/SnapshotWriter.h"
#include "capture/StampedName.h"
#include "image/JpegCodec.h"
#include "support/FatMount.h"
#include "support/GreyFrame.h"
#include "support/TempDir.h"

using namespace lumetra;
using lumetra::test::greyFrame;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SnapshotNaming, FourteenZeroPaddedDigits) {
    std::tm t{};
    t.tm_year = 2025 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 3;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(timestampName(t), "20250303090507");
    EXPECT_EQ(snapshotFileName("20250303090507", 0), "20250303090507.jpg");
    EXPECT_EQ(snapshotFileName("20250303090507", 2), "20250303090507-2.jpg");
    EXPECT_EQ(currentTimestampName().size(), 14u);
}

TEST(StampedName, CreatesUnderTheFirstFreeNameAndReportsWhatEndedTheSearch) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const auto noCompanion = [](const std::string& path) { return path + ".none"; };
    std::vector<std::string> tried;
    const auto takenTwice = [&](const std::string& path) {
        tried.push_back(path);
        return tried.size() <= 2 ? EEXIST : 0;
    };
    const StampedFile made =
        createStampedFile(folder, "20250303090507", ".mp4", noCompanion, takenTwice);
    EXPECT_EQ(made.error, 0);
    EXPECT_EQ(made.path, folder + "20250303090507-2.mp4");

    tried.clear();
    const auto refused = [&](const std::string& path) {
        tried.push_back(path);
        return EACCES;
    };
    EXPECT_EQ(createStampedFile(folder, "s", ".mp4", noCompanion, refused).error, EACCES);
    EXPECT_EQ(tried.size(), 1u) << "only a taken name is worth another try";

    tried.clear();
    const auto companionLeft = [&](const std::string&) { return dir.path().string(); };
    EXPECT_EQ(createStampedFile(folder, "s", ".mp4", companionLeft, refused).error, EEXIST);
    EXPECT_TRUE(tried.empty()) << "a name whose companion exists is never tried";
}

TEST(SnapshotWriter, SameSecondGetsSuffixesInsteadOfReplacing) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const auto first = writeSnapshot(greyFrame(16, 16, 10), folder, "20250303090507");
    const auto second = writeSnapshot(greyFrame(16, 16, 200), folder, "20250303090507");
    const auto third = writeSnapshot(greyFrame(16, 16, 100), folder, "20250303090507");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(*first, folder + "20250303090507.jpg");
    EXPECT_EQ(*second, folder + "20250303090507-1.jpg");
    EXPECT_EQ(*third, folder + "20250303090507-2.jpg");

    // The first file still holds the first picture.
    const auto decoded = decodeJpegFile(*first);
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(decoded->row(8)[0], 10, 3);
}

TEST(SnapshotWriter, WritesOnAFileSystemWithoutHardLinks) {
    test::FatMount fat;
    if (!fat.skipReason().empty()) GTEST_SKIP() << fat.skipReason();
    const std::string folder = fat.mountPoint().string() + "/";
    WriteResult failure;
    ASSERT_TRUE(writeSnapshot(greyFrame(32, 16, 90), folder, "20250101120000", &failure))
        << failure.message();
    ASSERT_TRUE(writeSnapshot(greyFrame(32, 16, 90), folder, "20250101120000"));
    EXPECT_EQ(namesIn(fat.mountPoint()),
              (std::vector<std::string>{"20250101120000-1.jpg", "20250101120000.jpg"}));
}

TEST(SnapshotWriter, FailedWriteGivesItsReasonAndLeavesNothing) {
    test::TempDir dir;
    WriteResult failure;
    EXPECT_FALSE(writeSnapshot(greyFrame(8, 8, 0), (dir.path() / "gone").string() + "/",
                               "20250101000000", &failure));
    EXPECT_EQ(failure.error(), ENOENT);
    EXPECT_FALSE(writeSnapshot(Frame{}, dir.path().string() + "/", "20250101000000"));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SnapshotWriter, FolderThatIsAFileFailsWithoutRetrying) {
    test::TempDir dir;
    const auto blocker = dir.path() / "Image";
    ASSERT_TRUE(writeSnapshotBytes(dir.path().string() + "/", "Image", "x", 1));
    fs::rename(dir.path() / "Image.jpg", blocker);
    EXPECT_FALSE(writeSnapshot(greyFrame(8, 8, 0), blocker.string() + "/", "20250101000000"));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Image"});
}

// A process killed while it writes a large snapshot leaves only its temporary
// file (which album listings skip), never a truncated "*.jpg".
TEST(SnapshotWriter, KilledWriterNeverLeavesATruncatedJpeg) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    std::vector<uint8_t> big(256u << 20, 0xAB);  // long enough to be caught mid-write
    for (int attempt = 0; attempt < 3; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            writeSnapshotBytes(folder, "20250101000000", big.data(), big.size());
            ::_exit(0);
        }
        ::usleep(20000 * (attempt + 1));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        for (const auto& name : namesIn(dir.path())) {
            if (name.size() >= 4 && name.substr(name.size() - 4) == ".jpg") {
                EXPECT_EQ(fs::file_size(dir.path() / name), big.size()) << name;
            }
        }
    }
}
