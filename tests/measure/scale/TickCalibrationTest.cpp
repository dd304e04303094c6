#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticMicrometer.h"
#include "measure/CalibrationCompletion.h"
#include "measure/scale/TickCalibration.h"

namespace lumetra {
namespace {

using namespace test;

// The reference line of a new calibration with 10 µm divisions, drawn over a 900 x 900
// picture shown in a 450 x 450 view, its label being placed.
MeasureModel referenceLine(Point a, Point b) {
    MeasureModel m;
    m.viewWidth = m.viewHeight = 450.0;
    m.setMeasureMode(kModeLine, "Ticks", "um", 100.0f, 10.0f, true);
    m.pt1stPoint = a;
    m.pt2ndPoint = b;
    m.pt3rdPoint = {200.0, 100.0};
    m.fData1 = static_cast<float>(std::hypot(b.x - a.x, b.y - a.y));
    m.bCompletedCalibration = true;
    return m;
}

TEST(TickCalibration, TurnsTheFoundPeriodIntoACalibrationOrLeavesTheLine) {
    const Micrometer micrometer{12.34, 0.0, 1.2, 2.0};
    const Frame picture = renderMicrometer(micrometer, 9);
    // The short ticks' middle, 30 pixels above the baseline: y up 240 in the view.
    MeasureModel m = referenceLine({60.0, 240.0}, {390.0, 240.0});
    const auto search = findTicksOnReferenceLine(m, picture);
    ASSERT_TRUE(search);
    const auto* ticks = std::get_if<TicksOnLine>(&*search);
    ASSERT_TRUE(ticks) << std::get<ScaleRefusal>(*search).reason;
    EXPECT_NEAR(ticks->pixelsPerDivision, 12.34, 12.34 * 2e-4);
    EXPECT_GT(ticks->relativeUncertainty, 0.0);
    EXPECT_GE(ticks->marks.size(), 50u);
    // The line now runs from tick to tick, its actual length whole divisions.
    const double divisions = std::round(m.fActualLength / 10.0f);
    EXPECT_FLOAT_EQ(m.fActualLength, static_cast<float>(divisions * 10.0));
    EXPECT_NEAR(m.fData1, divisions * 12.34 / 2.0, 0.05);

    const auto outcome = completeCalibrationIfDue(m);
    ASSERT_TRUE(outcome);
    const auto* completed = std::get_if<CompletedCalibration>(&*outcome);
    ASSERT_TRUE(completed);
    // One division, 6.17 view units, reads 10 µm.
    EXPECT_NEAR(6.17 * completed->unitLength / completed->magnification, 10.0, 10.0 * 2e-4);

    // Beside the scale: refused, the line as drawn.
    MeasureModel beside = referenceLine({60.0, 400.0}, {390.0, 400.0});
    const auto refused = findTicksOnReferenceLine(beside, picture);
    ASSERT_TRUE(refused && std::holds_alternative<ScaleRefusal>(*refused));
    EXPECT_EQ(beside.pt1stPoint, (Point{60.0, 400.0}));
    EXPECT_EQ(beside.fActualLength, 10.0f);
    // Not due before the second end is placed.
    beside.bCompletedCalibration = false;
    EXPECT_FALSE(findTicksOnReferenceLine(beside, picture));
}

}  // namespace
}  // namespace lumetra
