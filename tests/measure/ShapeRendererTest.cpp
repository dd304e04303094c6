#include "measure/ShapeRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/RecordingSurface.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

using test::PathPiece;
using test::RecordingSurface;

const CalibrationValues kDefault{60.0f, 1.0f, "mm"};
constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

RQShape shapeOf(uint8_t type, std::initializer_list<std::pair<int, Point>> points, float fData1) {
    RQShape s;
    s.type = type;
    for (const auto& [slot, p] : points) s.pt(slot) = p;
    s.fData1 = fData1;
    return s;
}

std::vector<Point> polylinePoints(const PathPiece& piece) {
    EXPECT_FALSE(piece.isCircle());
    return piece.points;
}

RecordingSurface drawView(const std::vector<RQShape>& shapes, const CalibrationValues& cal = kDefault) {
    RecordingSurface s;
    drawGraphit(s, shapes, cal, 1.0f, 1.0f);
    return s;
}

// --- outlines and labels per type, live view -------------------------------

TEST(DrawGraphit, LineWithLabelInShapeStyle) {
    RQShape line = shapeOf(kModeLine, {{1, {10, 10}}, {2, {730, 10}}, {3, {50, 60}}}, 720.0f);
    line.iLineWidth = 4;
    line.iFontSize = 20;
    line.ctrLColor = kGreen;
    line.ctrFColor = kGrey;
    line.iDecimal = 0;
    const RecordingSurface s = drawView({line});

    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_EQ(s.strokes()[0].lineWidth, 4.0);
    EXPECT_EQ(s.strokes()[0].color, kGreen);
    ASSERT_EQ(s.strokes()[0].pieces.size(), 1u);
    EXPECT_THAT(polylinePoints(s.strokes()[0].pieces[0]), ElementsAre(Point{10, 10}, Point{730, 10}));

    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "L:12mm");
    EXPECT_EQ(s.texts()[0].origin, (Point{50, 60}));
    EXPECT_EQ(s.texts()[0].fontFamily, "Arial");
    EXPECT_EQ(s.texts()[0].fontSize, 20.0);
    EXPECT_EQ(s.texts()[0].color, kGrey);
}

TEST(DrawGraphit, DecimalsComeFromTheShape) {
    RQShape line = shapeOf(kModeLine, {{1, {10, 10}}, {2, {730, 10}}, {3, {50, 60}}}, 720.0f);
    EXPECT_THAT(drawView({line}).textStrings(), ElementsAre("L:12.000mm"));
}

TEST(DrawGraphit, UnsetAnchorDrawsOutlineWithoutLabel) {
    for (Point anchor : {Point{0, 0}, Point{0, 50}, Point{50, 0}, Point{-5, 50}}) {
        const RecordingSurface s =
            drawView({shapeOf(kModeLine, {{1, {10, 10}}, {2, {100, 10}}, {3, anchor}}, 90.0f)});
        EXPECT_EQ(s.strokes().size(), 1u);
        EXPECT_THAT(s.texts(), IsEmpty());
    }
}

TEST(DrawGraphit, ContinuousLineSkipsUnsetVertices) {
    RQShape cl = shapeOf(kModeContinuousLine,
                         {{1, {10, 10}}, {2, {20, 10}}, {3, {30, 20}}, {5, {40, 40}}, {7, {50, 60}},
                          {10, {70, 70}}},
                         120.0f);
    const RecordingSurface s = drawView({cl});
    ASSERT_EQ(s.strokes().size(), 1u);
    ASSERT_EQ(s.strokes()[0].pieces.size(), 1u);
    EXPECT_THAT(polylinePoints(s.strokes()[0].pieces[0]),
                ElementsAre(Point{10, 10}, Point{20, 10}, Point{30, 20}, Point{40, 40}, Point{50, 60}));
    EXPECT_FALSE(s.strokes()[0].pieces[0].closed);
    EXPECT_THAT(s.textStrings(), ElementsAre("L:2.000mm"));
    EXPECT_EQ(s.texts()[0].origin, (Point{70, 70}));
}

TEST(DrawGraphit, ParallelLinesDrawTheFootSegmentOnlyWhenTheFootIsSet) {
    RQShape pl = shapeOf(kModeParallelLines,
                         {{1, {10, 10}}, {2, {110, 10}}, {3, {50, 70}}, {4, {50, 10}}, {5, {80, 80}}},
                         60.0f);
    RecordingSurface s = drawView({pl});
    ASSERT_EQ(s.strokes().size(), 1u);  // both segments in one stroke
    ASSERT_EQ(s.strokes()[0].pieces.size(), 2u);
    EXPECT_THAT(polylinePoints(s.strokes()[0].pieces[1]), ElementsAre(Point{50, 70}, Point{50, 10}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm"));

    pl.pt4thPoint = {};
    s = drawView({pl});
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_EQ(s.strokes()[0].pieces.size(), 1u);
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm"));
}

TEST(DrawGraphit, CircleByRadiusUsesTheStoredRadiusAndAThreeLineBlock) {
    // The points are 30 apart, the stored radius is 60: the view variant keeps 60.
    RQShape c = shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {130, 100}}, {3, {200, 300}}}, 60.0f);
    const RecordingSurface s = drawView({c});
    ASSERT_EQ(s.strokes().size(), 1u);
    ASSERT_EQ(s.strokes()[0].pieces.size(), 1u);
    const PathPiece& circle = s.strokes()[0].pieces[0];
    EXPECT_TRUE(circle.isCircle());
    EXPECT_EQ(circle.centre, (Point{100, 100}));
    EXPECT_EQ(circle.radius, 60.0);

    EXPECT_THAT(s.textStrings(), ElementsAre("R:1.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
    // Lines stack downward, one font size apart.
    EXPECT_EQ(s.texts()[0].origin, (Point{200, 300}));
    EXPECT_EQ(s.texts()[1].origin, (Point{200, 284}));
    EXPECT_EQ(s.texts()[2].origin, (Point{200, 268}));
}

TEST(DrawGraphit, CircleByDiameterIsCentredOnTheMidpoint) {
    RQShape c = shapeOf(kModeCircleDiameter, {{1, {100, 100}}, {2, {220, 100}}, {3, {50, 50}}}, 120.0f);
    const RecordingSurface s = drawView({c});
    const PathPiece& circle = s.strokes().at(0).pieces.at(0);
    EXPECT_EQ(circle.centre, (Point{160, 100}));
    EXPECT_EQ(circle.radius, 60.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("D:2.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
}

TEST(DrawGraphit, CircleByThreePointsUsesTheCentreSlotAndFourthAnchor) {
    RQShape c = shapeOf(kModeCircleThreePoints,
                        {{1, {10, 10}}, {2, {20, 10}}, {3, {10, 20}}, {4, {300, 300}}, {5, {15, 15}}},
                        60.0f);
    const RecordingSurface s = drawView({c});
    const PathPiece& circle = s.strokes().at(0).pieces.at(0);
    EXPECT_EQ(circle.centre, (Point{15, 15}));
    EXPECT_EQ(circle.radius, 60.0);
    ASSERT_EQ(s.texts().size(), 3u);
    EXPECT_EQ(s.texts()[0].origin, (Point{300, 300}));
}

TEST(DrawGraphit, AngleByThreePointsBendsAtTheThirdPoint) {
    RQShape a = shapeOf(kModeAngleThreePoints,
                        {{1, {110, 10}}, {2, {110, 110}}, {3, {10, 10}}, {4, {150, 50}}}, 45.0f);
    const RecordingSurface s = drawView({a}, {2.0f, 5.0f, "um"});
    EXPECT_THAT(polylinePoints(s.strokes().at(0).pieces.at(0)),
                ElementsAre(Point{110, 10}, Point{10, 10}, Point{110, 110}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:45.000\u00B0"));
}

TEST(DrawGraphit, AngleByFourPointsStrokesEachLineAndNeedsTheFourthPointForItsLabel) {
    RQShape a = shapeOf(kModeAngleFourPoints,
                        {{1, {10, 10}}, {2, {100, 10}}, {3, {50, 50}}, {4, {100, 100}}, {5, {120, 20}}},
                        45.0f);
    RecordingSurface s = drawView({a});
    ASSERT_EQ(s.strokes().size(), 2u);
    EXPECT_THAT(polylinePoints(s.strokes()[0].pieces.at(0)), ElementsAre(Point{10, 10}, Point{100, 10}));
    EXPECT_THAT(polylinePoints(s.strokes()[1].pieces.at(0)), ElementsAre(Point{50, 50}, Point{100, 100}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:45.000\u00B0"));

    a.pt4thPoint = {100, 0};
    s = drawView({a});
    EXPECT_EQ(s.strokes().size(), 2u);
    EXPECT_THAT(s.texts(), IsEmpty());
}

TEST(DrawGraphit, PolygonIsClosedAndEndsAtTheFirstUnsetVertex) {
    RQShape p = shapeOf(kModePolygon,
                        {{1, {10, 10}}, {2, {110, 10}}, {3, {110, 110}}, {4, {10, 110}}, {6, {500, 500}},
                         {10, {60, 60}}},
                        10000.0f);
    const RecordingSurface s = drawView({p});
    ASSERT_EQ(s.strokes().size(), 1u);
    const PathPiece& outline = s.strokes()[0].pieces.at(0);
    EXPECT_THAT(outline.points,
                ElementsAre(Point{10, 10}, Point{110, 10}, Point{110, 110}, Point{10, 110}));
    EXPECT_TRUE(outline.closed);
    EXPECT_THAT(s.textStrings(), ElementsAre("A:2.778mm\u00B2"));
}

TEST(DrawGraphit, PolygonWithTwoOrNineVerticesIsClosed) {
    RQShape two = shapeOf(kModePolygon, {{1, {10, 10}}, {2, {20, 20}}}, 0.0f);
    EXPECT_TRUE(drawView({two}).strokes().at(0).pieces.at(0).closed);

    RQShape nine;
    nine.type = kModePolygon;
    for (int k = 1; k <= 9; ++k) nine.pt(k) = {10.0 * k, 5.0 + (k % 2) * 10.0};
    const RecordingSurface s = drawView({nine});
    const PathPiece& outline = s.strokes().at(0).pieces.at(0);
    EXPECT_EQ(outline.points.size(), 9u);
    EXPECT_TRUE(outline.closed);
}

TEST(DrawGraphit, TextShapeDrawsItsTextWithoutStroke) {
    RQShape t = shapeOf(kModeText, {{1, {40, 30}}}, 0.0f);
    t.textValue = "Sample 7 \u00B5m";
    t.ctrFColor = kGreen;
    t.iFontSize = 24;
    const RecordingSurface s = drawView({t});
    EXPECT_THAT(s.strokes(), IsEmpty());
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "Sample 7 \u00B5m");
    EXPECT_EQ(s.texts()[0].origin, (Point{40, 30}));
    EXPECT_EQ(s.texts()[0].fontSize, 24.0);
    EXPECT_EQ(s.texts()[0].color, kGreen);
}

TEST(DrawGraphit, TextShapeAtAnUnsetPointDrawsNothing) {
    RQShape t = shapeOf(kModeText, {{1, {0, 30}}}, 0.0f);
    t.textValue = "x";
    EXPECT_THAT(drawView({t}).calls(), IsEmpty());
}

TEST(DrawGraphit, UnknownTypesDrawNothing) {
    for (uint8_t type : {0, 7, 12, 255}) {
        RQShape s = shapeOf(type, {{1, {10, 10}}, {2, {20, 20}}, {3, {30, 30}}}, 5.0f);
        EXPECT_THAT(drawView({s}).strokes(), IsEmpty()) << int(type);
        EXPECT_THAT(drawView({s}).texts(), IsEmpty()) << int(type);
    }
}

TEST(DrawGraphit, EmptyListDrawsNothing) { EXPECT_THAT(drawView({}).calls(), IsEmpty()); }

// --- the loop -----------------------------------------------------------------

TEST(DrawGraphit, ShapesInListOrderEachStrokedWithItsOwnStyle) {
    RQShape first = shapeOf(kModeLine, {{1, {1, 1}}, {2, {2, 2}}}, 1.0f);
    RQShape second = shapeOf(kModeLine, {{1, {3, 3}}, {2, {4, 4}}}, 1.0f);
    second.ctrLColor = kGreen;
    second.iLineWidth = 7;
    const RecordingSurface s = drawView({first, second});
    ASSERT_EQ(s.strokes().size(), 2u);
    EXPECT_EQ(s.strokes()[0].pieces.at(0).points.front(), (Point{1, 1}));
    EXPECT_EQ(s.strokes()[0].color, kPureRed);
    EXPECT_EQ(s.strokes()[1].color, kGreen);
    EXPECT_EQ(s.strokes()[1].lineWidth, 7.0);
}

TEST(DrawGraphit, CalibrationChangesLabelsButNotOutlines) {
    const RQShape line = shapeOf(kModeLine, {{1, {10, 10}}, {2, {130, 10}}, {3, {5, 5}}}, 120.0f);
    const RecordingSurface before = drawView({line});
    const RecordingSurface after = drawView({line}, {30.0f, 1000.0f, "um"});
    EXPECT_THAT(before.textStrings(), ElementsAre("L:2.000mm"));
    EXPECT_THAT(after.textStrings(), ElementsAre("L:4000.000um"));
    EXPECT_EQ(before.strokes()[0].pieces[0].points, after.strokes()[0].pieces[0].points);
}

TEST(DrawGraphit, ScalesMovePointsButNotRadii) {
    RQShape c = shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {150, 100}}, {3, {10, 20}}}, 50.0f);
    RecordingSurface s;
    drawGraphit(s, std::vector<RQShape>{c}, kDefault, 2.0f, 3.0f);
    EXPECT_EQ(s.strokes()[0].pieces[0].centre, (Point{200, 300}));
    EXPECT_EQ(s.strokes()[0].pieces[0].radius, 50.0);
    EXPECT_EQ(s.texts()[0].origin, (Point{20, 60}));
}

// --- image variant ------------------------------------------------------------

TEST(DrawShapes, RadiiComeFromTheScaledPoints) {
    // Stored radius 999 is ignored; the points are 50 apart, scaled by 2.
    RQShape r = shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {150, 100}}, {3, {10, 200}}}, 999.0f);
    RQShape d = shapeOf(kModeCircleDiameter, {{1, {100, 100}}, {2, {100, 160}}, {3, {10, 200}}}, 999.0f);
    RQShape t = shapeOf(kModeCircleThreePoints,
                        {{1, {15, 40}}, {2, {1, 1}}, {3, {1, 2}}, {4, {10, 200}}, {5, {60, 80}}}, 999.0f);
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{r, d, t}, kDefault, {}, 1600.0f, 1200.0f, 2.0f, 3.0f);
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_EQ(s.strokes()[0].pieces[0].centre, (Point{200, 300}));
    EXPECT_DOUBLE_EQ(s.strokes()[0].pieces[0].radius, 100.0);
    EXPECT_EQ(s.strokes()[1].pieces[0].centre, (Point{200, 390}));
    EXPECT_DOUBLE_EQ(s.strokes()[1].pieces[0].radius, 90.0);  // half of 60 * 3
    EXPECT_EQ(s.strokes()[2].pieces[0].centre, (Point{120, 240}));
    EXPECT_DOUBLE_EQ(s.strokes()[2].pieces[0].radius, 150.0);  // offset (45, 40) scaled to (90, 120)
}

TEST(DrawShapes, WidthsAndFontSizesStayUnscaled) {
    RQShape c = shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {150, 100}}, {3, {10, 200}}}, 50.0f);
    c.iLineWidth = 3;
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{c}, kDefault, {}, 1600.0f, 1200.0f, 2.0f, 2.0f);
    EXPECT_EQ(s.strokes()[0].lineWidth, 3.0);
    ASSERT_EQ(s.texts().size(), 3u);
    EXPECT_EQ(s.texts()[0].origin, (Point{20, 400}));
    EXPECT_EQ(s.texts()[1].origin, (Point{20, 384}));
    EXPECT_EQ(s.texts()[2].origin, (Point{20, 368}));
    EXPECT_EQ(s.texts()[0].fontSize, 16.0);
    EXPECT_THAT(s.textStrings(), ElementsAre("R:0.833mm", "C:5.236mm", "A:2.182mm\u00B2"));
}

TEST(DrawShapes, LineEndsAreScaled) {
    RQShape line = shapeOf(kModeLine, {{1, {100, 100}}, {2, {300, 100}}}, 200.0f);
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{line}, kDefault, {}, 1600.0f, 1200.0f, 2.0f, 2.0f);
    EXPECT_THAT(s.strokes()[0].pieces[0].points, ElementsAre(Point{200, 200}, Point{600, 200}));
}

TEST(DrawShapes, OverlayComesLastInTheViewStyle) {
    RQShape line = shapeOf(kModeLine, {{1, {10, 10}}, {2, {30, 10}}, {3, {40, 40}}}, 20.0f);
    const OverlaySetting overlay{kGridCrosshair, 0.0, 5, kGreen};
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{line}, kDefault, overlay, 800.0f, 600.0f, 1.0f, 1.0f);
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_EQ(s.strokes()[0].color, kPureRed);
    EXPECT_EQ(s.strokes()[1].color, kGreen);
    EXPECT_EQ(s.strokes()[1].lineWidth, 5.0);
    EXPECT_THAT(s.strokes()[1].pieces[0].points, ElementsAre(Point{0, 300}, Point{800, 300}));
    EXPECT_EQ(s.calls().back(), "stroke");
}

TEST(DrawShapes, EmptyListStillDrawsTheScaledOverlay) {
    const OverlaySetting overlay{kGridSquare, 100.0, 2, kPureRed};
    RecordingSurface s;
    drawShapes(s, {}, kDefault, overlay, 400.0f, 300.0f, 2.0f, 1.5f);
    ASSERT_EQ(s.strokes().size(), 1u);
    // Horizontal lines every 150 (pitch * 1.5), vertical every 200 (pitch * 2).
    std::vector<Point> starts;
    for (const PathPiece& p : s.strokes()[0].pieces) starts.push_back(p.points.front());
    EXPECT_THAT(starts, ElementsAre(Point{0, 150}, Point{200, 0}));
}

TEST(DrawShapes, NoOverlayForModeZeroOrAboveFour) {
    for (uint8_t mode : {0, 5, 200}) {
        RecordingSurface s;
        drawShapes(s, {}, kDefault, {mode, 50.0, 2, kPureRed}, 400.0f, 300.0f, 1.0f, 1.0f);
        EXPECT_THAT(s.calls(), IsEmpty());
    }
}

}  // namespace
}  // namespace lumetra
