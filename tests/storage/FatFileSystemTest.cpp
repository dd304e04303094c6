#include <cerrno>

#include "StorageTestFiles.h"
#include "storage/CalibrationRecords.h"
#include "storage/FileCopy.h"
#include "support/FatMount.h"

using namespace lumetra;
using namespace lumetra::test;

// FAT has no hard links (link fails with EPERM) and no Unix modes: what must
// never replace a file still works there, and still never replaces one.
TEST(FatFileSystem, CalibrationListsAndCopiesWorkWithoutHardLinks) {
    FatMount fat;
    if (!fat.skipReason().empty()) GTEST_SKIP() << fat.skipReason();
    const fs::path root = fat.mountPoint();
    const std::string list = (root / "calibration.plist").string();

    ASSERT_TRUE(createEmptyCalibrationList(list)) << createEmptyCalibrationList(list).message();
    EXPECT_EQ(createEmptyCalibrationList(list).error(), EEXIST);
    ASSERT_TRUE(storeCalibrationRecord(list, "x10", 10.0f, "mm", 0.5f));
    EXPECT_EQ(readCalibrationList(list)->at(0).record, "10.000-mm-0.500");
    ASSERT_TRUE(clearCalibrationList(list));
    EXPECT_TRUE(readCalibrationList(list)->empty());

    spit(root / "a.jpg", "picture");
    spit(root / "taken.jpg", "other");
    ASSERT_TRUE(copyFileNoReplace((root / "a.jpg").string(), (root / "b.jpg").string()));
    EXPECT_EQ(copyFileNoReplace((root / "a.jpg").string(), (root / "taken.jpg").string()).error(),
              EEXIST);
    EXPECT_EQ(slurp(root / "b.jpg"), "picture");
    EXPECT_EQ(slurp(root / "taken.jpg"), "other");

    Names names;
    for (const auto& e : fs::directory_iterator(root)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"a.jpg", "b.jpg", "calibration.plist", "taken.jpg"}))
        << "no temporary file is left behind";
}
