#include <gtest/gtest.h>

#include <string>

#include "measure/CalibrationCompletion.h"
#include "measure/MeasurementPass.h"
#include "support/RecordingSurface.h"

namespace lumetra {
namespace {

class CalibrationCompletionTest : public testing::Test {
protected:
    // Calibrates "Cal A" (magnification 60, actual length 0.5 mm) with a
    // reference line of the given length whose label anchor follows the mouse.
    void drawReferenceLine(double length = 300.0) {
        model.setMeasureMode(kModeLine, "Cal A", "mm", 60.0f, 0.5f, true);
        model.mouseDown({100, 100}, false);
        model.mouseMoved({100 + length, 100});
        model.mouseDown({100 + length, 100}, false);
        model.mouseMoved({150, 200});
    }

    std::string redraw() {  // the labels drawn
        test::RecordingSurface s;
        drawMeasurementPass(s, model, 800, 600);
        return s.labels();
    }

    MeasureModel model;
};

TEST_F(CalibrationCompletionTest, ReferenceLineReadsItsLengthAndIsCompletedOnce) {
    drawReferenceLine();
    const auto outcome = completeCalibrationIfDue(model);
    ASSERT_TRUE(outcome);
    const auto* completed = std::get_if<CompletedCalibration>(&*outcome);
    ASSERT_TRUE(completed);
    EXPECT_EQ(completed->name, "Cal A");
    EXPECT_EQ(completed->magnification, 60.0f);
    EXPECT_EQ(completed->unit, "mm");
    EXPECT_FLOAT_EQ(completed->unitLength, 0.1f);
    EXPECT_EQ(completed->unitLength, model.fUnitLength);
    EXPECT_FALSE(model.bCalibration || model.bCompletedCalibration);
    EXPECT_EQ(redraw(), "L:0.500mm");
    EXPECT_FALSE(completeCalibrationIfDue(model));
}

TEST_F(CalibrationCompletionTest, NotDueWithoutTheAnchorOrAFiniteLength) {
    drawReferenceLine();
    model.pt3rdPoint = {};  // no label anchor
    EXPECT_FALSE(completeCalibrationIfDue(model));
    drawReferenceLine();
    model.fScale = 0.0f;  // would read infinite, unit length 0
    EXPECT_FALSE(completeCalibrationIfDue(model));
    EXPECT_FLOAT_EQ(model.fUnitLength, 1.0f);

    drawReferenceLine(0.0);
    EXPECT_FALSE(completeCalibrationIfDue(model));
    EXPECT_TRUE(model.bCalibration);  // checked again later
}

}  // namespace
}  // namespace lumetra
