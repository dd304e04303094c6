#include <gtest/gtest.h>

#include "app/MeasureToolState.h"

using namespace lumetra;

TEST(MeasureToolStateChoice, CalibrationGateAndToggling) {
    MeasureToolState state;
    ASSERT_EQ(state.select(8, false).viewMode, 8) << "angles need no calibration";
    for (uint8_t t : {1, 2, 3, 4, 5, 6, 10}) {
        const auto choice = state.select(t, false);
        EXPECT_TRUE(choice.needsCalibration) << int(t);
        EXPECT_FALSE(choice.viewMode) << int(t);
        EXPECT_EQ(state.chosenButton(), 8) << "the angle tool stays in force and shown";
    }
    for (uint8_t t : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        MeasureToolState fresh;
        EXPECT_EQ(fresh.select(t, true).viewMode, t);
        EXPECT_EQ(fresh.chosenButton(), t);
        EXPECT_EQ(fresh.select(t, true).viewMode, 0) << "chosen twice: off";
        EXPECT_EQ(fresh.chosenButton(), 0);
    }
}

TEST(MeasureToolStateChoice, TextIsOneShotAndUnknownToolsKeepTheTool) {
    MeasureToolState state;
    state.select(4, true);
    EXPECT_EQ(state.select(11, false).viewMode, 11);
    EXPECT_EQ(state.iMode(), 0);
    EXPECT_EQ(state.select(11, true).viewMode, 11) << "text again is text again, not off";
    state.select(2, true);
    EXPECT_EQ(state.select(7, true).viewMode, 2);
    EXPECT_EQ(state.hint(), "");
}

TEST(MeasureToolStateHint, ShownForControlClickFiguresUntilStoredOrLeft) {
    MeasureToolState state;
    state.select(2, true);
    EXPECT_EQ(state.hint(), "Ctrl + Click to end");
    state.figureEnded();
    EXPECT_EQ(state.hint(), "");
    EXPECT_EQ(state.iMode(), 2) << "the tool stays after the figure is stored";
    state.select(10, true);
    state.select(10, true);
    EXPECT_EQ(state.hint(), "") << "turning the polygon off clears it";
    state.select(10, true);
    state.enterCalibration();
    EXPECT_EQ(state.iMode(), 1);
    EXPECT_EQ(state.chosenButton(), 1);
    EXPECT_EQ(state.hint(), "");
}

TEST(MeasureToolStateImages, PlainAndChosenNames) {
    EXPECT_EQ(toolImageName(1, false), "line");
    EXPECT_EQ(toolImageName(10, true), "polygon_s");
    for (uint8_t t : {0, 7, 11}) EXPECT_EQ(toolImageName(t, true), "") << int(t);
}
