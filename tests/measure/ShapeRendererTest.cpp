#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "measure/ShapeRenderer.h"
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

RQShape shapeOf(uint8_t type, std::initializer_list<std::pair<int, Point>> points,
                float fData1 = 0) {
    RQShape s;
    s.type = type;
    for (const auto& [slot, p] : points) s.pt(slot) = p;
    s.fData1 = fData1;
    return s;
}

RecordingSurface drawView(const std::vector<RQShape>& shapes,
                          const CalibrationValues& cal = kDefault) {
    RecordingSurface s;
    drawGraphit(s, shapes, cal, 1.0f, 1.0f);
    return s;
}

const PathPiece& piece(const RecordingSurface& s, size_t stroke, size_t index = 0) {
    return s.strokes().at(stroke).pieces.at(index);
}

TEST(DrawGraphit, LineInItsOwnStyleWithLabelAtTheAnchor) {
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
    EXPECT_THAT(piece(s, 0).points, ElementsAre(Point{10, 10}, Point{730, 10}));
    ASSERT_EQ(s.texts().size(), 1u);
    const test::RecordedText& t = s.texts()[0];
    EXPECT_EQ(t.text, "L:12mm");
    EXPECT_EQ(t.origin, (Point{50, 60}));
    EXPECT_EQ(t.fontFamily, "Arial");
    EXPECT_EQ(t.fontSize, 20.0);
    EXPECT_EQ(t.color, kGrey);
}

TEST(DrawGraphit, UnsetAnchorsDrawTheOutlineWithoutLabel) {
    // (type, anchor slot); the anchor is left at x = 0 or y = 0.
    const std::pair<uint8_t, int> cases[] = {{kModeLine, 3},
                                             {kModeContinuousLine, 10},
                                             {kModeParallelLines, 5},
                                             {kModeCircleRadius, 3},
                                             {kModeCircleDiameter, 3},
                                             {kModeCircleThreePoints, 4},
                                             {kModeAngleThreePoints, 4},
                                             {kModePolygon, 10}};
    for (const auto& [type, anchor] : cases) {
        RQShape s = shapeOf(type, {}, 50.0f);
        for (int k = 1; k <= 10; ++k) s.pt(k) = {10.0 * k, 20.0 + k};
        s.pt(anchor) = {0, 40};
        const RecordingSurface r = drawView({s});
        EXPECT_EQ(r.strokes().size(), 1u) << int(type);
        EXPECT_THAT(r.texts(), IsEmpty()) << int(type);
    }
    // The four-point angle also needs its fourth point for the label.
    RQShape angle =
        shapeOf(kModeAngleFourPoints,
                {{1, {10, 10}}, {2, {100, 10}}, {3, {50, 50}}, {4, {100, 0}}, {5, {70, 20}}}, 45);
    EXPECT_THAT(drawView({angle}).texts(), IsEmpty());
}

TEST(DrawGraphit, ContinuousLineSkipsUnsetVerticesAndStaysOpen) {
    const RecordingSurface s = drawView({shapeOf(
        kModeContinuousLine,
        {{1, {10, 10}}, {2, {20, 10}}, {3, {30, 20}}, {5, {40, 40}}, {7, {50, 60}}, {10, {70, 70}}},
        120.0f)});
    EXPECT_THAT(piece(s, 0).points, ElementsAre(Point{10, 10}, Point{20, 10}, Point{30, 20},
                                                Point{40, 40}, Point{50, 60}));
    EXPECT_FALSE(piece(s, 0).closed);
    EXPECT_THAT(s.textStrings(), ElementsAre("L:2.000mm"));
}

TEST(DrawGraphit, ParallelLinesAddTheFootSegmentToTheSameStroke) {
    RQShape pl = shapeOf(
        kModeParallelLines,
        {{1, {10, 10}}, {2, {110, 10}}, {3, {50, 70}}, {4, {50, 10}}, {5, {80, 80}}}, 60.0f);
    RecordingSurface s = drawView({pl});
    ASSERT_EQ(s.strokes().size(), 1u);
    EXPECT_THAT(piece(s, 0, 1).points, ElementsAre(Point{50, 70}, Point{50, 10}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm"));
    pl.pt4thPoint = {};
    EXPECT_EQ(drawView({pl}).strokes().at(0).pieces.size(), 1u);
}

TEST(DrawGraphit, CirclesUseTheStoredRadiusAndAThreeLineBlock) {
    // The points are 30 apart while fData1 says 60: the view keeps 60.
    const RecordingSurface s = drawView({
        shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {130, 100}}, {3, {200, 300}}}, 60.0f),
        shapeOf(kModeCircleDiameter, {{1, {100, 100}}, {2, {220, 100}}}, 120.0f),
        shapeOf(kModeCircleThreePoints,
                {{1, {10, 10}}, {2, {20, 10}}, {3, {10, 20}}, {5, {15, 15}}}, 60.0f),
    });
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_TRUE(piece(s, 0).isCircle());
    EXPECT_EQ(piece(s, 0).centre, (Point{100, 100}));
    EXPECT_EQ(piece(s, 0).radius, 60.0);
    EXPECT_EQ(piece(s, 1).centre, (Point{160, 100}));  // midpoint
    EXPECT_EQ(piece(s, 1).radius, 60.0);
    EXPECT_EQ(piece(s, 2).centre, (Point{15, 15}));
    EXPECT_EQ(piece(s, 2).radius, 60.0);

    EXPECT_THAT(s.textStrings(), ElementsAre("R:1.000mm", "C:6.283mm", "A:3.142mm\u00B2"));
    // The block stacks downward, one font size apart.
    EXPECT_THAT((std::vector<Point>{s.texts()[0].origin, s.texts()[1].origin, s.texts()[2].origin}),
                ElementsAre(Point{200, 300}, Point{200, 284}, Point{200, 268}));
}

TEST(DrawGraphit, AngleOutlines) {
    const RecordingSurface s = drawView(
        {shapeOf(kModeAngleThreePoints,
                 {{1, {110, 10}}, {2, {110, 110}}, {3, {10, 10}}, {4, {150, 50}}}, 45.0f),
         shapeOf(kModeAngleFourPoints,
                 {{1, {10, 10}}, {2, {100, 10}}, {3, {50, 50}}, {4, {100, 100}}, {5, {120, 20}}},
                 30.0f)},
        {2.0f, 5.0f, "um"});
    ASSERT_EQ(s.strokes().size(), 3u);  // the four-point angle strokes each line by itself
    EXPECT_THAT(piece(s, 0).points, ElementsAre(Point{110, 10}, Point{10, 10}, Point{110, 110}));
    EXPECT_THAT(piece(s, 1).points, ElementsAre(Point{10, 10}, Point{100, 10}));
    EXPECT_THAT(piece(s, 2).points, ElementsAre(Point{50, 50}, Point{100, 100}));
    EXPECT_THAT(s.textStrings(), ElementsAre("<:45.000\u00B0", "<:30.000\u00B0"));
}

TEST(DrawGraphit, PolygonIsClosedAndEndsAtTheFirstUnsetVertex) {
    const RecordingSurface s = drawView({shapeOf(kModePolygon,
                                                 {{1, {10, 10}},
                                                  {2, {110, 10}},
                                                  {3, {110, 110}},
                                                  {4, {10, 110}},
                                                  {6, {500, 500}},
                                                  {10, {60, 60}}},
                                                 10000.0f),
                                         shapeOf(kModePolygon, {{1, {10, 10}}, {2, {20, 20}}})});
    EXPECT_THAT(piece(s, 0).points,
                ElementsAre(Point{10, 10}, Point{110, 10}, Point{110, 110}, Point{10, 110}));
    EXPECT_TRUE(piece(s, 0).closed);
    EXPECT_TRUE(piece(s, 1).closed);
    EXPECT_THAT(s.textStrings(), ElementsAre("A:2.778mm\u00B2"));
}

TEST(DrawGraphit, TextShapeDrawsOnlyItsText) {
    RQShape t = shapeOf(kModeText, {{1, {40, 30}}});
    t.textValue = "Sample 7 \u00B5m";
    t.ctrFColor = kGreen;
    t.iFontSize = 24;
    const RecordingSurface s = drawView({t});
    EXPECT_THAT(s.strokes(), IsEmpty());
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, t.textValue);
    EXPECT_EQ(s.texts()[0].origin, (Point{40, 30}));
    EXPECT_EQ(s.texts()[0].fontSize, 24.0);
    EXPECT_EQ(s.texts()[0].color, kGreen);

    t.pt1stPoint = {0, 30};
    EXPECT_THAT(drawView({t}).calls(), IsEmpty());
}

TEST(DrawGraphit, UnknownTypesAndEmptyListsDrawNothing) {
    EXPECT_THAT(drawView({}).calls(), IsEmpty());
    for (uint8_t type : {0, 7, 12, 255}) {
        EXPECT_THAT(
            drawView({shapeOf(type, {{1, {10, 10}}, {2, {20, 20}}, {3, {30, 30}}}, 5)}).calls(),
            IsEmpty());
    }
}

TEST(DrawGraphit, ListOrderAndCurrentCalibration) {
    RQShape first = shapeOf(kModeLine, {{1, {10, 10}}, {2, {130, 10}}, {3, {5, 5}}}, 120.0f);
    RQShape second = shapeOf(kModeLine, {{1, {3, 3}}, {2, {4, 4}}}, 1.0f);
    second.ctrLColor = kGreen;
    const RecordingSurface before = drawView({first, second});
    ASSERT_EQ(before.strokes().size(), 2u);
    EXPECT_EQ(before.strokes()[0].color, kPureRed);
    EXPECT_EQ(before.strokes()[1].color, kGreen);
    EXPECT_THAT(before.textStrings(), ElementsAre("L:2.000mm"));
    // Another calibration relabels the shape; its outline stays.
    const RecordingSurface after = drawView({first, second}, {30.0f, 1000.0f, "um"});
    EXPECT_THAT(after.textStrings(), ElementsAre("L:4000.000um"));
    EXPECT_EQ(piece(after, 0).points, piece(before, 0).points);
}

TEST(DrawShapes, RadiiFromScaledPointsWhileWidthsAndFontsStay) {
    // fData1 999 is ignored; the radius comes from the scaled points.
    RQShape r =
        shapeOf(kModeCircleRadius, {{1, {100, 100}}, {2, {150, 100}}, {3, {10, 200}}}, 50.0f);
    r.iLineWidth = 3;
    RQShape d = shapeOf(kModeCircleDiameter, {{1, {100, 100}}, {2, {100, 160}}}, 999.0f);
    RQShape t = shapeOf(kModeCircleThreePoints, {{1, {15, 40}}, {5, {60, 80}}}, 999.0f);
    RQShape line = shapeOf(kModeLine, {{1, {100, 100}}, {2, {300, 100}}}, 200.0f);
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{r, d, t, line}, kDefault, {}, 1600.0f, 1200.0f, 2.0f, 3.0f);
    ASSERT_EQ(s.strokes().size(), 4u);
    EXPECT_EQ(piece(s, 0).centre, (Point{200, 300}));
    EXPECT_DOUBLE_EQ(piece(s, 0).radius, 100.0);
    EXPECT_EQ(s.strokes()[0].lineWidth, 3.0);
    EXPECT_EQ(piece(s, 1).centre, (Point{200, 390}));
    EXPECT_DOUBLE_EQ(piece(s, 1).radius, 90.0);   // half of 60 * 3
    EXPECT_DOUBLE_EQ(piece(s, 2).radius, 150.0);  // offset (45, 40) scaled to (90, 120)
    EXPECT_THAT(piece(s, 3).points, ElementsAre(Point{200, 300}, Point{600, 300}));
    // Labels at the scaled anchor, still 16 apart and 16 high, values from fData1.
    ASSERT_EQ(s.texts().size(), 3u);
    EXPECT_EQ(s.texts()[0].origin, (Point{20, 600}));
    EXPECT_EQ(s.texts()[1].origin, (Point{20, 584}));
    EXPECT_EQ(s.texts()[2].fontSize, 16.0);
    EXPECT_EQ(s.texts()[0].text, "R:0.833mm");
}

TEST(DrawShapes, OverlayLastInTheViewStyleEvenWithoutShapes) {
    const RQShape line = shapeOf(kModeLine, {{1, {10, 10}}, {2, {30, 10}}}, 20.0f);
    RecordingSurface s;
    drawShapes(s, std::vector<RQShape>{line}, kDefault, {kGridCrosshair, 0.0, 5, kGreen}, 800, 600,
               1, 1);
    ASSERT_EQ(s.strokes().size(), 3u);
    EXPECT_EQ(s.strokes()[1].color, kGreen);
    EXPECT_EQ(s.strokes()[1].lineWidth, 5.0);
    EXPECT_THAT(piece(s, 1).points, ElementsAre(Point{0, 300}, Point{800, 300}));

    RecordingSurface grid;
    drawShapes(grid, {}, kDefault, {kGridSquare, 100.0, 2, kPureRed}, 400.0f, 300.0f, 2.0f, 1.5f);
    ASSERT_EQ(grid.strokes().size(), 1u);  // lines every 150 across, every 200 up
    EXPECT_THAT(piece(grid, 0, 0).points, ElementsAre(Point{0, 150}, Point{400, 150}));
    EXPECT_THAT(piece(grid, 0, 1).points, ElementsAre(Point{200, 0}, Point{200, 300}));

    for (uint8_t mode : {0, 5, 200}) {
        RecordingSurface none;
        drawShapes(none, {}, kDefault, {mode, 50.0, 2, kPureRed}, 400.0f, 300.0f, 1.0f, 1.0f);
        EXPECT_THAT(none.calls(), IsEmpty());
    }
}

}  // namespace
}  // namespace lumetra
