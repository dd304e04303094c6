#include <gtest/gtest.h>

#include "app/MeasureToolState.h"

using namespace lumetra;

namespace {
constexpr bool kCalibrated = true;
constexpr bool kUncalibrated = false;
}  // namespace

TEST(MeasureToolStateChoice, ToolsNeedingCalibrationAreRefusedWithoutChangingAnything) {
    MeasureToolState state;
    ASSERT_EQ(state.select(8, kUncalibrated).viewMode, 8);
    for (uint8_t t : {1, 2, 3, 4, 5, 6, 10}) {
        const auto choice = state.select(t, kUncalibrated);
        EXPECT_TRUE(choice.needsCalibration) << int(t);
        EXPECT_FALSE(choice.viewMode.has_value()) << int(t);
        EXPECT_EQ(state.iMode(), 8);
        EXPECT_EQ(state.chosenButton(), 8) << "the angle tool stays in force and shown";
    }
}

TEST(MeasureToolStateChoice, AnglesAndTextWorkWithoutCalibration) {
    MeasureToolState state;
    EXPECT_EQ(state.select(8, kUncalibrated).viewMode, 8);
    EXPECT_EQ(state.select(9, kUncalibrated).viewMode, 9);
    EXPECT_EQ(state.iMode(), 9);
    const auto text = state.select(11, kUncalibrated);
    EXPECT_FALSE(text.needsCalibration);
    EXPECT_EQ(text.viewMode, 11);
}

TEST(MeasureToolStateChoice, ChoosingTheSameToolTwiceTurnsItOff) {
    for (uint8_t t : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        MeasureToolState state;
        EXPECT_EQ(state.select(t, kCalibrated).viewMode, t);
        EXPECT_EQ(state.chosenButton(), t);
        EXPECT_EQ(state.select(t, kCalibrated).viewMode, 0);
        EXPECT_EQ(state.iMode(), 0);
        EXPECT_EQ(state.chosenButton(), 0);
    }
}

TEST(MeasureToolStateChoice, TextIsOneShotAndEndsTheCurrentTool) {
    MeasureToolState state;
    state.select(4, kCalibrated);
    const auto choice = state.select(11, kCalibrated);
    EXPECT_EQ(choice.viewMode, 11);
    EXPECT_EQ(state.iMode(), 0);
    EXPECT_EQ(state.chosenButton(), 0);
    EXPECT_EQ(state.select(11, kCalibrated).viewMode, 11) << "text again is text again, not off";
}

TEST(MeasureToolStateChoice, UnknownToolsKeepTheToolButClearTheHint) {
    MeasureToolState state;
    state.select(2, kCalibrated);
    const auto choice = state.select(7, kCalibrated);
    EXPECT_EQ(choice.viewMode, 2);
    EXPECT_EQ(state.iMode(), 2);
    EXPECT_EQ(state.hint(), "");
}

TEST(MeasureToolStateHint, FiguresEndedByControlClickShowTheHint) {
    MeasureToolState state;
    state.select(2, kCalibrated);
    EXPECT_EQ(state.hint(), "Ctrl + Click to end");
    state.figureEnded();
    EXPECT_EQ(state.hint(), "");
    EXPECT_EQ(state.iMode(), 2) << "the tool stays after the figure is stored";

    state.select(10, kCalibrated);
    EXPECT_EQ(state.hint(), "Ctrl + Click to end");
    state.select(1, kCalibrated);
    EXPECT_EQ(state.hint(), "") << "another tool clears it";
    state.select(10, kCalibrated);
    state.select(10, kCalibrated);
    EXPECT_EQ(state.hint(), "") << "turning the polygon off clears it";
}

TEST(MeasureToolStateReset, ResetAndCalibrationStart) {
    MeasureToolState state;
    state.select(10, kCalibrated);
    state.reset();
    EXPECT_EQ(state.iMode(), 0);
    EXPECT_EQ(state.hint(), "");
    EXPECT_EQ(state.chosenButton(), 0);

    state.select(2, kCalibrated);
    state.enterCalibration();
    EXPECT_EQ(state.iMode(), 1);
    EXPECT_EQ(state.chosenButton(), 1);
    EXPECT_EQ(state.hint(), "");
}

TEST(MeasureToolStateImages, NamesOfPlainAndChosenImages) {
    const struct {
        uint8_t tool;
        const char* name;
    } table[] = {{1, "line"},    {2, "cline"},  {3, "pline"},  {4, "rcircle"}, {5, "dcircle"},
                 {6, "tcircle"}, {8, "tangle"}, {9, "fangle"}, {10, "polygon"}};
    for (const auto& row : table) {
        EXPECT_TRUE(hasToolButtonImages(row.tool));
        EXPECT_EQ(toolImageName(row.tool, false), row.name);
        EXPECT_EQ(toolImageName(row.tool, true), std::string(row.name) + "_s");
    }
    for (uint8_t t : {0, 7, 11, 12}) {
        EXPECT_FALSE(hasToolButtonImages(t));
        EXPECT_EQ(toolImageName(t, true), "");
    }
}
