#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "StorageTestFiles.h"
#include "storage/CalibrationRecords.h"
#include "support/PlistSamples.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

Names namesOf(const std::optional<std::vector<CalibrationEntry>>& entries) {
    Names names;
    for (const auto& e : entries.value_or(std::vector<CalibrationEntry>{})) names.push_back(e.name);
    return names;
}

std::string repeat(const std::string& text, size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i) out += text;
    return out;
}

class CalibrationListFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = (dir.path() / "calibration.plist").string();
};

}  // namespace

TEST(CalibrationRecord, UnitLengthReadsBackExactlyAndRecordsSplitAtEveryDash) {
    EXPECT_EQ(formatCalibrationRecord(4.0f, "mm", 0.25f), "4.000-mm-0.250");
    EXPECT_EQ(formatCalibrationRecord(200.0f, "um", 0.0123456f), "200.000-um-0.0123456");
    for (float length : {1.0f / 760.0f, 1e-30f, 3e30f, 0.1f}) {
        const std::string record = formatCalibrationRecord(1.0f, "mm", length);
        EXPECT_EQ(record.find_first_of("eE"), std::string::npos) << record;
        EXPECT_EQ(parseCalibrationRecord(record)->unitLength, length) << record;
    }
    const auto r = parseCalibrationRecord("10.000-um-2.500-extra");  // parts beyond 2 ignored
    ASSERT_TRUE(r);
    EXPECT_EQ(std::tie(r->magnification, r->unit, r->unitLength), std::tuple(10.0f, "um", 2.5f));
    EXPECT_EQ(r->relativeUncertainty, 0.0f);
    // A found calibration's relative uncertainty, as a fourth part, reads back exactly.
    const std::string found = formatCalibrationRecord(10.0f, "um", 2.5f, 1.25e-4f);
    EXPECT_EQ(found, "10.000-um-2.500-0.000125");
    EXPECT_EQ(parseCalibrationRecord(found)->relativeUncertainty, 1.25e-4f);
    EXPECT_EQ(parseCalibrationRecord("-4.000-mm-0.250")->unit, "4.000");  // a leading "-" too
    for (const char* bad : {"", "4.000", "4.000-mm"}) EXPECT_FALSE(parseCalibrationRecord(bad));
    // Numbers are read leniently: the longest numeric prefix, else 0.
    EXPECT_EQ(
        std::tuple(parseFloatValue("3.25abc"), parseFloatValue("nan"), parseFloatValue("1e999")),
        std::tuple(3.25f, 0.0f, 0.0f));
}

TEST_F(CalibrationListFile, ReadsEntriesInFileOrderOrNothingFromABrokenFile) {
    spit(path,
         "<plist version=\"1.0\"><dict><key>zeta</key><string>1.000-mm-1.000</string>"
         "<key>Alpha</key><integer>4</integer></dict></plist>");
    const auto entries = readCalibrationList(path);
    EXPECT_EQ(namesOf(entries), (Names{"zeta", "Alpha"}));
    EXPECT_FALSE((*entries)[1].record);  // not a string: listed without a record

    for (const std::string& bad : Names{"", "<plist version=\"1.0\"><dict><key>a</key>",
                                        "<plist version=\"1.0\"><array/></plist>"}) {
        spit(path, bad);
        EXPECT_FALSE(readCalibrationList(path)) << bad;
    }
    EXPECT_FALSE(readCalibrationList(path + ".missing"));
}

TEST_F(CalibrationListFile, StoreAddsOrReplacesInPlaceAndOtherReadersAcceptIt) {
    spit(path, plistXml({{"b", "1.000-mm-1.000"}, {"a", "2.000-mm-2.000"}}));
    ASSERT_TRUE(storeCalibrationRecord(path, "Objective 4x", 4.0f, "mm", 0.25f));
    ASSERT_TRUE(storeCalibrationRecord(path, "b", 10.0f, "um", 0.5f));
    ASSERT_TRUE(storeCalibrationRecord(path, "\xC3\x96l & <B>", 100.0f, "um", 0.0434f));
    const auto entries = readCalibrationList(path);
    EXPECT_EQ(namesOf(entries), (Names{"b", "a", "Objective 4x", "\xC3\x96l & <B>"}));
    EXPECT_EQ((*entries)[0].record, "10.000-um-0.500");
    // plistutil turns it into a binary list that reads back the same.
    const auto bin = (dir.path() / "out.bin").string();
    ASSERT_EQ(std::system(("plistutil -i '" + path + "' -f bin -o '" + bin + "'").c_str()), 0);
    EXPECT_EQ(namesOf(readCalibrationList(bin)), namesOf(entries));
    EXPECT_EQ((*readCalibrationList(bin))[2].record, "4.000-mm-0.250");
}

TEST_F(CalibrationListFile, MissingOrUnwritableFilesAreLeftAsTheyAre) {
    EXPECT_FALSE(storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f));
    EXPECT_FALSE(fs::exists(path));  // a missing file is not created

    const std::string original = plistXml({{"a", "1.000-mm-1.000"}});
    spit(path, original);
    {
        ScopedFileSizeLimit limit(16);  // the new contents cannot be written
        EXPECT_FALSE(storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f));
        EXPECT_FALSE(clearCalibrationList(path));
    }
    EXPECT_EQ(slurp(path), original);
    EXPECT_FALSE(clearCalibrationList((dir.path() / "none" / "calibration.plist").string()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Lists nested too deeply for libplist's recursive reader, shared-object trees
// that expand beyond measure, huge files and broken ones read as no list;
// storing sets such a file aside and starts a new list, removing leaves it.
TEST_F(CalibrationListFile, HostileListsReadAsNoListAndAreKeptBesideANewOne) {
    spit(path, binaryList(1, 1));
    EXPECT_EQ(namesOf(readCalibrationList(path)), Names{"a"}) << "a shallow binary list reads";
    const std::string deepXml = "<plist version=\"1.0\"><dict><key>a</key>" +
                                repeat("<array>", 200000) + repeat("</array>", 200000) +
                                "</dict></plist>";
    const std::string padded =
        plistXml({{"a", "1.000-mm-1.000"}}) + std::string(kMaxCalibrationListSize, ' ');
    // {"a" + NUL as UTF-16: "x"}: libplist asserts on a key holding a NUL.
    const std::string nulKey(
        "bplist00\xd1\x01\x02\x62\x00\x61\x00\x00\x51\x78\x08\x0b\x10"
        "\0\0\0\0\0\0\x01\x01\0\0\0\0\0\0\0\x03\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x12",
        53);
    for (const std::string& hostile :
         {binaryList(100000, 1), binaryList(15, 4), deepXml, padded, nulKey}) {
        spit(path, hostile);
        EXPECT_FALSE(readCalibrationList(path)) << hostile.size();
    }

    const std::string broken = "<plist><dict><key>mine</key><string>1.000-mm-1.000";
    for (const std::string& unreadable : {broken, binaryList(100000, 1)}) {
        spit(path, unreadable);
        EXPECT_EQ(removeCalibrationRecord(path, "mine").error(), EBADMSG);
        EXPECT_EQ(slurp(path), unreadable);
        const CalibrationStore stored = storeCalibrationRecord(path, "x", 1.0f, "mm", 1.0f);
        ASSERT_TRUE(stored);
        EXPECT_TRUE(stored.setAside.starts_with(path + ".unreadable-")) << stored.setAside;
        EXPECT_EQ(slurp(stored.setAside), unreadable);
        EXPECT_NE(stored.message().find(stored.setAside), std::string::npos);
        EXPECT_EQ(namesOf(readCalibrationList(path)), Names{"x"});
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3)
        << "both unreadable files kept";
}

TEST_F(CalibrationListFile, NamesWithControlCharactersAreRefusedAndTheFileStaysValidXml) {
    EXPECT_TRUE(isAcceptableCalibrationName("Objective 4x \xC3\x96 \xE2\x80\x93 & <B>"));
    for (const std::string bad : {"", "tab\there", "bell\x07", "line\nbreak", "del\x7F",
                                  "c1 \xC2\x85", "cut \xC3", "overlong \xC0\xAF", "\xEF\xBF\xBE"})
        EXPECT_FALSE(isAcceptableCalibrationName(bad)) << bad;

    // Whatever the writer is given, a strict reader accepts the file.
    spit(path, plistXml({}));
    ASSERT_TRUE(storeCalibrationRecord(path, std::string("a\x01z\xFF", 4), 1.0f, "m\x1Bm", 1.0f));
    if (std::system("command -v python3 > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const std::string check =
        "python3 -c \"import plistlib,sys; d = plistlib.load(open(sys.argv[1], 'rb')); "
        "sys.exit(d != {'a\\ufffdz\\ufffd': '1.000-m\\ufffdm-1.000'})\" '" +
        path + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << slurp(path);
}
