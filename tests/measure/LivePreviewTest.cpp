#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "measure/LivePreview.h"
#include "support/RecordingSurface.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

using test::PathPiece;
using test::RecordingSurface;

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

    void points(uint8_t mode, std::initializer_list<std::pair<int, Point>> pts, float fData1 = 0) {
        model.iMode = mode;
        for (const auto& [slot, p] : pts) model.pt(slot) = p;
        model.fData1 = fData1;
    }

    MeasureModel model;
};

bool isMarker(const PathPiece& p, Point at) {
    return p.isCircle() && p.centre == at && p.radius == kMarkerRadius;
}

TEST_F(LivePreviewTest, LineInTheViewStyle) {
    model.iLineWidth = 5;
    model.ctrLColor = {0, 1, 0};
    model.iFontSize = 30;
    model.ctrFColor = {0.5, 0.5, 0.5};
    model.iDecimal = 1;
    points(kModeLine, {{1, {10, 10}}});
    EXPECT_THAT(draw().calls(), IsEmpty());  // one end is not a line yet

    points(kModeLine, {{2, {70, 10}}}, 60.0f);
    RecordingSurface s = draw();
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_EQ(s.strokes()[0].lineWidth, 5.0);
    EXPECT_EQ(s.strokes()[0].color, model.ctrLColor);
    EXPECT_THAT(s.strokes()[0].pieces[0].points, ElementsAre(Point{10, 10}, Point{70, 10}));
    EXPECT_THAT(s.texts(), IsEmpty());  // no anchor yet

    model.pt3rdPoint = {20, 40};
    s = draw();
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "L:1.0mm");
    EXPECT_EQ(s.texts()[0].fontSize, 30.0);
    EXPECT_EQ(s.texts()[0].color, model.ctrFColor);
    EXPECT_EQ(s.texts()[0].origin, (Point{20, 40}));
}

TEST_F(LivePreviewTest, ContinuousLineAndPolygon) {
    points(kModeContinuousLine, {{1, {10, 10}}, {2, {20, 10}}, {4, {30, 30}}, {10, {50, 50}}},
           120.0f);
    RecordingSurface s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(0).points,
                ElementsAre(Point{10, 10}, Point{20, 10}, Point{30, 30}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:2.000mm"));

    // The polygon's outline stops at the first unset vertex and closes; its
    // label needs a third vertex.
    model.resetPoints();
    points(kModePolygon, {{1, {10, 10}}, {2, {110, 10}}, {10, {60, 60}}});
    s = draw();
    EXPECT_TRUE(s.strokes().at(0).pieces.at(0).closed);
    EXPECT_THAT(s.texts(), IsEmpty());
    points(kModePolygon, {{3, {110, 110}}, {4, {10, 110}}, {6, {99, 99}}}, 10000.0f);
    s = draw();
    EXPECT_THAT(s.strokes()[0].pieces[0].points,
                ElementsAre(Point{10, 10}, Point{110, 10}, Point{110, 110}, Point{10, 110}));
    EXPECT_THAT(s.textStrings(), ElementsAre("A:2.778mm\u00B2"));
}

TEST_F(LivePreviewTest, ParallelLinesNeedTheFootForTheSecondSegmentAndLabel) {
    points(kModeParallelLines, {{1, {10, 10}}, {2, {110, 10}}, {5, {60, 80}}}, 60.0f);
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().at(0).pieces.size(), 1u);
    EXPECT_THAT(s.texts(), IsEmpty());
    points(kModeParallelLines, {{3, {50, 70}}, {4, {50, 10}}}, 60.0f);
    s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(1).points, ElementsAre(Point{50, 70}, Point{50, 10}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm"));
}

TEST_F(LivePreviewTest, CirclesByRadiusAndDiameter) {
    points(kModeCircleRadius, {{1, {100, 100}}, {2, {160, 100}}, {3, {200, 200}}}, 60.0f);
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

TEST_F(LivePreviewTest, ThreePointCircleMarkersThenCircle) {
    points(kModeCircleThreePoints, {{1, {10, 10}}, {4, {90, 90}}});
    RecordingSurface s = draw();
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_TRUE(isMarker(s.strokes()[0].pieces.at(0), {10, 10}));
    EXPECT_THAT(s.texts(), IsEmpty());

    points(kModeCircleThreePoints, {{2, {20, 10}}, {3, {10, 20}}, {5, {15, 15}}}, 60.0f);
    s = draw();
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_TRUE(isMarker(s.strokes()[1].pieces.at(0), {20, 10}));
    EXPECT_EQ(s.strokes()[2].pieces.at(0).centre, (Point{15, 15}));
    EXPECT_EQ(s.strokes()[2].pieces.at(0).radius, 60.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("R:1.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
}

TEST_F(LivePreviewTest, Angles) {
    points(kModeAngleThreePoints, {{1, {110, 10}}, {2, {10, 110}}, {4, {50, 50}}});
    RecordingSurface s = draw();
    EXPECT_EQ(s.strokes().size(), 2u);  // two markers
    EXPECT_THAT(s.texts(), IsEmpty());
    points(kModeAngleThreePoints, {{3, {10, 10}}}, 90.0f);
    s = draw();
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_THAT(s.strokes()[2].pieces.at(0).points,
                ElementsAre(Point{110, 10}, Point{10, 10}, Point{10, 110}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:90.000\u00B0"));

    model.resetPoints();
    points(kModeAngleFourPoints, {{1, {10, 10}}});
    EXPECT_THAT(draw().strokes(), IsEmpty());
    points(kModeAngleFourPoints, {{2, {100, 10}}, {3, {50, 50}}, {5, {70, 20}}});
    EXPECT_EQ(draw().strokes().size(), 1u);
    points(kModeAngleFourPoints, {{4, {100, 100}}}, 45.0f);
    s = draw();
    ASSERT_EQ(s.strokes().size(), 2u);  // separate strokes
    EXPECT_THAT(s.strokes()[1].pieces.at(0).points, ElementsAre(Point{50, 50}, Point{100, 100}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:45.000\u00B0"));
}

TEST_F(LivePreviewTest, TextFollowsItsPoint) {
    model.strTextValue = "note";
    points(kModeText, {});
    EXPECT_THAT(draw().calls(), IsEmpty());
    points(kModeText, {{1, {33, 44}}});
    const RecordingSurface s = draw();
    EXPECT_THAT(s.strokes(), IsEmpty());
    EXPECT_THAT(s.textStrings(), ElementsAre("note"));
    EXPECT_EQ(s.texts()[0].origin, (Point{33, 44}));
}

TEST_F(LivePreviewTest, ModesWithoutPreviewDrawNothing) {
    for (uint8_t mode : {0, 7, 12, 255}) {
        points(mode, {{1, {10, 10}}, {2, {20, 20}}, {3, {30, 30}}});
        EXPECT_THAT(draw().calls(), IsEmpty()) << int(mode);
    }
}

TEST_F(LivePreviewTest, FollowsTheMouseThroughTheModel) {
    model.setMeasureMode(kModeLine, "", "mm", 60.0f, 1.0f, false);
    model.mouseDown({100, 100}, false);
    model.mouseMoved({160, 180});
    const RecordingSurface s = draw();
    EXPECT_THAT(s.strokes().at(0).pieces.at(0).points,
                ElementsAre(Point{100, 100}, Point{160, 180}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.667mm"));  // 100 px, label at the mouse
}

}  // namespace
}  // namespace lumetra
