#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/CalibrationModel.h"
#include "storage/CalibrationRecords.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::plistXml;
using test::slurp;
using test::spit;

namespace {

class CalibrationModelTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string plist = (dir.path() / "calibration.plist").string();
    std::string txt = (dir.path() / "calibration.txt").string();
    CalibrationModel model{plist, txt};

    void expectUncalibrated() const {
        EXPECT_EQ(model.strCalName(), "");
        EXPECT_EQ(model.fScale(), 0.0f);
        EXPECT_EQ(model.fUnitLength(), 1.0f);
        EXPECT_EQ(model.strUnit(), "mm");
        EXPECT_FALSE(model.isCalibrated());
    }
};

}  // namespace

TEST_F(CalibrationModelTest, RestoreSelectsTheNameOfCalibrationTxt) {
    spit(plist,
         plistXml({{"Objective 10x", "10.000-um-2.500"}, {"Objective 4x", "4.000-mm-0.250"}}));
    spit(txt, "Objective 4x");
    const auto index = model.restore();
    ASSERT_EQ(index, 1u);
    EXPECT_EQ(model.names(), (std::vector<std::string>{"Objective 10x", "Objective 4x"}));
    EXPECT_EQ(model.strCalName(), "Objective 4x");
    EXPECT_FLOAT_EQ(model.fScale(), 4.0f);
    EXPECT_FLOAT_EQ(model.fUnitLength(), 0.25f);
    EXPECT_EQ(model.strUnit(), "mm");
}

TEST_F(CalibrationModelTest, RestoreWithoutAUsableCurrentNameStaysUncalibrated) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"broken", "4.000"}}));
    for (const std::string& content :
         {std::string("gone"), std::string("a\n"), std::string("broken"), std::string("\xFF")}) {
        spit(txt, content);
        EXPECT_FALSE(model.restore()) << content;
        expectUncalibrated();
        EXPECT_EQ(model.names().size(), 2u);
    }
    fs::remove(txt);
    EXPECT_FALSE(model.restore());
    expectUncalibrated();
}

TEST_F(CalibrationModelTest, RestoreWithoutAListFile) {
    spit(txt, "a");
    EXPECT_FALSE(model.restore());
    EXPECT_TRUE(model.names().empty());
    spit(plist, "<plist><dict><key>a</key>");
    EXPECT_FALSE(model.restore());
    EXPECT_TRUE(model.names().empty());
    expectUncalibrated();
    EXPECT_EQ(slurp(plist), "<plist><dict><key>a</key>");  // left for the user
}

TEST_F(CalibrationModelTest, SelectAppliesTheStoredRecordAndRemembersIt) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "20.000-um-1.125"}}));
    model.restore();
    ASSERT_TRUE(model.select(1));
    EXPECT_EQ(model.strCalName(), "b");
    EXPECT_FLOAT_EQ(model.fScale(), 20.0f);
    EXPECT_FLOAT_EQ(model.fUnitLength(), 1.125f);
    EXPECT_EQ(model.strUnit(), "um");
    EXPECT_EQ(slurp(txt), "b");
}

TEST_F(CalibrationModelTest, SelectOfANameWithoutRecordReadsZeros) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "bad"}}));
    model.restore();
    // The file changes behind the list's back.
    spit(plist, plistXml({{"b", "bad"}}));
    for (size_t i : {0u, 1u}) {
        ASSERT_TRUE(model.select(i));
        EXPECT_EQ(model.fScale(), 0.0f);
        EXPECT_EQ(model.fUnitLength(), 0.0f);
        EXPECT_EQ(model.strUnit(), "");
        EXPECT_FALSE(model.isCalibrated());
        EXPECT_EQ(slurp(txt), model.names()[i]);
    }
}

TEST_F(CalibrationModelTest, SelectOutsideTheListIsIgnored) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}}));
    model.restore();
    model.setCalibratedParas("kept", 2.0f, 0.5f, "mm");
    EXPECT_FALSE(model.select(1));
    EXPECT_FALSE(model.select(static_cast<size_t>(-1)));
    EXPECT_EQ(model.strCalName(), "kept");
    EXPECT_FALSE(fs::exists(txt));
}

TEST_F(CalibrationModelTest, CompletedCalibrationJoinsTheListWithRoundedValues) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}}));
    model.restore();
    // The view stores the record, then reports the unrounded values.
    ASSERT_TRUE(storeCalibrationRecord(plist, "Objective 4x", 4.0f, "mm", 0.123456f));
    const size_t index = model.addCompleted("Objective 4x", "4.000000", "0.123456", "mm");
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(model.names(), (std::vector<std::string>{"a", "Objective 4x"}));
    EXPECT_FLOAT_EQ(model.fUnitLength(), 0.123f);
    EXPECT_TRUE(model.isCalibrated());
    EXPECT_EQ(slurp(txt), "Objective 4x");

    // A restart selects it again.
    CalibrationModel restarted(plist, txt);
    EXPECT_EQ(restarted.restore(), 1u);
    EXPECT_EQ(restarted.strCalName(), "Objective 4x");
    EXPECT_FLOAT_EQ(restarted.fUnitLength(), 0.123f);
}

TEST_F(CalibrationModelTest, ReplacedNameStandsTwiceUntilRestart) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}}));
    model.restore();
    ASSERT_TRUE(storeCalibrationRecord(plist, "a", 10.0f, "um", 1.0f));
    model.addCompleted("a", "10", "1", "um");
    EXPECT_EQ(model.names(), (std::vector<std::string>{"a", "a"}));
    ASSERT_TRUE(model.select(0));
    EXPECT_FLOAT_EQ(model.fScale(), 10.0f);  // both entries name the one record
    CalibrationModel restarted(plist, txt);
    restarted.restore();
    EXPECT_EQ(restarted.names(), (std::vector<std::string>{"a"}));
}

TEST_F(CalibrationModelTest, ClearForgetsEverything) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "2.000-mm-0.500"}}));
    spit(txt, "a");
    model.restore();
    model.clear();
    EXPECT_TRUE(model.names().empty());
    expectUncalibrated();
    EXPECT_FALSE(fs::exists(txt));
    const auto entries = readCalibrationList(plist);
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->empty());

    // A new calibration afterwards is the first and only entry.
    ASSERT_TRUE(storeCalibrationRecord(plist, "c", 4.0f, "mm", 0.25f));
    EXPECT_EQ(model.addCompleted("c", "4", "0.25", "mm"), 0u);
    EXPECT_EQ(model.names(), (std::vector<std::string>{"c"}));
}

TEST_F(CalibrationModelTest, ClearWithoutFilesStillSucceeds) {
    model.clear();
    expectUncalibrated();
    EXPECT_TRUE(readCalibrationList(plist));  // an empty list now exists
}
