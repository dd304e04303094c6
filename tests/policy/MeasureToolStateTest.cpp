#include <gtest/gtest.h>

#include "policy/MeasureToolState.h"

using namespace lumetra;

TEST(MeasureToolState, EveryToolIsGatedByCalibrationAndTogglesOff) {
    for (uint8_t t : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        SCOPED_TRACE(int(t));
        const bool needsCalibration = t != 8 && t != 9;
        MeasureToolState state;
        EXPECT_EQ(state.select(t, false).needsCalibration, needsCalibration);
        EXPECT_EQ(state.chosenButton(), needsCalibration ? 0 : t);
        EXPECT_EQ(state.select(t, true).viewMode, needsCalibration ? t : 0);
        EXPECT_EQ(state.select(t, true).viewMode, needsCalibration ? 0 : t);
        EXPECT_EQ(toolImageName(t, true), toolImageName(t, false) + "_s");
    }
    EXPECT_EQ(toolImageName(7, true), "");
}

TEST(MeasureToolState, TextIsOneShotAndTheSameToolTwiceTurnsItOff) {
    MeasureToolState state;
    state.select(10, true);
    EXPECT_EQ(state.select(10, true).viewMode, 0) << "turning the polygon off";
    state.select(4, true);
    EXPECT_EQ(state.select(11, false).viewMode, 11);
    EXPECT_EQ(state.iMode(), 0);
    EXPECT_EQ(state.select(11, true).viewMode, 11) << "text again is text again, not off";
    state.select(2, true);
    EXPECT_EQ(state.select(7, true).viewMode, 2) << "an unknown tool keeps the tool";
    state.enterCalibration();
    EXPECT_EQ(state.chosenButton(), 1);
}
