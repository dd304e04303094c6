#include <limits>
#include <utility>

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
    EXPECT_FALSE(model.listUnreadable());
    spit(plist, unparseable);
    spit(txt, "a");
    EXPECT_FALSE(model.restore());
    EXPECT_TRUE(model.listUnreadable());
    EXPECT_TRUE(model.names().empty());
    EXPECT_EQ(slurp(plist), unparseable);  // left for the user
}

TEST_F(CalibrationModelTest, SelectAppliesTheStoredRecordAndRemembersIt) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}, {"b", "20.000-um-1.125"}, {"c", "bad"}}));
    model.restore();
    ASSERT_TRUE(model.select(1).value_or(WriteResult(".", EIO)));
    EXPECT_EQ(current(), "b=20.000-um-1.125");
    EXPECT_EQ(slurp(txt), "b");
    ASSERT_TRUE(model.select(2));   // no usable record: zeros
    EXPECT_FALSE(model.select(3));  // outside the list: ignored
    EXPECT_EQ(current(), "c=0.000--0.000");

    // Chosen all the same when calibration.txt cannot be written; the result says so.
    fs::remove(txt);
    fs::create_directory(txt);
    const auto unremembered = model.select(0);
    ASSERT_TRUE(unremembered);
    EXPECT_EQ(unremembered->path(), txt);
    EXPECT_EQ(current(), "a=4.000-mm-0.250");
    const auto stored = model.storeCompleted("d", 2.0f, "mm", 0.5f);
    EXPECT_EQ(stored.index, 3u);
    EXPECT_EQ(stored.problem, unremembered->message());
}

TEST_F(CalibrationModelTest, CompletedCalibrationJoinsTheListExactlyAndIsRestoredNextStart) {
    spit(plist, plistXml({{"a", "4.000-mm-0.250"}}));
    model.restore();
    const auto stored = model.storeCompleted("Objective 4x", 4.0f, "mm", 0.123456f);
    EXPECT_EQ(stored.index, 1u);
    EXPECT_EQ(stored.problem, "");
    EXPECT_EQ(model.names(), (Names{"a", "Objective 4x"}));
    EXPECT_EQ(current(), "Objective 4x=4.000-mm-0.123456");

    CalibrationModel restarted(plist, txt);
    EXPECT_EQ(restarted.restore(), 1u);
    EXPECT_EQ(restarted.fUnitLength(), 0.123456f);
    EXPECT_EQ(restarted.relativeUncertainty(), 0.0f);

    // One found from ticks keeps its uncertainty; a drawn one chosen after it has none.
    ASSERT_TRUE(restarted.storeCompleted("Ticks", 4.0f, "mm", 0.25f, 2e-4f).index);
    EXPECT_EQ(restarted.relativeUncertainty(), 2e-4f);
    restarted.select(0);
    EXPECT_EQ(restarted.relativeUncertainty(), 0.0f);
}

TEST_F(CalibrationModelTest, CompletedCalibrationIsNotListedWhenItsListIsMissing) {
    const auto stored = model.storeCompleted("Objective 4x", 4.0f, "mm", 0.25f);
    EXPECT_FALSE(stored.index);
    EXPECT_NE(stored.problem.find("No such file"), std::string::npos) << stored.problem;
    EXPECT_TRUE(model.names().empty());
    EXPECT_FALSE(fs::exists(plist) || fs::exists(txt));
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
    EXPECT_TRUE(model.clear());
    EXPECT_EQ(current(), kUncalibrated);
    EXPECT_FALSE(fs::exists(txt));
    EXPECT_TRUE(readCalibrationList(plist)->empty());
}

TEST_F(CalibrationModelTest, AMagnificationOrUnitLengthThatIsNoFiniteNumberIsUncalibrated) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    model.setCalibratedParas("a", 4.0f, 0.25f, "mm");
    EXPECT_TRUE(model.isCalibrated());
    // As a reopened snapshot's sidecar may hold them.
    for (const auto& [mag, length] : {std::pair(kInf, 0.25f), std::pair(4.0f, kInf),
                                      std::pair(kNaN, 0.25f), std::pair(4.0f, kNaN)}) {
        model.setCalibratedParas("a", mag, length, "mm");
        EXPECT_FALSE(model.isCalibrated()) << mag << " " << length;
    }
}
