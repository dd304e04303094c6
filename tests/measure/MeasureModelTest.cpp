// Lifecycle, tool choice, text field, overlay setting and shape removal of
// MeasureModel. The click/move state machine is in MeasureInteractionTest.cpp.

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "measure/MeasureModel.h"

namespace lumetra {
namespace {

TEST(MeasureModel, InitVideoViewResetsStyleProgressAndListsButNotPointsOrCalibration) {
    MeasureModel m;
    m.setMeasureMode(kModePolygon, "cal", "um", 30.0f, 0.5f, true);
    m.mouseDown({10, 10}, false);
    m.mouseMoved({50, 60});
    m.iLineWidth = 7;
    m.oMutShapsArray.push_back(RQShape{});
    m.initVideoView();
    EXPECT_EQ(std::pair(int{m.iMode}, int{m.iLineWidth}), std::pair(0, 2));
    EXPECT_FALSE(m.shapeInProgress() || !m.oMutShapsArray.empty());
    EXPECT_EQ(m.pt2ndPoint, (Point{50, 60}));
    EXPECT_TRUE(m.bCalibration);
    m.resetMeasureParas();  // 60 view pixels read as 1 mm again
    EXPECT_FALSE(m.bCalibration);
    EXPECT_EQ(std::pair(m.fScale, m.fUnitLength), std::pair(60.0f, 1.0f));
}

TEST(MeasureModel, ToolChoiceTakesTheUnitLengthAndACalibrationTheActualLength) {
    MeasureModel m;
    m.setMeasureMode(kModeLine, "x60", "mm", 60.0f, 0.5f, true);
    EXPECT_TRUE(m.bCalibration && m.fActualLength == 0.5f && m.fUnitLength == 1.0f);
    // A reference line stored before any redraw completed it leaves no mark
    // that would complete the next line at its first click.
    for (double x : {100, 400, 500, 10}) m.mouseDown({x, 100}, false);
    EXPECT_FALSE(m.bCompletedCalibration);
    m.mouseDown({310, 10}, false);
    ASSERT_TRUE(m.bCompletedCalibration);

    m.setMeasureMode(kModeCircleRadius, "", "um", 100.0f, 0.25f, false);
    EXPECT_FALSE(m.bCalibration || m.bCompletedCalibration);
    EXPECT_EQ(std::pair(m.fUnitLength, m.fActualLength), std::pair(0.25f, 0.5f));
}

TEST(MeasureModel, TextFieldIsMadeOnceFromTheViewSizeAndEmptiedByTheFirstClick) {
    MeasureModel m;
    m.viewWidth = 800;
    m.viewHeight = 600;
    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);
    m.mouseDown({100, 100}, false);  // an empty field starts nothing
    EXPECT_FALSE(m.shapeInProgress());
    ASSERT_TRUE(m.textField.has_value());
    EXPECT_EQ(std::pair(m.textField->y, m.textField->width), std::pair(500.0, 600.0));
    m.textField->stringValue = "typed";
    m.mouseDown({100, 100}, false);
    EXPECT_TRUE(m.shapeInProgress() && m.textField->stringValue.empty() && m.textField->hidden);
    m.textField.reset();  // narrower than the insets: width 0, not less
    m.viewWidth = 100;
    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);
    EXPECT_EQ(m.textField->width, 0.0);
}

TEST(MeasureModel, RemoveShapes) {
    MeasureModel m;
    for (double length : {30, 40}) {
        m.setMeasureMode(kModeLine, "", "mm", 60.0f, 1.0f, false);
        for (double x : {10.0, 10 + length, 300.0}) m.mouseDown({x, 10}, false);
    }
    ASSERT_EQ(m.oMutShapsArray.size(), 2u);
    m.removeShapes(ShapeRemoval::Last);
    ASSERT_EQ(m.oMutShapsArray.size(), 1u);
    EXPECT_EQ(m.oMutShapsArray[0].fData1, 30.0f);  // the newest went

    m.mouseDown({100, 100}, false);  // a shape in progress stays
    m.removeShapes(ShapeRemoval::All);
    EXPECT_FALSE(m.getShapesCount());
    EXPECT_TRUE(m.shapeInProgress());
    m.removeShapes(ShapeRemoval::Last);  // an empty list stays empty
    EXPECT_TRUE(m.oMutShapsArray.empty());
}

TEST(MeasureModel, GridNeedsAPitchOfFiveUnits) {
    const struct {
        uint8_t mode;
        float len, mag, unitLength;
        uint8_t result;
    } cases[] = {
        {kGridSquare, 1.0f, 60.0f, 1.0f, kGridSquare},
        {kGridScale, 10.0f, 1.0f, 2.0f, kGridScale},  // exactly 5
        {kGridCircle, 0.05f, 60.0f, 2.0f, kGridNone},
        {kGridSquare, 1.0f, 60.0f, 0.0f, kGridNone},  // infinite pitch
        {kGridCircle, 0.0f, 60.0f, 0.0f, kGridNone},  // 0 / 0
        {kGridCrosshair, 0.0f, 60.0f, 1.0f, kGridCrosshair},
    };
    for (const auto& c : cases) {
        MeasureModel m;
        m.setGridView(c.mode, c.len, c.mag, c.unitLength);
        EXPECT_EQ(m.iGridMode, c.result) << int(c.mode) << " " << c.len << " " << c.unitLength;
        // An accepted grid takes the calibration, a refused one leaves it.
        EXPECT_EQ(m.fUnitLength, c.result == kGridNone ? 1.0f : c.unitLength);
    }
    MeasureModel m;
    m.setGridView(kGridScale, 0.5f, 40.0f, 2.0f);
    m.setGridView(kGridNone, 7.0f, 10.0f, 3.0f);  // turning it off changes only the mode
    EXPECT_EQ(std::tuple(int{m.iGridMode}, m.fPitchPixes, m.fScale), std::tuple(0, 10.0, 40.0f));
}

}  // namespace
}  // namespace lumetra
