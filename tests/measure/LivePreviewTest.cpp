#include "measure/LivePreview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/RecordingSurface.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

using test::PathPiece;
using test::RecordingSurface;

constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

class LivePreviewTest : public testing::Test {
protected:
    LivePreviewTest() {
        model.initVideoView();
        model.resetMeasureParas();
    }

    RecordingSurface draw() {
        RecordingSurface s;
        drawPreview(s, model);
        return s;
    }

    MeasureModel model;
};

bool isMarker(const PathPiece& p, Point at) {
    return p.isCircle() && p.centre == at && p.radius == kMarkerRadius;
}

TEST_F(LivePreviewTest, UsesTheViewStyle) {
    model.iMode = kModeLine;
    model.iLineWidth = 5;
    model.ctrLColor = kGreen;
    model.iFontSize = 30;
    model.ctrFColor = kGrey;
    model.iDecimal = 1;
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {70, 10};
    model.pt3rdPoint = {20, 40};
    model.fData1 = 60.0f;
    const RecordingSurface s = draw();
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_EQ(s.strokes()[0].lineWidth, 5.0);
    EXPECT_EQ(s.strokes()[0].color, kGreen);
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "L:1.0mm");
    EXPECT_EQ(s.texts()[0].fontFamily, "Arial");
    EXPECT_EQ(s.texts()[0].fontSize, 30.0);
    EXPECT_EQ(s.texts()[0].color, kGrey);
    EXPECT_EQ(s.texts()[0].origin, (Point{20, 40}));
}

TEST_F(LivePreviewTest, LineNeedsBothEndsAndLabelsOnlyWithAnAnchor) {
    model.iMode = kModeLine;
    model.pt1stPoint = {10, 10};
    EXPECT_THAT(draw().calls(), IsEmpty());
    model.pt2ndPoint = {40, 10};
    model.fData1 = 30.0f;
    RecordingSurface s = draw();
    EXPECT_THAT(s.strokes()[0].pieces[0].points, ElementsAre(Point{10, 10}, Point{40, 10}));
    EXPECT_THAT(s.texts(), IsEmpty());
    model.pt3rdPoint = {5, 5};
    EXPECT_THAT(draw().textStrings(), ElementsAre("L:0.500mm"));
}

TEST_F(LivePreviewTest, ContinuousLineJoinsTheSetVertices) {
    model.iMode = kModeContinuousLine;
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {20, 10};
    model.pt4thPoint = {30, 30};
    model.pt10thPoint = {50, 50};
    model.fData1 = 120.0f;
    const RecordingSurface s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(0).points,
                ElementsAre(Point{10, 10}, Point{20, 10}, Point{30, 30}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:2.000mm"));
}

TEST_F(LivePreviewTest, ParallelLinesLabelNeedsTheFoot) {
    model.iMode = kModeParallelLines;
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {110, 10};
    model.pt5thPoint = {60, 80};
    model.fData1 = 60.0f;
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().at(0).pieces.size(), 1u);
    EXPECT_THAT(s.texts(), IsEmpty());
    model.pt3rdPoint = {50, 70};
    model.pt4thPoint = {50, 10};
    s = draw();
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_THAT(s.strokes()[0].pieces.at(1).points, ElementsAre(Point{50, 70}, Point{50, 10}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm"));
}

TEST_F(LivePreviewTest, CirclesByRadiusAndDiameter) {
    model.iMode = kModeCircleRadius;
    model.pt1stPoint = {100, 100};
    model.pt2ndPoint = {160, 100};
    model.pt3rdPoint = {200, 200};
    model.fData1 = 60.0f;
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().at(0).pieces.at(0).centre, (Point{100, 100}));
    EXPECT_EQ(s.strokes()[0].pieces[0].radius, 60.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("R:1.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
    EXPECT_EQ(s.texts()[2].origin, (Point{200, 168}));

    model.iMode = kModeCircleDiameter;
    s = draw();
    EXPECT_EQ(s.strokes().at(0).pieces.at(0).centre, (Point{130, 100}));
    EXPECT_EQ(s.strokes()[0].pieces[0].radius, 30.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("D:1.000mm", "C:3.142mm", "A:0.785mm\u00B2"));
}

TEST_F(LivePreviewTest, ThreePointCircleGrowsWithItsPoints) {
    model.iMode = kModeCircleThreePoints;
    model.pt1stPoint = {10, 10};
    RecordingSurface s = draw();
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_TRUE(isMarker(s.strokes()[0].pieces.at(0), {10, 10}));

    model.pt2ndPoint = {20, 10};
    model.pt4thPoint = {90, 90};  // anchor follows the mouse; no label yet
    s = draw();
    ASSERT_EQ(s.strokes().size(), 2u);
    EXPECT_TRUE(isMarker(s.strokes()[1].pieces.at(0), {20, 10}));
    EXPECT_THAT(s.texts(), IsEmpty());

    model.pt3rdPoint = {10, 20};
    model.pt5thPoint = {15, 15};
    model.fData1 = 60.0f;
    s = draw();
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_EQ(s.strokes()[2].pieces.at(0).centre, (Point{15, 15}));
    EXPECT_EQ(s.strokes()[2].pieces.at(0).radius, 60.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("R:1.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
}

TEST_F(LivePreviewTest, AngleByThreePoints) {
    model.iMode = kModeAngleThreePoints;
    model.pt1stPoint = {110, 10};
    model.pt2ndPoint = {10, 110};
    model.pt4thPoint = {50, 50};
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().size(), 2u);  // two markers
    EXPECT_THAT(s.texts(), IsEmpty());

    model.pt3rdPoint = {10, 10};
    model.fData1 = 90.0f;
    s = draw();
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_THAT(s.strokes()[2].pieces.at(0).points,
                ElementsAre(Point{110, 10}, Point{10, 10}, Point{10, 110}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:90.000\u00B0"));
}

TEST_F(LivePreviewTest, AngleByFourPointsStrokesEachLine) {
    model.iMode = kModeAngleFourPoints;
    model.pt1stPoint = {10, 10};
    EXPECT_THAT(draw().strokes(), IsEmpty());
    model.pt2ndPoint = {100, 10};
    model.pt3rdPoint = {50, 50};
    model.pt5thPoint = {70, 20};
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().size(), 1u);
    EXPECT_THAT(s.texts(), IsEmpty());
    model.pt4thPoint = {100, 100};
    model.fData1 = 45.0f;
    s = draw();
    ASSERT_EQ(s.strokes().size(), 2u);
    EXPECT_THAT(s.strokes()[1].pieces.at(0).points, ElementsAre(Point{50, 50}, Point{100, 100}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:45.000\u00B0"));
}

TEST_F(LivePreviewTest, PolygonIsClosedAndLabelledFromThreeVertices) {
    model.iMode = kModePolygon;
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {110, 10};
    model.pt10thPoint = {60, 60};
    RecordingSurface s = draw();
    EXPECT_TRUE(s.strokes().at(0).pieces.at(0).closed);
    EXPECT_THAT(s.texts(), IsEmpty());

    model.pt3rdPoint = {110, 110};
    model.pt4thPoint = {10, 110};
    model.fData1 = 10000.0f;
    s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(0).points,
                ElementsAre(Point{10, 10}, Point{110, 10}, Point{110, 110}, Point{10, 110}));
    EXPECT_THAT(s.textStrings(), ElementsAre("A:2.778mm\u00B2"));
}

TEST_F(LivePreviewTest, TextFollowsItsPoint) {
    model.iMode = kModeText;
    model.strTextValue = "note";
    EXPECT_THAT(draw().calls(), IsEmpty());
    model.pt1stPoint = {33, 44};
    const RecordingSurface s = draw();
    EXPECT_THAT(s.strokes(), IsEmpty());
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "note");
    EXPECT_EQ(s.texts()[0].origin, (Point{33, 44}));
}

TEST_F(LivePreviewTest, ModesWithoutPreviewDrawNothing) {
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {20, 20};
    model.pt3rdPoint = {30, 30};
    for (uint8_t mode : {0, 7, 12, 255}) {
        model.iMode = mode;
        EXPECT_THAT(draw().calls(), IsEmpty()) << int(mode);
    }
}

TEST_F(LivePreviewTest, FollowsTheMouseThroughTheModel) {
    model.setMeasureMode(kModeLine, "", "mm", 60.0f, 1.0f, false);
    model.mouseDown({100, 100}, false);
    model.mouseMoved({160, 180});
    const RecordingSurface s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(0).points, ElementsAre(Point{100, 100}, Point{160, 180}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.667mm"));  // 100 px, anchor at the mouse
}

}  // namespace
}  // namespace lumetra
