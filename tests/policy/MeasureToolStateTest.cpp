#include <gtest/gtest.h>

#include "policy/MeasureToolState.h"

using namespace lumetra;

TEST(MeasureToolState, EveryToolIsGatedByCalibrationAndTogglesOff) {
    for (MeasureMode t : {kModeLine, kModeContinuousLine, kModeParallelLines, kModeCircleRadius,
                          kModeCircleDiameter, kModeCircleThreePoints, kModeAngleThreePoints,
                          kModeAngleFourPoints, kModePolygon}) {
        SCOPED_TRACE(int(t));
        const bool needsCalibration = t != kModeAngleThreePoints && t != kModeAngleFourPoints;
        MeasureToolState state;
        EXPECT_EQ(state.select(t, false).needsCalibration, needsCalibration);
        EXPECT_EQ(state.chosenButton(), needsCalibration ? kModeNone : t);
        EXPECT_EQ(state.select(t, true).viewMode, needsCalibration ? t : kModeNone);
        EXPECT_EQ(state.select(t, true).viewMode, needsCalibration ? kModeNone : t);
        EXPECT_EQ(toolImageName(t, true), toolImageName(t, false) + "_s");
    }
    EXPECT_EQ(toolImageName(kModeUnused, true), "");
}

TEST(MeasureToolState, TextIsOneShotAndTheSameToolTwiceTurnsItOff) {
    MeasureToolState state;
    state.select(kModePolygon, true);
    EXPECT_EQ(state.select(kModePolygon, true).viewMode, kModeNone) << "turning the polygon off";
    state.select(kModeCircleRadius, true);
    EXPECT_EQ(state.select(kModeText, false).viewMode, kModeText);
    EXPECT_EQ(state.iMode(), kModeNone);
    EXPECT_EQ(state.select(kModeText, true).viewMode, kModeText)
        << "text again is text again, not off";
    state.select(kModeContinuousLine, true);
    EXPECT_EQ(state.select(kModeUnused, true).viewMode, kModeContinuousLine)
        << "an unknown tool keeps the tool";
    state.enterCalibration();
    EXPECT_EQ(state.chosenButton(), kModeLine);
}
