#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/CalibrationRecords.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::plistXml;
using test::slurp;
using test::spit;

namespace {

std::vector<std::string> namesOf(const std::vector<CalibrationEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
}

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

TEST(CalibrationRecordFormat, ThreeDecimalsAroundTheUnit) {
    EXPECT_EQ(formatCalibrationRecord(4.0f, "mm", 0.25f), "4.000-mm-0.250");
    EXPECT_EQ(formatCalibrationRecord(200.0f, "um", 0.0123456f), "200.000-um-0.012");
    EXPECT_EQ(formatCalibrationRecord(12.0f, "inch", 1.0005f), "12.000-inch-1.000");
    EXPECT_EQ(formatCalibrationRecord(0.0f, "", 12345.6789f), "0.000--12345.679");
}

TEST(CalibrationRecordParse, SplitsAtEveryDash) {
    const auto r = parseCalibrationRecord("4.000-mm-0.250");
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->magnification, 4.0f);
    EXPECT_EQ(r->unit, "mm");
    EXPECT_FLOAT_EQ(r->unitLength, 0.25f);

    // Extra parts are ignored; only parts 0 to 2 count.
    const auto extra = parseCalibrationRecord("10.000-um-2.500-junk");
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra->unit, "um");
    EXPECT_FLOAT_EQ(extra->unitLength, 2.5f);

    // A negative magnification shifts the parts: the leading "-" splits too.
    const auto negative = parseCalibrationRecord("-4.000-mm-0.250");
    ASSERT_TRUE(negative);
    EXPECT_FLOAT_EQ(negative->magnification, 0.0f);
    EXPECT_EQ(negative->unit, "4.000");
}

TEST(CalibrationRecordParse, TooFewPartsIsNoRecord) {
    EXPECT_FALSE(parseCalibrationRecord(""));
    EXPECT_FALSE(parseCalibrationRecord("4.000"));
    EXPECT_FALSE(parseCalibrationRecord("4.000-mm"));
    const auto empty = parseCalibrationRecord("--");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->magnification, 0.0f);
    EXPECT_EQ(empty->unit, "");
}

TEST(CalibrationRecordParse, FloatValueIsLenient) {
    EXPECT_FLOAT_EQ(parseFloatValue("  12"), 12.0f);
    EXPECT_FLOAT_EQ(parseFloatValue("+1.5e2"), 150.0f);
    EXPECT_FLOAT_EQ(parseFloatValue("-0.5"), -0.5f);
    EXPECT_FLOAT_EQ(parseFloatValue("3.25abc"), 3.25f);
    EXPECT_EQ(parseFloatValue("abc"), 0.0f);
    EXPECT_EQ(parseFloatValue("-"), 0.0f);
    EXPECT_EQ(parseFloatValue("nan"), 0.0f);
    EXPECT_EQ(parseFloatValue("1e999"), 0.0f);
}

TEST(CalibrationRecordParse, RoundTripKeepsThreeDecimals) {
    const auto r = parseCalibrationRecord(formatCalibrationRecord(4.0f, "mm", 0.123456f));
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->unitLength, 0.123f);
}

TEST(CalibrationListFile, ReadsEntriesInFileOrder) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    spit(path,
         plistXml(
             {{"zeta", "1.000-mm-1.000"}, {"Alpha", "2.000-um-0.500"}, {"mid", "3.000-mm-0.100"}}));
    const auto entries = readCalibrationList(path);
    ASSERT_TRUE(entries);
    EXPECT_EQ(namesOf(*entries), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_EQ((*entries)[1].record, "2.000-um-0.500");
}

TEST(CalibrationListFile, NonStringValuesAreListedWithoutRecord) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    spit(path,
         "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
         "<key>n</key><integer>4</integer><key>s</key><string>1.000-mm-1.000</string>"
         "</dict></plist>");
    const auto entries = readCalibrationList(path);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_FALSE((*entries)[0].record);
    EXPECT_TRUE((*entries)[1].record);
}

TEST(CalibrationListFile, UnreadableFilesGiveNoList) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    EXPECT_FALSE(readCalibrationList(path));  // missing
    for (const std::string& bad : std::vector<std::string>{
             "", "garbage", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>",
             "<?xml version=\"1.0\"?><plist "
             "version=\"1.0\"><array><string>a</string></array></plist>",
             std::string("\0\0\0\0", 4)}) {
        spit(path, bad);
        EXPECT_FALSE(readCalibrationList(path)) << bad;
    }
    fs::create_directory(dir.path() / "folder.plist");
    EXPECT_FALSE(readCalibrationList((dir.path() / "folder.plist").string()));
}

TEST(CalibrationListStore, AddsAndReplacesKeepingKeyOrder) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    spit(path, plistXml({{"b", "1.000-mm-1.000"}, {"a", "2.000-mm-2.000"}}));
    ASSERT_TRUE(storeCalibrationRecord(path, "Objective 4x", 4.0f, "mm", 0.25f));
    ASSERT_TRUE(storeCalibrationRecord(path, "b", 10.0f, "um", 0.5f));
    const auto entries = readCalibrationList(path);
    ASSERT_TRUE(entries);
    EXPECT_EQ(namesOf(*entries), (std::vector<std::string>{"b", "a", "Objective 4x"}));
    EXPECT_EQ((*entries)[0].record, "10.000-um-0.500");
    EXPECT_EQ((*entries)[2].record, "4.000-mm-0.250");
}

TEST(CalibrationListStore, OtherReadersAcceptTheFile) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    spit(path, plistXml({}));
    ASSERT_TRUE(storeCalibrationRecord(path, "Objective 4x", 4.0f, "mm", 0.25f));
    ASSERT_TRUE(storeCalibrationRecord(path, "Ölimmersion 100x", 100.0f, "um", 0.043f));
    ASSERT_TRUE(storeCalibrationRecord(path, "A & <B>", 1.0f, "mm", 1.0f));
    EXPECT_NE(slurp(path).find("<key>A &amp; &lt;B&gt;</key>"), std::string::npos);

    if (std::system("command -v plistutil >/dev/null 2>&1") == 0) {
        const auto bin = (dir.path() / "out.bin").string();
        ASSERT_EQ(std::system(("plistutil -i " + shellQuote(path) + " -f bin -o " +
                               shellQuote(bin) + " >/dev/null 2>&1")
                                  .c_str()),
                  0);
        // The binary form read back names the same entries.
        const auto entries = readCalibrationList(bin);
        ASSERT_TRUE(entries);
        EXPECT_EQ(namesOf(*entries),
                  (std::vector<std::string>{"Objective 4x", "Ölimmersion 100x", "A & <B>"}));
    }
    if (std::system("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    const std::string script =
        "import plistlib,sys\n"
        "d=plistlib.load(open(sys.argv[1],'rb'))\n"
        "assert d=={'Objective 4x':'4.000-mm-0.250','\\u00d6limmersion 100x':'100.000-um-0.043',"
        "'A & <B>':'1.000-mm-1.000'},d\n";
    EXPECT_EQ(std::system(("python3 -c " + shellQuote(script) + " " + shellQuote(path)).c_str()),
              0);
}

TEST(CalibrationListStore, NeverOverwritesAnUnusableFile) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    EXPECT_FALSE(storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f));
    EXPECT_FALSE(fs::exists(path));  // a missing file is not created

    const std::string broken = "<plist><dict><key>mine</key><string>1.000-mm-1.000";
    spit(path, broken);
    EXPECT_FALSE(storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f));
    EXPECT_EQ(slurp(path), broken);
}

TEST(CalibrationListStore, FailedWriteLeavesTheFile) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    const std::string original = plistXml({{"a", "1.000-mm-1.000"}});
    spit(path, original);
    {
        test::ScopedFileSizeLimit limit(16);  // the new contents cannot be written
        EXPECT_FALSE(storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f));
        EXPECT_FALSE(clearCalibrationList(path));
    }
    EXPECT_EQ(slurp(path), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(CalibrationListClear, LeavesAnEmptyDictionary) {
    test::TempDir dir;
    const auto path = (dir.path() / "calibration.plist").string();
    spit(path, plistXml({{"a", "1.000-mm-1.000"}}));
    ASSERT_TRUE(clearCalibrationList(path));
    const auto entries = readCalibrationList(path);
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->empty());

    spit(path, "not a plist");
    ASSERT_TRUE(clearCalibrationList(path));
    EXPECT_TRUE(readCalibrationList(path));
    EXPECT_FALSE(clearCalibrationList((dir.path() / "none" / "calibration.plist").string()));
}
