// The click/move state machine of MeasureModel: every tool driven through its
// whole click-and-move sequence, and the stored RQShape checked field by field.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "measure/MeasureModel.h"

namespace lumetra {
namespace {

class RecordingDelegate : public RQTransferDelegate {
public:
    void PassValue(const UserEntity& entity, int32_t type) override {
        entities.push_back(entity);
        types.push_back(type);
    }
    std::vector<UserEntity> entities;
    std::vector<int32_t> types;
};

bool isEmpty(const UserEntity& e) {
    return e.Param1.empty() && e.Param2.empty() && e.Param3.empty() && e.Param4.empty() &&
           e.Param5.empty() && e.Param6 == 0 && e.Param7 == 0;
}

class MeasureInteraction : public ::testing::Test {
protected:
    void SetUp() override {
        m.viewWidth = 800;
        m.viewHeight = 600;
        m.delegate = &delegate;
    }
    void choose(int32_t mode) { m.setMeasureMode(mode, "", "mm", 60.0f, 1.0f, false); }
    void click(double x, double y) { m.mouseDown({x, y}, false); }
    void ctrlClick(double x, double y) { m.mouseDown({x, y}, true); }
    void move(double x, double y) { m.mouseMoved({x, y}); }
    const RQShape& only() {
        EXPECT_EQ(m.oMutShapsArray.size(), 1u);
        return m.oMutShapsArray.at(0);
    }
    // Slots from..10 of a stored shape are empty.
    static void expectEmptyFrom(const RQShape& s, int from) {
        for (int k = from; k <= 10; ++k) {
            EXPECT_EQ(s.pt(k), Point{}) << "slot " << k;
        }
    }
    // After storing, the model is idle again with cleared points and values.
    void expectIdle() {
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(m.pt(k), Point{}) << "slot " << k;
        }
        EXPECT_EQ(m.fData1, 0.0f);
        EXPECT_EQ(m.iCLineAuvariable, 0);
        EXPECT_TRUE(m.oMutPointArray.empty());
    }

    MeasureModel m;
    RecordingDelegate delegate;
};

// ---- line -----------------------------------------------------------------

TEST_F(MeasureInteraction, LineStoresTwoEndsAndTheAnchor) {
    choose(kModeLine);
    click(100, 100);
    move(160, 180);
    EXPECT_EQ(m.fData1, 100.0f);
    EXPECT_EQ(m.pt3rdPoint, (Point{160, 180}));  // the anchor follows from the start
    click(160, 180);
    move(200, 200);
    click(200, 200);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeLine);
    EXPECT_EQ(s.pt1stPoint, (Point{100, 100}));
    EXPECT_EQ(s.pt2ndPoint, (Point{160, 180}));
    EXPECT_EQ(s.pt3rdPoint, (Point{200, 200}));
    expectEmptyFrom(s, 4);
    EXPECT_EQ(s.fData1, 100.0f);
    EXPECT_EQ(s.fData2, 0.0f);
    EXPECT_EQ(s.fData3, 0.0f);
    EXPECT_EQ(s.textValue, "");
    EXPECT_EQ(m.iMode, kModeLine);  // idle in the same mode
    EXPECT_FALSE(m.bLine1stPoint);
    EXPECT_FALSE(m.bLine2ndPoint);
    expectIdle();
    EXPECT_TRUE(delegate.types.empty());
}

TEST_F(MeasureInteraction, LineSecondClickKeepsTheLastMovedValueUntilStored) {
    choose(kModeLine);
    click(100, 100);
    move(160, 180);
    click(130, 140);  // not where the mouse last moved
    EXPECT_EQ(m.pt2ndPoint, (Point{130, 140}));
    EXPECT_EQ(m.fData1, 100.0f);
    EXPECT_TRUE(m.bCompletedCalibration);
    move(250, 250);
    EXPECT_EQ(m.pt2ndPoint, (Point{130, 140}));  // the end no longer moves
    click(10, 10);                               // the storing click's own location is not used

    const RQShape& s = only();
    EXPECT_EQ(s.fData1, 50.0f);
    EXPECT_EQ(s.pt3rdPoint, (Point{250, 250}));
}

TEST_F(MeasureInteraction, ControlClickDuringALineDoesNothing) {
    choose(kModeLine);
    click(100, 100);
    ctrlClick(150, 100);
    EXPECT_FALSE(m.bLine2ndPoint);
    click(150, 100);
    ctrlClick(300, 300);
    EXPECT_TRUE(m.oMutShapsArray.empty());
    EXPECT_TRUE(m.bLine2ndPoint);
    EXPECT_EQ(m.pt2ndPoint, (Point{150, 100}));
}

TEST_F(MeasureInteraction, StyleIsFrozenIntoTheShape) {
    choose(kModeLine);
    m.iLineWidth = 5;
    m.iFontSize = 24;
    m.iDecimal = 1;
    m.ctrLColor = {0, 1, 0};
    m.ctrFColor = {0.5, 0.5, 0.5};
    click(100, 100);
    click(200, 100);
    click(200, 100);
    m.iLineWidth = 9;
    m.ctrLColor = kPureRed;

    const RQShape& s = only();
    EXPECT_EQ(s.iLineWidth, 5);
    EXPECT_EQ(s.iFontSize, 24);
    EXPECT_EQ(s.iDecimal, 1);
    EXPECT_EQ(s.ctrLColor, (RgbColor{0, 1, 0}));
    EXPECT_EQ(s.ctrFColor, (RgbColor{0.5, 0.5, 0.5}));
}

// ---- continuous line ------------------------------------------------------

TEST_F(MeasureInteraction, ContinuousLineLiveValues) {
    choose(kModeContinuousLine);
    click(10, 10);
    EXPECT_EQ(m.iCLineAuvariable, 2);
    move(13, 14);
    EXPECT_EQ(m.pt2ndPoint, (Point{13, 14}));
    EXPECT_EQ(m.AuxVariable1, 5.0f);
    EXPECT_EQ(m.fData1, 5.0f);
    EXPECT_EQ(m.pt10thPoint, (Point{13, 14}));
    click(13, 14);
    EXPECT_EQ(m.iCLineAuvariable, 3);
    move(13, 24);
    EXPECT_EQ(m.AuxVariable2, 10.0f);
    EXPECT_EQ(m.fData1, 15.0f);
    EXPECT_EQ(m.AuxVariable1, 5.0f);
}

TEST_F(MeasureInteraction, ContinuousLineEndedByControlClickRightAfterTheStart) {
    choose(kModeContinuousLine);
    click(10, 10);
    ctrlClick(40, 50);
    EXPECT_TRUE(m.bCLine2ndPoint);
    EXPECT_EQ(m.iCLineAuvariable, 2);  // not advanced
    EXPECT_EQ(m.pt2ndPoint, (Point{40, 50}));
    EXPECT_EQ(m.pt10thPoint, (Point{40, 50}));
    move(70, 70);
    EXPECT_EQ(m.pt2ndPoint, (Point{40, 50}));  // ended: only the anchor moves
    EXPECT_EQ(m.pt10thPoint, (Point{70, 70}));
    ctrlClick(80, 80);  // an ended figure ignores Control-clicks
    click(60, 60);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeContinuousLine);
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{40, 50}));
    for (int k = 3; k <= 9; ++k) {
        EXPECT_EQ(s.pt(k), Point{}) << k;
    }
    EXPECT_EQ(s.pt10thPoint, (Point{60, 60}));  // the storing click places the label
    EXPECT_EQ(s.fData1, 50.0f);
    EXPECT_FALSE(m.bCLine1stPoint);
    expectIdle();
}

TEST_F(MeasureInteraction, ContinuousLineNineVerticesEndByThemselves) {
    choose(kModeContinuousLine);
    // Nine vertices, each segment 5 px long (3-4-5 steps).
    for (int i = 0; i < 9; ++i) {
        if (i > 0) {
            move(10 + 3 * i, 10 + 4 * i);
        }
        click(10 + 3 * i, 10 + 4 * i);
    }
    EXPECT_TRUE(m.bCLine2ndPoint);
    EXPECT_EQ(m.iCLineAuvariable, 10);
    EXPECT_EQ(m.fData1, 40.0f);
    move(300, 300);
    EXPECT_EQ(m.pt9thPoint, (Point{34, 42}));
    click(310, 320);

    const RQShape& s = only();
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(s.pt(k), (Point{10.0 + 3 * (k - 1), 10.0 + 4 * (k - 1)})) << k;
    }
    EXPECT_EQ(s.pt10thPoint, (Point{310, 320}));
    EXPECT_EQ(s.fData1, 40.0f);  // sum of eight segments
}

TEST_F(MeasureInteraction, ContinuousLineStoredLengthIsRecomputedFromTheVertices) {
    choose(kModeContinuousLine);
    click(10, 10);
    move(13, 14);
    click(20, 10);  // the vertex lands where clicked, not where the mouse was
    ctrlClick(20, 40);
    click(50, 50);
    EXPECT_EQ(only().fData1, 10.0f + 30.0f);
}

TEST_F(MeasureInteraction, StoringAContinuousLineSendsTransferFour) {
    choose(kModeContinuousLine);
    click(10, 10);
    ctrlClick(20, 20);
    EXPECT_TRUE(delegate.types.empty());
    click(30, 30);
    ASSERT_EQ(delegate.types.size(), 1u);
    EXPECT_EQ(delegate.types[0], kTransferFigureStored);
    EXPECT_TRUE(isEmpty(delegate.entities[0]));
}

// ---- parallel lines -------------------------------------------------------

TEST_F(MeasureInteraction, ParallelLinesMeasureTheDistanceFromTheBase) {
    choose(kModeParallelLines);
    click(10, 10);
    move(110, 10);
    EXPECT_EQ(m.pt2ndPoint, (Point{110, 10}));
    click(110, 10);
    move(35, 30);
    EXPECT_EQ(m.pt3rdPoint, (Point{35, 30}));
    EXPECT_EQ(m.pt4thPoint, (Point{35, 10}));
    EXPECT_EQ(m.fData1, 20.0f);
    click(60, 60);
    EXPECT_EQ(m.pt4thPoint, (Point{60, 10}));
    EXPECT_EQ(m.fData1, 50.0f);
    move(70, 80);
    EXPECT_EQ(m.pt3rdPoint, (Point{60, 60}));
    click(5, 5);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeParallelLines);
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{110, 10}));
    EXPECT_EQ(s.pt3rdPoint, (Point{60, 60}));
    EXPECT_EQ(s.pt4thPoint, (Point{60, 10}));
    EXPECT_EQ(s.pt5thPoint, (Point{70, 80}));
    expectEmptyFrom(s, 6);
    EXPECT_EQ(s.fData1, 50.0f);
}

TEST_F(MeasureInteraction, ParallelLinesFootUsesTheFloatProjectionFactor) {
    choose(kModeParallelLines);
    click(10, 10);
    click(110, 10);
    move(40, 30);  // t = 0.7 in float, so the foot is a hair off x = 40
    EXPECT_EQ(m.pt4thPoint.x, 110.0 + static_cast<double>(0.7f) * -100.0);
    EXPECT_NE(m.pt4thPoint.x, 40.0);
    EXPECT_EQ(m.fData1, 20.0f);
}

TEST_F(MeasureInteraction, ParallelLinesOnAZeroLengthBaseMeasureToTheBasePoint) {
    choose(kModeParallelLines);
    click(10, 10);
    click(10, 10);
    move(40, 50);
    EXPECT_EQ(m.pt4thPoint, (Point{10, 10}));
    EXPECT_EQ(m.fData1, 50.0f);
    click(40, 50);
    click(60, 60);
    EXPECT_EQ(only().fData1, 50.0f);
    EXPECT_TRUE(std::isfinite(only().pt4thPoint.x));
}

// ---- circles --------------------------------------------------------------

TEST_F(MeasureInteraction, CircleByRadius) {
    choose(kModeCircleRadius);
    click(100, 100);
    EXPECT_EQ(m.pt2ndPoint, (Point{100, 100}));
    move(130, 140);
    EXPECT_EQ(m.fData1, 50.0f);
    click(130, 140);
    move(200, 60);
    click(0, 0);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeCircleRadius);
    EXPECT_EQ(s.pt1stPoint, (Point{100, 100}));
    EXPECT_EQ(s.pt2ndPoint, (Point{130, 140}));
    EXPECT_EQ(s.pt3rdPoint, (Point{200, 60}));
    expectEmptyFrom(s, 4);
    EXPECT_EQ(s.fData1, 50.0f);
    const float r = 50.0f;
    EXPECT_EQ(s.fData2, r * 6.283f);
    EXPECT_EQ(s.fData3, 3.1415f * r * r);
    EXPECT_EQ(s.fData4, 0.0f);
}

TEST_F(MeasureInteraction, CircleByDiameter) {
    choose(kModeCircleDiameter);
    click(100, 100);
    move(160, 180);
    click(160, 180);
    move(250, 250);
    click(250, 250);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeCircleDiameter);
    EXPECT_EQ(s.pt1stPoint, (Point{100, 100}));
    EXPECT_EQ(s.pt2ndPoint, (Point{160, 180}));
    EXPECT_EQ(s.pt3rdPoint, (Point{250, 250}));
    const float d = 100.0f;
    EXPECT_EQ(s.fData1, d);
    EXPECT_EQ(s.fData2, d * 3.1415f);
    EXPECT_EQ(s.fData3, 3.1415f * d * d * 0.25f);
}

TEST_F(MeasureInteraction, CircleByThreePoints) {
    choose(kModeCircleThreePoints);
    click(10, 10);
    move(50, 50);  // before the second click only the anchor moves
    EXPECT_EQ(m.pt2ndPoint, Point{});
    EXPECT_EQ(m.pt4thPoint, (Point{50, 50}));
    click(110, 10);
    move(10, 110);
    EXPECT_EQ(m.pt3rdPoint, (Point{10, 110}));
    EXPECT_EQ(m.pt5thPoint, (Point{60, 60}));
    const float r = static_cast<float>(std::sqrt(5000.0));
    EXPECT_EQ(m.fData1, r);
    click(10, 110);
    move(200, 200);
    click(1, 1);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeCircleThreePoints);
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{110, 10}));
    EXPECT_EQ(s.pt3rdPoint, (Point{10, 110}));
    EXPECT_EQ(s.pt4thPoint, (Point{200, 200}));
    EXPECT_EQ(s.pt5thPoint, (Point{60, 60}));
    expectEmptyFrom(s, 6);
    EXPECT_EQ(s.fData1, r);
    EXPECT_EQ(s.fData2, r * 6.283f);
    EXPECT_EQ(s.fData3, 3.1415f * r * r);
}

TEST_F(MeasureInteraction, CircleThroughCollinearPointsHasRadiusZero) {
    choose(kModeCircleThreePoints);
    click(10, 10);
    click(20, 20);
    click(30, 30);
    EXPECT_EQ(m.pt5thPoint, Point{});
    move(50, 20);
    click(50, 20);
    EXPECT_EQ(only().fData1, 0.0f);
    EXPECT_EQ(only().fData3, 0.0f);
}

// ---- angles ---------------------------------------------------------------

TEST_F(MeasureInteraction, AngleByThreePoints) {
    choose(kModeAngleThreePoints);
    click(110, 10);
    move(20, 100);
    EXPECT_EQ(m.pt2ndPoint, (Point{20, 100}));
    click(10, 110);
    move(10.7, 10.9);  // coordinates are truncated for the angle
    EXPECT_EQ(m.pt3rdPoint, (Point{10.7, 10.9}));
    EXPECT_NEAR(m.fData1, 90.0f, 1e-4);
    click(10, 10);
    EXPECT_NEAR(m.fData1, 90.0f, 1e-4);
    move(150, 150);
    click(3, 3);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeAngleThreePoints);
    EXPECT_EQ(s.pt1stPoint, (Point{110, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{10, 110}));
    EXPECT_EQ(s.pt3rdPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt4thPoint, (Point{150, 150}));
    expectEmptyFrom(s, 5);
    EXPECT_NEAR(s.fData1, 90.0f, 1e-4);
}

TEST_F(MeasureInteraction, AngleByThreePointsWithTheVertexOnAnArmEndIsZero) {
    choose(kModeAngleThreePoints);
    click(110, 10);
    click(10, 110);
    click(110, 10);
    move(120, 120);
    click(120, 120);
    EXPECT_EQ(only().fData1, 0.0f);
}

TEST_F(MeasureInteraction, AngleByFourPoints) {
    choose(kModeAngleFourPoints);
    click(10, 10);
    move(110, 10);
    EXPECT_EQ(m.pt2ndPoint, (Point{110, 10}));
    click(110, 10);
    move(80, 80);  // between the second and third click only the anchor moves
    EXPECT_EQ(m.pt3rdPoint, Point{});
    EXPECT_EQ(m.pt5thPoint, (Point{80, 80}));
    click(60, 60);
    move(110, 110);
    EXPECT_EQ(m.pt4thPoint, (Point{110, 110}));
    EXPECT_NEAR(m.fData1, 45.0f, 1e-4);
    click(110, 110);
    move(300, 40);
    click(1, 1);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeAngleFourPoints);
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{110, 10}));
    EXPECT_EQ(s.pt3rdPoint, (Point{60, 60}));
    EXPECT_EQ(s.pt4thPoint, (Point{110, 110}));
    EXPECT_EQ(s.pt5thPoint, (Point{300, 40}));
    expectEmptyFrom(s, 6);
    EXPECT_NEAR(s.fData1, 45.0f, 1e-4);
}

TEST_F(MeasureInteraction, AngleOfNearlyParallelLinesStaysFinite) {
    // Rounding pushes the cosine just above 1 for these lines.
    choose(kModeAngleFourPoints);
    click(106, 1105);
    click(712, 450);
    click(1129, 635);
    click(524, 1289);
    EXPECT_EQ(m.fData1, 0.0f);
    click(1, 1);
    EXPECT_EQ(only().fData1, 0.0f);
}

// ---- polygon --------------------------------------------------------------

TEST_F(MeasureInteraction, PolygonEndedByControlClick) {
    choose(kModePolygon);
    click(10, 10);
    move(110, 10);
    click(110, 10);
    move(110, 110);
    EXPECT_EQ(m.fData1, 5000.0f);
    click(110, 110);
    move(10, 110);
    EXPECT_EQ(m.fData1, 10000.0f);
    EXPECT_EQ(m.oMutPointArray, (std::vector<Point>{{10, 10}, {110, 10}, {110, 110}, {10, 110}}));
    ctrlClick(10, 110);
    EXPECT_EQ(m.iCLineAuvariable, 4);
    EXPECT_EQ(m.fData1, 10000.0f);
    move(200, 50);
    EXPECT_EQ(m.fData1, 10000.0f);
    EXPECT_EQ(m.pt10thPoint, (Point{200, 50}));
    click(220, 60);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModePolygon);
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{110, 10}));
    EXPECT_EQ(s.pt3rdPoint, (Point{110, 110}));
    EXPECT_EQ(s.pt4thPoint, (Point{10, 110}));
    for (int k = 5; k <= 9; ++k) {
        EXPECT_EQ(s.pt(k), Point{}) << k;
    }
    EXPECT_EQ(s.pt10thPoint, (Point{220, 60}));
    EXPECT_EQ(s.fData1, 10000.0f);
    EXPECT_FALSE(m.bPolygon1stPoint);
    EXPECT_FALSE(m.bPolygon2ndPoint);
    expectIdle();
    ASSERT_EQ(delegate.types.size(), 1u);
    EXPECT_EQ(delegate.types[0], kTransferFigureStored);
    EXPECT_TRUE(isEmpty(delegate.entities[0]));
}

TEST_F(MeasureInteraction, PolygonEndedRightAfterItsStartHasAreaZero) {
    choose(kModePolygon);
    click(10, 10);
    move(50, 50);
    ctrlClick(60, 70);
    click(80, 80);

    const RQShape& s = only();
    EXPECT_EQ(s.pt1stPoint, (Point{10, 10}));
    EXPECT_EQ(s.pt2ndPoint, (Point{60, 70}));
    for (int k = 3; k <= 9; ++k) {
        EXPECT_EQ(s.pt(k), Point{}) << k;
    }
    EXPECT_EQ(s.pt10thPoint, (Point{80, 80}));
    EXPECT_EQ(s.fData1, 0.0f);
}

TEST_F(MeasureInteraction, PolygonKeepsTheAreaOfTheLastMoveNotOfTheControlClick) {
    choose(kModePolygon);
    click(10, 10);
    click(110, 10);
    move(110, 110);
    ctrlClick(110, 210);  // the vertex moves, the area does not
    click(300, 300);
    EXPECT_EQ(only().pt3rdPoint, (Point{110, 210}));
    EXPECT_EQ(only().fData1, 5000.0f);
}

TEST_F(MeasureInteraction, PolygonNineVerticesEndByThemselvesWithTheirArea) {
    choose(kModePolygon);
    const std::vector<Point> vertices = {{10, 10},  {60, 10},  {110, 10}, {110, 60}, {110, 110},
                                         {60, 110}, {10, 110}, {10, 80},  {10, 40}};
    for (const Point& v : vertices) {
        click(v.x, v.y);  // no mouse moves: the ninth click computes the area
    }
    EXPECT_TRUE(m.bPolygon2ndPoint);
    EXPECT_EQ(m.fData1, 10000.0f);
    EXPECT_EQ(m.oMutPointArray, vertices);
    click(200, 200);

    const RQShape& s = only();
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(s.pt(k), vertices[k - 1]) << k;
    }
    EXPECT_EQ(s.pt10thPoint, (Point{200, 200}));
    EXPECT_EQ(s.fData1, 10000.0f);
    EXPECT_EQ(delegate.types.size(), 1u);
}

TEST_F(MeasureInteraction, ControlClickInAnIdleFigureToolStartsNothing) {
    choose(kModePolygon);
    ctrlClick(10, 10);
    EXPECT_FALSE(m.bPolygon1stPoint);
    choose(kModeContinuousLine);
    ctrlClick(10, 10);
    EXPECT_FALSE(m.bCLine1stPoint);
    EXPECT_EQ(m.pt1stPoint, Point{});
}

TEST_F(MeasureInteraction, StoringWithoutADelegateIsFine) {
    m.delegate = nullptr;
    choose(kModePolygon);
    click(10, 10);
    ctrlClick(20, 20);
    click(30, 30);
    EXPECT_EQ(m.oMutShapsArray.size(), 1u);
}

// ---- text -----------------------------------------------------------------

TEST_F(MeasureInteraction, TextWithAnEmptyFieldOnlyHidesIt) {
    choose(kModeText);
    click(100, 100);
    EXPECT_TRUE(m.textField->hidden);
    EXPECT_FALSE(m.bText1stPoint);
    move(150, 150);
    click(150, 150);
    EXPECT_TRUE(m.oMutShapsArray.empty());
    EXPECT_EQ(m.iMode, kModeText);
}

TEST_F(MeasureInteraction, TypedTextFollowsTheMouseAndIsStored) {
    choose(kModeText);
    m.iDecimal = 5;
    m.iFontSize = 20;
    m.textField->stringValue = "sample A";
    click(100, 100);
    EXPECT_TRUE(m.bText1stPoint);
    EXPECT_EQ(m.strTextValue, "sample A");
    EXPECT_EQ(m.pt1stPoint, (Point{100, 100}));
    EXPECT_TRUE(m.textField->hidden);
    EXPECT_EQ(m.textField->stringValue, "");
    move(150, 120);
    EXPECT_EQ(m.pt1stPoint, (Point{150, 120}));
    click(400, 400);

    const RQShape& s = only();
    EXPECT_EQ(s.type, kModeText);
    EXPECT_EQ(s.pt1stPoint, (Point{150, 120}));
    expectEmptyFrom(s, 2);
    EXPECT_EQ(s.textValue, "sample A");
    EXPECT_EQ(s.fData1, 0.0f);
    EXPECT_EQ(s.iDecimal, 3);  // not the view's 5
    EXPECT_EQ(s.iFontSize, 20);
    EXPECT_EQ(m.iMode, kModeNone);
    EXPECT_FALSE(m.bText1stPoint);
    EXPECT_TRUE(delegate.types.empty());

    click(50, 50);  // mode 0 now: nothing starts
    EXPECT_EQ(m.oMutShapsArray.size(), 1u);
    EXPECT_EQ(m.pt1stPoint, Point{});
}

TEST_F(MeasureInteraction, TextToolWithoutAFieldStartsNothing) {
    m.iMode = kModeText;  // set directly, never chosen through the tool
    click(100, 100);
    EXPECT_FALSE(m.bText1stPoint);
    EXPECT_FALSE(m.textField.has_value());
}

// ---- idle modes, abandoning, moves ----------------------------------------

TEST_F(MeasureInteraction, ModesWithoutATool) {
    for (int32_t mode : {0, 7, 12, 200}) {
        choose(mode);
        click(100, 100);
        move(150, 150);
        click(150, 150);
        ctrlClick(160, 160);
        EXPECT_TRUE(m.oMutShapsArray.empty()) << mode;
        EXPECT_EQ(m.pt1stPoint, Point{}) << mode;
        EXPECT_EQ(m.fData1, 0.0f) << mode;
    }
}

TEST_F(MeasureInteraction, MovesWithoutAShapeInProgressChangeNothing) {
    for (int32_t mode : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) {
        choose(mode);
        move(150, 150);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(m.pt(k), Point{}) << mode << " slot " << k;
        }
        EXPECT_EQ(m.fData1, 0.0f) << mode;
    }
}

TEST_F(MeasureInteraction, ToolChoiceAbandonsTheShapeAndTheNextClickStartsTheNewTool) {
    choose(kModeLine);
    click(100, 100);
    click(200, 100);
    choose(kModeCircleRadius);
    EXPECT_FALSE(m.bLine1stPoint);
    EXPECT_FALSE(m.bLine2ndPoint);
    click(300, 300);
    EXPECT_TRUE(m.bRCircle1stPoint);
    EXPECT_EQ(m.pt1stPoint, (Point{300, 300}));
    EXPECT_TRUE(m.oMutShapsArray.empty());
}

TEST_F(MeasureInteraction, EveryToolCanBeAbandonedAtEveryStep) {
    const int32_t modes[] = {1, 2, 3, 4, 5, 6, 8, 9, 10};
    for (int32_t mode : modes) {
        for (int clicks = 1; clicks <= 4; ++clicks) {
            choose(mode);
            for (int c = 0; c < clicks; ++c) {
                move(20.0 + 30 * c, 40.0 + 10 * c);
                click(20.0 + 30 * c, 40.0 + 10 * c);
            }
            const size_t stored = m.oMutShapsArray.size();
            choose(mode);
            click(500, 500);
            // A single click after abandoning only starts a fresh shape.
            EXPECT_EQ(m.oMutShapsArray.size(), stored) << mode << "/" << clicks;
            EXPECT_EQ(m.pt1stPoint, (Point{500, 500})) << mode << "/" << clicks;
            m.deleteshape(1);
        }
    }
}

TEST_F(MeasureInteraction, ShapesOfEveryTypeHoldOnlyFiniteValues) {
    // Degenerate input everywhere: every click on the same point.
    for (int32_t mode : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        choose(mode);
        for (int c = 0; c < 10 && m.oMutShapsArray.empty(); ++c) {
            move(50, 50);
            click(50, 50);
        }
        ASSERT_EQ(m.oMutShapsArray.size(), 1u) << mode;
        const RQShape& s = m.oMutShapsArray[0];
        EXPECT_TRUE(std::isfinite(s.fData1)) << mode;
        EXPECT_TRUE(std::isfinite(s.fData2) && std::isfinite(s.fData3)) << mode;
        for (int k = 1; k <= 10; ++k) {
            EXPECT_TRUE(std::isfinite(s.pt(k).x) && std::isfinite(s.pt(k).y)) << mode;
        }
        m.deleteshape(1);
    }
}

}  // namespace
}  // namespace lumetra
