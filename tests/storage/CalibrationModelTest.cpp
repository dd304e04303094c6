#include "StorageTestFiles.h"
#include "storage/CalibrationModel.h"
#include "storage/CalibrationRecords.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

class CalibrationModelTest : public ::testing::Test {
protected:
    // The current calibration as "name=record".
    std::string current() const {
        return model.strCalName() + "=" +
               formatCalibrationRecord(model.fScale(), model.strUnit(), model.fUnitLength());
    }

    TempDir dir;
    std::string plist = (dir.path() / "calibration.plist").string();
    std::string txt = (dir.path() / "calibration.txt").string();
    CalibrationModel model{plist, txt};
};

constexpr const char* kUncalibrated = "=0.000-mm-1.000";

}  // namespace

TEST_F(CalibrationModelTest, RestoreSelectsTheNameOfCalibrationTxtIfItHasARecord) {
    spit(plist, plistXml({{"Objective 10x", "10.000-um-2.500"},
                          {"Objective 4x", "4.000-mm-0.250"},
                          {"broken", "4.000"}}));
    spit(txt, "Objective 4x");
    EXPECT_EQ(model.restore(), 1u);
    EXPECT_EQ(model.names(), (Names{"Objective 10x", "Objective 4x", "broken"}));
    EXPECT_EQ(current(), "Objective 4x=4.000-mm-0.250");

    // Unlisted, with a line feed, without a record, not UTF-8, no file at all.
    for (const std::string name : {"gone", "Objective 4x\n", "broken", "\xFF", ""}) {
        if (name.empty())
            fs::remove(txt);
        else
            spit(txt, name);
        EXPECT_FALSE(model.restore()) << name;
        EXPECT_EQ(current(), kUncalibrated);
        EXPECT_EQ(model.names().size(), 3u);
    }
    const std::string unparseable = "<plist><dict><key>a</key>";
    spit(plist, unparseable);
    spit(txt, "a");
    EXPECT_FALSE(model.restore());
    EXPECT_TRUE(model.names().empty());
    EXPECT_EQ(slurp(plist), unparseable);  // left for the user
}

TEST_F(CalibrationModelTest, SelectAppliesTheStoredRecordAndRemembersIt) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "20.000-um-1.125"}, {"c", "bad"}}));
    model.restore();
    ASSERT_TRUE(model.select(1));
    EXPECT_EQ(current(), "b=20.000-um-1.125");
    EXPECT_EQ(slurp(txt), "b");
    ASSERT_TRUE(model.select(2));   // no usable record: zeros
    EXPECT_FALSE(model.select(3));  // outside the list: ignored
    EXPECT_EQ(current(), "c=0.000--0.000");
}

TEST_F(CalibrationModelTest, CompletedCalibrationJoinsTheListExactlyAndIsRestoredNextStart) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}}));
    model.restore();
    EXPECT_EQ(model.storeCompleted("Objective 4x", 4.0f, "mm", 0.123456f), 1u);
    EXPECT_EQ(model.names(), (Names{"a", "Objective 4x"}));
    EXPECT_EQ(current(), "Objective 4x=4.000-mm-0.123456");

    CalibrationModel restarted(plist, txt);
    EXPECT_EQ(restarted.restore(), 1u);
    EXPECT_EQ(restarted.fUnitLength(), 0.123456f);
}

TEST_F(CalibrationModelTest, CompletedCalibrationIsNotListedWhenItsListCannotBeWritten) {
    for (const std::string list : {"", "this is not a property list"}) {
        if (!list.empty()) spit(plist, list);
        EXPECT_FALSE(model.storeCompleted("Objective 4x", 4.0f, "mm", 0.25f));
        EXPECT_TRUE(model.names().empty());
        EXPECT_EQ(fs::exists(plist), !list.empty());  // left as it was, or still missing
        EXPECT_FALSE(fs::exists(txt));
    }
}

TEST_F(CalibrationModelTest, RemoveDeletesOneRecordAndUncalibratesWhenItWasCurrent) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "10.000-um-2.500"}}));
    spit(txt, "b");
    model.restore();
    ASSERT_TRUE(model.remove(5));  // outside the list: nothing to do
    EXPECT_EQ(model.names(), (Names{"a", "b"}));
    ASSERT_TRUE(model.remove(0));
    EXPECT_EQ(model.names(), Names{"b"});
    EXPECT_EQ(current(), "b=10.000-um-2.500") << "another calibration stays in force";
    ASSERT_TRUE(model.remove(0));
    EXPECT_EQ(current(), kUncalibrated);
    EXPECT_FALSE(fs::exists(txt));
    EXPECT_TRUE(readCalibrationList(plist)->empty());
}

TEST_F(CalibrationModelTest, ClearForgetsEverythingWhateverTheListHeld) {
    spit(plist, "junk");
    spit(txt, "a");
    model.restore();
    model.clear();
    EXPECT_EQ(current(), kUncalibrated);
    EXPECT_FALSE(fs::exists(txt));
    EXPECT_TRUE(readCalibrationList(plist)->empty());
}
