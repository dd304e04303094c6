// Lifecycle, tool choice, calibration, overlay setting and shape removal of
// MeasureModel. The click/move state machine is in MeasureInteractionTest.cpp.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "measure/MeasureModel.h"

namespace lumetra {
namespace {

// Stores a type 1 shape of the given length in px, going through the clicks.
void storeLine(MeasureModel& m, double length) {
    m.setMeasureMode(kModeLine, "", m.strUnit, m.fScale, m.fUnitLength, false);
    m.mouseDown({10, 10}, false);
    m.mouseDown({10 + length, 10}, false);
    m.mouseMoved({200, 200});
    m.mouseDown({300, 300}, false);
}

// What a length of px view pixels reads in the current unit.
float lengthInUnit(const MeasureModel& m, float px) { return px * m.fUnitLength / m.fScale; }

float areaInUnit(const MeasureModel& m, float squarePx) {
    return squarePx * m.fUnitLength * m.fUnitLength / (m.fScale * m.fScale);
}

// ---- initial state --------------------------------------------------------

TEST(MeasureModelInitialState, MatchesTheFieldTable) {
    const MeasureModel m;
    EXPECT_EQ(m.delegate, nullptr);
    EXPECT_EQ(m.iMode, 0);
    EXPECT_EQ(m.iLineWidth, 2);
    EXPECT_EQ(m.iFontSize, 16);
    EXPECT_EQ(m.iDecimal, 3);
    EXPECT_EQ(m.ctrLColor, (RgbColor{1, 0, 0}));
    EXPECT_EQ(m.ctrFColor, (RgbColor{0, 0, 1}));
    EXPECT_EQ(m.iCLineAuvariable, 0);
    EXPECT_TRUE(m.oMutPointArray.empty());
    EXPECT_TRUE(m.strTextValue.empty());
    EXPECT_EQ(m.fData1, 0.0f);
    EXPECT_FALSE(m.bCalibration);
    EXPECT_FALSE(m.bCompletedCalibration);
    EXPECT_EQ(m.strCalName, "");
    EXPECT_EQ(m.strUnit, "mm");
    EXPECT_EQ(m.fUnitLength, 1.0f);
    EXPECT_EQ(m.fActualLength, 1.0f);
    EXPECT_EQ(m.fScale, 60.0f);
    EXPECT_EQ(m.iGridMode, 0);
    EXPECT_EQ(m.fGridLength, 0.0f);
    EXPECT_EQ(m.fPitchPixes, 0.0);
    EXPECT_EQ(m.pt1stPoint, Point{});
    EXPECT_EQ(m.pt10thPoint, Point{});
    EXPECT_TRUE(m.oMutShapsArray.empty());
    EXPECT_TRUE(m.strCalplist.empty());
    EXPECT_FALSE(m.textField.has_value());
}

TEST(MeasureModelInitialState, InitVideoViewResetsStyleProgressAndListsOnly) {
    MeasureModel m;
    m.setMeasureMode(kModePolygon, "cal", "um", 30.0f, 0.5f, true);
    m.mouseDown({10, 10}, false);
    m.mouseMoved({50, 60});
    m.iLineWidth = 7;
    m.iFontSize = 30;
    m.iDecimal = 1;
    m.ctrLColor = {0, 1, 0};
    m.ctrFColor = {1, 1, 0};
    m.fPitchPixes = 42.0;
    m.fData2 = 3.0f;
    m.oMutShapsArray.push_back(RQShape{});

    m.initVideoView();

    EXPECT_EQ(m.iMode, 0);
    EXPECT_EQ(m.iLineWidth, 2);
    EXPECT_EQ(m.iFontSize, 16);
    EXPECT_EQ(m.iDecimal, 3);
    EXPECT_EQ(m.ctrLColor, kPureRed);
    EXPECT_EQ(m.ctrFColor, kPureBlue);
    EXPECT_FALSE(m.bPolygon1stPoint);
    EXPECT_EQ(m.fData1, 0.0f);
    EXPECT_EQ(m.fData2, 0.0f);
    EXPECT_EQ(m.fPitchPixes, 0.0);
    EXPECT_TRUE(m.oMutPointArray.empty());
    EXPECT_TRUE(m.oMutShapsArray.empty());
    // Points and calibration are left alone.
    EXPECT_EQ(m.pt2ndPoint, (Point{50, 60}));
    EXPECT_TRUE(m.bCalibration);
    EXPECT_EQ(m.strUnit, "um");
    EXPECT_EQ(m.fScale, 30.0f);
    EXPECT_EQ(m.fActualLength, 0.5f);
}

TEST(MeasureModelInitialState, ResetMeasureParasRestoresTheDefaultCalibration) {
    MeasureModel m;
    m.setMeasureMode(kModeLine, "cal", "um", 30.0f, 0.5f, true);
    m.mouseDown({10, 10}, false);
    m.mouseDown({20, 10}, false);
    ASSERT_TRUE(m.bCompletedCalibration);

    m.resetMeasureParas();

    EXPECT_FALSE(m.bCalibration);
    EXPECT_FALSE(m.bCompletedCalibration);
    EXPECT_EQ(m.strCalName, "");
    EXPECT_EQ(m.strUnit, "mm");
    EXPECT_EQ(m.fScale, 60.0f);
    EXPECT_EQ(m.fActualLength, 1.0f);
    EXPECT_EQ(m.fUnitLength, 1.0f);
    EXPECT_EQ(lengthInUnit(m, 60.0f), 1.0f);  // 60 view pixels read as 1 mm
}

// ---- setMeasureMode -------------------------------------------------------

TEST(MeasureModelSetMeasureMode, ToolChoiceSetsTheUnitLength) {
    MeasureModel m;
    m.fActualLength = 4.0f;
    m.setMeasureMode(kModeCircleRadius, "", "um", 100.0f, 2.5f, false);
    EXPECT_EQ(m.iMode, kModeCircleRadius);
    EXPECT_FALSE(m.bCalibration);
    EXPECT_EQ(m.strCalName, "");
    EXPECT_EQ(m.strUnit, "um");
    EXPECT_EQ(m.fScale, 100.0f);
    EXPECT_EQ(m.fUnitLength, 2.5f);
    EXPECT_EQ(m.fActualLength, 4.0f);  // kept
}

TEST(MeasureModelSetMeasureMode, CalibrationStartTakesTheActualLength) {
    MeasureModel m;
    m.fUnitLength = 0.3f;
    m.setMeasureMode(kModeLine, "x60", "mm", 60.0f, 0.5f, true);
    EXPECT_TRUE(m.bCalibration);
    EXPECT_EQ(m.strCalName, "x60");
    EXPECT_EQ(m.fScale, 60.0f);
    EXPECT_EQ(m.fActualLength, 0.5f);
    EXPECT_EQ(m.fUnitLength, 1.0f);
}

TEST(MeasureModelSetMeasureMode, LeavingACalibrationRestoresTheUnitLength) {
    MeasureModel m;
    m.setMeasureMode(kModeLine, "x60", "mm", 60.0f, 0.5f, true);
    m.mouseDown({10, 10}, false);
    m.mouseDown({310, 10}, false);
    ASSERT_TRUE(m.bCompletedCalibration);

    m.setMeasureMode(kModeLine, "", "mm", 60.0f, 0.25f, false);

    EXPECT_FALSE(m.bCalibration);
    EXPECT_FALSE(m.bCompletedCalibration);
    EXPECT_EQ(m.fUnitLength, 0.25f);
    EXPECT_EQ(m.fActualLength, 0.5f);
}

TEST(MeasureModelSetMeasureMode, AbandonsTheShapeInProgress) {
    MeasureModel m;
    m.setMeasureMode(kModeContinuousLine, "", "mm", 60.0f, 1.0f, false);
    m.mouseDown({10, 10}, false);
    m.mouseMoved({40, 50});
    m.mouseDown({40, 50}, false);
    m.mouseMoved({80, 50});

    m.setMeasureMode(kModeContinuousLine, "", "mm", 60.0f, 1.0f, false);

    EXPECT_FALSE(m.bCLine1stPoint);
    EXPECT_EQ(m.iCLineAuvariable, 0);
    EXPECT_EQ(m.pt1stPoint, Point{});
    EXPECT_EQ(m.pt3rdPoint, Point{});
    EXPECT_EQ(m.pt10thPoint, Point{});
    EXPECT_EQ(m.AuxVariable1, 0.0f);
    EXPECT_EQ(m.fData1, 0.0f);
    EXPECT_TRUE(m.oMutShapsArray.empty());
}

TEST(MeasureModelSetMeasureMode, ModeIsStoredAsEightBits) {
    MeasureModel m;
    m.setMeasureMode(256 + kModeLine, "", "mm", 60.0f, 1.0f, false);
    EXPECT_EQ(m.iMode, kModeLine);
}

TEST(MeasureModelTextField, CreatedOnFirstTextToolChoiceFromTheViewSize) {
    MeasureModel m;
    m.viewWidth = 800;
    m.viewHeight = 600;
    m.setMeasureMode(kModeLine, "", "mm", 60.0f, 1.0f, false);
    EXPECT_FALSE(m.textField.has_value());

    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);

    ASSERT_TRUE(m.textField.has_value());
    EXPECT_EQ(m.textField->x, 100.0);
    EXPECT_EQ(m.textField->y, 500.0);
    EXPECT_EQ(m.textField->width, 600.0);
    EXPECT_EQ(m.textField->height, 32.0);
    EXPECT_TRUE(m.textField->centred);
    EXPECT_EQ(m.textField->placeholder, "Please enter text");
    EXPECT_EQ(m.textField->stringValue, "");
    EXPECT_FALSE(m.textField->hidden);
}

TEST(MeasureModelTextField, KeptAcrossToolChoicesAndShownAgain) {
    MeasureModel m;
    m.viewWidth = 800;
    m.viewHeight = 600;
    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);
    m.textField->stringValue = "typed";

    // Another tool leaves the field as it is, visible with its text.
    m.setMeasureMode(kModeLine, "", "mm", 60.0f, 1.0f, false);
    EXPECT_FALSE(m.textField->hidden);
    EXPECT_EQ(m.textField->stringValue, "typed");

    // Choosing the text tool again shows the same field; the frame is not redone.
    m.textField->hidden = true;
    m.viewWidth = 1000;
    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);
    EXPECT_FALSE(m.textField->hidden);
    EXPECT_EQ(m.textField->stringValue, "typed");
    EXPECT_EQ(m.textField->width, 600.0);
}

TEST(MeasureModelTextField, NarrowViewGivesAnEmptyWidthNotANegativeOne) {
    MeasureModel m;
    m.viewWidth = 150;
    m.viewHeight = 80;
    m.setMeasureMode(kModeText, "", "mm", 60.0f, 1.0f, false);
    EXPECT_EQ(m.textField->width, 0.0);
    EXPECT_EQ(m.textField->y, -20.0);
}

// ---- resetPoints ----------------------------------------------------------

TEST(MeasureModelResetPoints, ClearsPointsAndLiveValuesButNotFlags) {
    MeasureModel m;
    m.setMeasureMode(kModePolygon, "", "mm", 60.0f, 1.0f, false);
    m.mouseDown({10, 10}, false);
    m.mouseMoved({110, 10});
    m.mouseDown({110, 10}, false);
    m.mouseMoved({110, 110});
    ASSERT_EQ(m.oMutPointArray.size(), 3u);
    m.fData4 = 1.0f;
    m.AuxVariable9 = 2.0f;

    m.resetPoints();

    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(m.pt(k), Point{}) << k;
    }
    EXPECT_EQ(m.fData1, 0.0f);
    EXPECT_EQ(m.fData4, 0.0f);
    EXPECT_EQ(m.AuxVariable9, 0.0f);
    EXPECT_EQ(m.iCLineAuvariable, 0);
    EXPECT_TRUE(m.oMutPointArray.empty());
    EXPECT_TRUE(m.bPolygon1stPoint);
}

// ---- stored shapes --------------------------------------------------------

TEST(MeasureModelShapes, GetShapesCountIsTrueFromOneShapeOn) {
    MeasureModel m;
    EXPECT_FALSE(m.getShapesCount());
    storeLine(m, 50);
    EXPECT_TRUE(m.getShapesCount());
    for (int i = 1; i < 20; ++i) {
        storeLine(m, 50);
    }
    EXPECT_EQ(m.oMutShapsArray.size(), 20u);
    EXPECT_TRUE(m.getShapesCount());
}

TEST(MeasureModelShapes, DeleteShapeCodes) {
    MeasureModel m;
    storeLine(m, 30);
    storeLine(m, 40);

    m.deleteshape(0);
    ASSERT_EQ(m.oMutShapsArray.size(), 1u);
    EXPECT_EQ(m.oMutShapsArray[0].fData1, 30.0f);  // the newest went

    storeLine(m, 40);
    m.deleteshape(1);
    EXPECT_TRUE(m.oMutShapsArray.empty());

    m.deleteshape(0);  // empty list: nothing happens
    m.deleteshape(1);
    EXPECT_TRUE(m.oMutShapsArray.empty());
}

TEST(MeasureModelShapes, OtherDeleteCodesDoNothing) {
    MeasureModel m;
    storeLine(m, 30);
    for (int32_t code : {2, -1, 255}) {
        m.deleteshape(code);
    }
    EXPECT_EQ(m.oMutShapsArray.size(), 1u);
}

TEST(MeasureModelShapes, DeleteLeavesTheShapeInProgressAndMode) {
    MeasureModel m;
    storeLine(m, 30);
    m.setMeasureMode(kModeCircleRadius, "", "mm", 60.0f, 1.0f, true);
    m.mouseDown({100, 100}, false);

    m.deleteshape(1);

    EXPECT_EQ(m.iMode, kModeCircleRadius);
    EXPECT_TRUE(m.bRCircle1stPoint);
    EXPECT_TRUE(m.bCalibration);
    EXPECT_EQ(m.pt1stPoint, (Point{100, 100}));
}

// ---- calibration numbers --------------------------------------------------

TEST(MeasureModelCalibration, DefaultCalibrationReadings) {
    MeasureModel m;
    storeLine(m, 120);
    EXPECT_EQ(lengthInUnit(m, m.oMutShapsArray[0].fData1), 2.0f);  // 120 px read 2 mm
    EXPECT_EQ(areaInUnit(m, 3600.0f), 1.0f);                       // 3600 px² read 1 mm²
}

TEST(MeasureModelCalibration, ReferenceLineLeavesItsLengthForTheCompletion) {
    MeasureModel m;
    m.setMeasureMode(kModeLine, "x60", "mm", 60.0f, 0.5f, true);
    m.mouseDown({100, 100}, false);
    m.mouseMoved({400, 100});
    m.mouseDown({400, 100}, false);

    EXPECT_TRUE(m.bCalibration);
    EXPECT_TRUE(m.bCompletedCalibration);
    EXPECT_EQ(m.fData1, 300.0f);
    // The completion then sets fActualLength / (300 * 1 / 60) = 0.1, with
    // which 300 px read 0.5 mm and 600 px 1 mm.
    const float unitLength = m.fActualLength / lengthInUnit(m, m.fData1);
    m.setMeasureMode(kModeLine, "", "mm", 60.0f, unitLength, false);
    EXPECT_EQ(m.fUnitLength, 0.1f);
    EXPECT_EQ(lengthInUnit(m, 300.0f), 0.5f);
    EXPECT_EQ(lengthInUnit(m, 600.0f), 1.0f);
}

TEST(MeasureModelCalibration, NewCalibrationRelabelsButKeepsStoredValues) {
    MeasureModel m;
    storeLine(m, 120);
    m.setMeasureMode(kModeLine, "", "mm", 60.0f, 0.1f, false);
    EXPECT_EQ(m.oMutShapsArray[0].fData1, 120.0f);
    EXPECT_FLOAT_EQ(lengthInUnit(m, m.oMutShapsArray[0].fData1), 0.2f);
}

TEST(MeasureModelCalibration, StaleCompletionMarkDoesNotCompleteTheNextLine) {
    MeasureModel m;
    m.setMeasureMode(kModeLine, "x60", "mm", 60.0f, 0.5f, true);
    m.mouseDown({100, 100}, false);
    m.mouseDown({400, 100}, false);
    m.mouseDown({500, 100}, false);  // stored before any redraw completed it
    ASSERT_EQ(m.oMutShapsArray.size(), 1u);

    m.mouseDown({10, 10}, false);  // the next line becomes the reference line
    EXPECT_TRUE(m.bCalibration);
    EXPECT_FALSE(m.bCompletedCalibration);
}

// ---- setGridView ----------------------------------------------------------

TEST(MeasureModelGrid, AcceptedGridTakesLengthAndCalibration) {
    MeasureModel m;
    m.setGridView(kGridSquare, 1.0f, 60.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridSquare);
    EXPECT_EQ(m.fPitchPixes, 60.0);
    EXPECT_EQ(m.fGridLength, 1.0f);

    m.setGridView(kGridScale, 0.5f, 40.0f, 2.0f);
    EXPECT_EQ(m.iGridMode, kGridScale);
    EXPECT_EQ(m.fPitchPixes, 10.0);
    EXPECT_EQ(m.fGridLength, 0.5f);
    EXPECT_EQ(m.fScale, 40.0f);
    EXPECT_EQ(m.fUnitLength, 2.0f);
}

TEST(MeasureModelGrid, PitchBelowFiveUnitsTurnsTheOverlayOff) {
    MeasureModel m;
    m.setGridView(kGridCircle, 1.0f, 60.0f, 1.0f);
    m.setGridView(kGridSquare, 0.05f, 60.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridNone);
    EXPECT_FLOAT_EQ(static_cast<float>(m.fPitchPixes), 3.0f);
    EXPECT_EQ(m.fGridLength, 1.0f);  // the refused length is not taken

    m.setGridView(kGridSquare, 0.0f, 60.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridNone);

    // Exactly 5 is accepted.
    m.setGridView(kGridSquare, 5.0f, 1.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridSquare);
}

TEST(MeasureModelGrid, CalibrationUntouchedWhenRefused) {
    MeasureModel m;
    m.setGridView(kGridSquare, 0.01f, 30.0f, 2.0f);
    EXPECT_EQ(m.fScale, 60.0f);
    EXPECT_EQ(m.fUnitLength, 1.0f);
}

TEST(MeasureModelGrid, CrosshairWhateverThePitch) {
    MeasureModel m;
    m.setGridView(kGridCrosshair, 0.0f, 60.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridCrosshair);
    EXPECT_EQ(m.fPitchPixes, 0.0);
    m.setGridView(kGridCrosshair, 1.0f, 60.0f, 1.0f);
    EXPECT_EQ(m.iGridMode, kGridCrosshair);
}

TEST(MeasureModelGrid, ModeZeroChangesOnlyTheMode) {
    MeasureModel m;
    m.setGridView(kGridSquare, 1.0f, 60.0f, 1.0f);
    m.setGridView(kGridNone, 7.0f, 10.0f, 3.0f);
    EXPECT_EQ(m.iGridMode, kGridNone);
    EXPECT_EQ(m.fPitchPixes, 60.0);
    EXPECT_EQ(m.fGridLength, 1.0f);
    EXPECT_EQ(m.fScale, 60.0f);
}

TEST(MeasureModelGrid, ZeroUnitLengthGivesNoGrid) {
    MeasureModel m;
    m.setGridView(kGridSquare, 1.0f, 60.0f, 0.0f);  // infinite pitch
    EXPECT_EQ(m.iGridMode, kGridNone);
    m.setGridView(kGridCircle, 0.0f, 60.0f, 0.0f);  // 0 / 0
    EXPECT_EQ(m.iGridMode, kGridNone);
    EXPECT_EQ(m.fUnitLength, 1.0f);
}

}  // namespace
}  // namespace lumetra
