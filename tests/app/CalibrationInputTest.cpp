#include <gtest/gtest.h>

#include "app/CalibrationInput.h"

using namespace lumetra;

namespace {
std::string problem(const CalibrationInput& input) {
    return std::string(calibrationInputProblem(input).value_or("ok"));
}
}  // namespace

TEST(CalibrationInputCheck, MessagesInTheirOrder) {
    EXPECT_EQ(problem({"", "", "", "mm"}), "Name is illegal");
    EXPECT_EQ(problem({"", "12.5", "abc", "mm"}), "Name is illegal")
        << "whatever the other fields hold";
    EXPECT_EQ(problem({"x4", "", "1", "mm"}), "Actual length is illegal");
    EXPECT_EQ(problem({"x4", "4", "", "mm"}), "Actual length is illegal");
    EXPECT_EQ(problem({"x4", "12.5", "1", "mm"}), "Actual Length is illegal");
    EXPECT_EQ(problem({"x4", "4", "abc", "mm"}), "Actual Length is illegal");
    EXPECT_EQ(problem({"x4", "  ", "1", "mm"}), "Actual Length is illegal")
        << "blanks are not empty";
}

TEST(CalibrationInputCheck, GoodInputIncludingBlanksZeroAndNegatives) {
    EXPECT_EQ(problem({"x4", " 12 ", "0.5", "mm"}), "ok");
    EXPECT_EQ(problem({"x4", "0", "1", "mm"}), "ok");
    EXPECT_EQ(problem({"x4", "-3", "1e-1", "µm"}), "ok");
}

TEST(CalibrationInputTransfer, CarriesTheValuesAsTyped) {
    const UserEntity entity = calibrationEnteredEntity({"Objective 4x", " 4 ", "0.50", "mm"});
    EXPECT_EQ(entity.Param1, "Objective 4x");
    EXPECT_EQ(entity.Param2, " 4 ");
    EXPECT_EQ(entity.Param3, "0.50");
    EXPECT_EQ(entity.Param4, "mm");
    EXPECT_EQ(entity.Param5, "");
}

TEST(CalibrationInputUnits, DefaultIsMillimetreAndNoTitleHoldsTheSeparator) {
    const auto& titles = calibrationUnitTitles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(), "mm");
    for (const auto& t : titles) EXPECT_EQ(t.find('-'), std::string::npos) << t;
}
