#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PointText.h"
#include "measure/ShapeRenderer.h"
#include "support/RecordingSurface.h"

using testing::IsEmpty;

namespace lumetra {
namespace {

using test::RecordingSurface;

const CalibrationValues kDefault{60.0f, 1.0f, "mm"};
constexpr RgbColor kGreen{0.0, 1.0, 0.0};

RQShape shapeOf(uint8_t type, const char* points, float fData1 = 0, uint8_t decimals = 3) {
    RQShape s;
    static_cast<PointSlots&>(s) = test::slotsOf(points);
    s.type = type;
    s.fData1 = fData1;
    s.iDecimal = decimals;
    return s;
}

RQShape markOf(uint8_t markClass, const char* points) {
    RQShape s = shapeOf(kModeCount, points);
    s.markClass = markClass;
    return s;
}

RecordingSurface drawView(const std::vector<RQShape>& shapes) {
    RecordingSurface s;
    drawGraphit(s, shapes, kDefault, 1.0f, 1.0f);
    return s;
}

TEST(DrawGraphit, OutlineAndLabelOfEveryShapeType) {
    const struct {
        RQShape shape;
        std::string outline;
        std::string labels;
    } cases[] = {
        {shapeOf(kModeLine, "1=10,10 2=730,10 3=50,60", 720, 0), "(10,10)(730,10)", "L:12mm"},
        {shapeOf(kModeLine, "1=10,10 2=730,10 3=50,60", 720), "(10,10)(730,10)", "L:12.000mm"},
        // Unset vertices are skipped; the line stays open.
        {shapeOf(kModeContinuousLine, "1=10,10 2=20,10 3=30,20 5=40,40 7=50,60 10=7,7", 120),
         "(10,10)(20,10)(30,20)(40,40)(50,60)", "L:2.000mm"},
        {shapeOf(kModeParallelLines, "1=10,10 2=110,10 3=50,70 4=50,10 5=9,9", 60),
         "(10,10)(110,10) (50,70)(50,10)", "L:1.000mm"},
        {shapeOf(kModeParallelLines, "1=10,10 2=110,10 5=9,9", 60), "(10,10)(110,10)", "L:1.000mm"},
        // Circles keep their stored radius, whatever their points say. The labels
        // use 6.283 and 3.1415, not 2 pi and pi (62.832, 314.159).
        {shapeOf(kModeCircleRadius, "1=100,100 2=130,100 3=9,9", 600), "O(100,100)r600",
         "R:10.000mm C:62.830mm A:314.150mm\u00B2"},
        {shapeOf(kModeCircleDiameter, "1=100,100 2=220,100 3=9,9", 600), "O(160,100)r300",
         "D:10.000mm C:31.415mm A:78.538mm\u00B2"},
        {shapeOf(kModeCircleThreePoints, "1=10,10 2=20,10 3=10,20 4=9,9 5=15,15", 60),
         "O(15,15)r60", "R:1.000mm C:6.283mm A:3.142mm\u00B2"},
        {shapeOf(kModeAngleThreePoints, "1=110,10 2=110,110 3=10,10 4=9,9", 45),
         "(110,10)(10,10)(110,110)", "<:45.000\u00B0"},
        {shapeOf(kModeAngleFourPoints, "1=10,10 2=110,10 3=50,50 4=110,110 5=9,9", 30),
         "(10,10)(110,10) | (50,50)(110,110)", "<:30.000\u00B0"},
        // Closed, ending at the first unset vertex.
        {shapeOf(kModePolygon, "1=10,10 2=110,10 3=110,110 4=10,110 6=500,500 10=9,9", 10000),
         "(10,10)(110,10)(110,110)(10,110)z", "A:2.778mm\u00B2"},
        // A mark: a ring in its class's colour, its class and running number beside.
        {markOf(2, "1=10,10"), "O(10,10)r6", "2\u00B71"},
        {shapeOf(13, "1=10,10 2=110,10 3=9,9", 5), "", ""},
    };
    for (const auto& c : cases) {
        const RecordingSurface s = drawView({c.shape});
        EXPECT_EQ(s.outline(), c.outline) << int(c.shape.type);
        EXPECT_EQ(s.labels(), c.labels) << int(c.shape.type);
    }
}

TEST(DrawGraphit, UnsetAnchorsDrawTheOutlineWithoutLabel) {
    // The anchor slot of each type left with x = 0; the four-point angle also
    // needs its fourth point for the label.
    const uint8_t types[] = {1, 2, 3, 4, 5, 6, 8, 9, 10};
    const int anchors[] = {3, 10, 5, 3, 3, 4, 4, 4, 10};
    for (size_t i = 0; i < std::size(types); ++i) {
        RQShape shape = shapeOf(types[i], "", 50.0f);
        for (int k = 1; k <= 10; ++k) shape.pt(k) = {10.0 * k, 20.0 + k};
        shape.pt(anchors[i]) = {0, 40};
        const RecordingSurface s = drawView({shape});
        EXPECT_FALSE(s.strokes().empty()) << int(types[i]);
        EXPECT_THAT(s.texts(), IsEmpty()) << int(types[i]);
    }
    RQShape text = shapeOf(kModeText, "1=0,30");
    text.textValue = "x";
    EXPECT_THAT(drawView({text}).calls(), IsEmpty());
}

TEST(DrawShapes, RadiiFromScaledPointsWhileWidthsAndFontsStayThenTheOverlay) {
    RQShape r = shapeOf(kModeCircleRadius, "1=100,100 2=150,100 3=10,200", 50);
    r.iLineWidth = 3;
    const std::vector<RQShape> shapes = {
        r,
        shapeOf(kModeCircleDiameter, "1=100,100 2=100,160", 999),
        shapeOf(kModeCircleThreePoints, "1=15,40 5=60,80", 999),
        shapeOf(kModeLine, "1=100,100 2=300,100", 200),
    };
    RecordingSurface s;
    drawShapes(s, shapes, kDefault, {kGridCrosshair, 0.0, 5, kGreen}, 1600.0f, 1200.0f, 2.0f, 3.0f);
    // The overlay comes last, in the view's style.
    EXPECT_EQ(s.outline(),
              "O(200,300)r100 | O(200,390)r90 | O(120,240)r150 | (200,300)(600,300) | "
              "(0,600)(1600,600) | (800,0)(800,1200)");
    EXPECT_EQ(s.strokes()[0].lineWidth, 3.0);
    EXPECT_EQ(s.strokes()[4].lineWidth, 5.0);
    // The label block at the scaled anchor, lines still 16 apart and 16 high,
    // values from fData1.
    ASSERT_EQ(s.texts().size(), 3u);
    EXPECT_EQ(s.texts()[0].text, "R:0.833mm");
    EXPECT_EQ(std::pair(s.texts()[1].origin, s.texts()[2].fontSize),
              std::pair(Point{20, 584}, 16.0));
}

}  // namespace
}  // namespace lumetra
