#include "measure/OverlayGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

std::vector<double> horizontalLineYs(const OverlayStroke& s) {
    std::vector<double> ys;
    for (const Segment& seg : s.segments) {
        if (seg.a.y == seg.b.y) ys.push_back(seg.a.y);
    }
    return ys;
}

std::vector<double> verticalLineXs(const OverlayStroke& s) {
    std::vector<double> xs;
    for (const Segment& seg : s.segments) {
        if (seg.a.x == seg.b.x) xs.push_back(seg.a.x);
    }
    return xs;
}

std::vector<double> radii(const OverlayGeometry& g) {
    std::vector<double> r;
    for (const OverlayStroke& s : g) {
        for (const Circle& c : s.circles) r.push_back(c.radius);
    }
    return r;
}

TEST(SquareGrid, LinesAtMultiplesOfThePitchInsideTheView) {
    const OverlayGeometry g = viewOverlay(kGridSquare, 100.0, 50.0, 20.0);
    ASSERT_EQ(g.size(), 1u);  // one stroke
    EXPECT_THAT(horizontalLineYs(g[0]), ElementsAre(20.0, 40.0));
    EXPECT_THAT(verticalLineXs(g[0]), ElementsAre(20.0, 40.0, 60.0, 80.0));
    EXPECT_EQ(g[0].segments.front(), (Segment{{0.0, 20.0}, {100.0, 20.0}}));
    EXPECT_EQ(g[0].segments.back(), (Segment{{80.0, 0.0}, {80.0, 50.0}}));
}

TEST(SquareGrid, NoLineOnTheEdges) {
    const OverlayGeometry g = viewOverlay(kGridSquare, 100.0, 100.0, 25.0);
    EXPECT_THAT(horizontalLineYs(g[0]), ElementsAre(25.0, 50.0, 75.0));
    EXPECT_THAT(verticalLineXs(g[0]), ElementsAre(25.0, 50.0, 75.0));
}

TEST(SquareGrid, ImageFormScalesVerticalLinesHorizontally) {
    const OverlayGeometry g = imageOverlay(kGridSquare, 200.0, 150.0, 20.0, 2.0, 3.0);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_THAT(verticalLineXs(g[0]), ElementsAre(40.0, 80.0, 120.0, 160.0));
    EXPECT_THAT(horizontalLineYs(g[0]), ElementsAre(60.0, 120.0));
    EXPECT_EQ(g[0].segments.front(), (Segment{{0.0, 60.0}, {200.0, 60.0}}));
}

TEST(CircleGrid, OnlyCirclesThatFitTheHeight) {
    const OverlayGeometry g = viewOverlay(kGridCircle, 640.0, 480.0, 100.0);
    ASSERT_EQ(g.size(), 2u);  // centre lines, then the circles together
    EXPECT_THAT(g[0].segments, ElementsAre(Segment{{0.0, 240.0}, {640.0, 240.0}},
                                           Segment{{320.0, 0.0}, {320.0, 480.0}}));
    EXPECT_THAT(radii(g), ElementsAre(100.0, 200.0));
    for (const Circle& c : g[1].circles) EXPECT_EQ(c.centre, (Point{320.0, 240.0}));
}

TEST(CircleGrid, ImageFormStrokesEachCircleAndUsesTheVerticalScale) {
    const OverlayGeometry g = imageOverlay(kGridCircle, 1280.0, 960.0, 100.0, 3.0, 2.0);
    ASSERT_EQ(g.size(), 3u);
    EXPECT_THAT(g[1].circles, ElementsAre(Circle{{640.0, 480.0}, 200.0}));
    EXPECT_THAT(g[2].circles, ElementsAre(Circle{{640.0, 480.0}, 400.0}));
}

TEST(Crosshair, TwoStrokesThroughTheCentreWhateverThePitch) {
    for (double pitch : {0.0, 1.0, 100.0}) {
        const OverlayGeometry g = viewOverlay(kGridCrosshair, 800.0, 600.0, pitch);
        ASSERT_EQ(g.size(), 2u);
        EXPECT_THAT(g[0].segments, ElementsAre(Segment{{0.0, 300.0}, {800.0, 300.0}}));
        EXPECT_THAT(g[1].segments, ElementsAre(Segment{{400.0, 0.0}, {400.0, 600.0}}));
        EXPECT_THAT(g[0].circles, IsEmpty());
    }
}

struct Tick {
    double pos;
    double half;
};

// The ticks on the horizontal axis (vertical segments crossing y = axisY),
// in drawing order.
std::vector<Tick> horizontalAxisTicks(const OverlayStroke& s, double axisY) {
    std::vector<Tick> ticks;
    for (const Segment& seg : s.segments) {
        const bool centreLine = seg.b.y - seg.a.y > 2 * 20.0;
        if (seg.a.x == seg.b.x && seg.a.y < axisY && seg.b.y > axisY && !centreLine) {
            ticks.push_back({seg.a.x, axisY - seg.a.y});
            EXPECT_DOUBLE_EQ(seg.b.y - axisY, axisY - seg.a.y);
        }
    }
    return ticks;
}

TEST(Scale, TicksStepOutwardAndStopAPitchFromTheEdge) {
    const OverlayGeometry g = viewOverlay(kGridScale, 600.0, 400.0, 10.0);
    ASSERT_EQ(g.size(), 1u);  // one stroke
    // Both centre lines are there.
    EXPECT_THAT(g[0].segments, testing::Contains(Segment{{0.0, 200.0}, {600.0, 200.0}}));
    EXPECT_THAT(g[0].segments, testing::Contains(Segment{{300.0, 0.0}, {300.0, 400.0}}));

    const std::vector<Tick> ticks = horizontalAxisTicks(g[0], 200.0);
    // Left: 300, 290, ..., 20 (29 ticks); right: 300, 310, ..., 580 (29 ticks).
    ASSERT_EQ(ticks.size(), 58u);
    for (int k = 0; k < 29; ++k) {
        EXPECT_DOUBLE_EQ(ticks[static_cast<size_t>(k)].pos, 300.0 - 10.0 * k);
        EXPECT_DOUBLE_EQ(ticks[static_cast<size_t>(29 + k)].pos, 300.0 + 10.0 * k);
    }
}

TEST(Scale, TickLengthsByDistanceFromTheCentre) {
    const OverlayGeometry g = viewOverlay(kGridScale, 600.0, 400.0, 10.0);
    const std::vector<Tick> ticks = horizontalAxisTicks(g[0], 200.0);
    const double expected[] = {5, 5, 5, 5, 5, 10, 5, 5, 5, 5, 20, 5, 5, 5, 5, 10,
                               5, 5, 5, 5, 20, 5, 5, 5, 5, 10, 5, 5, 5};
    for (int k = 0; k < 29; ++k) EXPECT_EQ(ticks[static_cast<size_t>(k)].half, expected[k]) << k;
}

TEST(Scale, VerticalAxisTicks) {
    const OverlayGeometry g = viewOverlay(kGridScale, 600.0, 400.0, 10.0);
    std::vector<double> ys;
    for (const Segment& seg : g[0].segments) {
        const bool centreLine = seg.b.x - seg.a.x > 2 * 20.0;
        if (seg.a.y == seg.b.y && seg.a.x < 300.0 && seg.b.x > 300.0 && !centreLine) {
            ys.push_back(seg.a.y);
        }
    }
    // Down: 200 ... 20 (19 ticks); up: 200 ... 380 (19 ticks).
    ASSERT_EQ(ys.size(), 38u);
    EXPECT_EQ(ys[18], 20.0);
    EXPECT_EQ(ys[37], 380.0);
}

TEST(Scale, ImageFormStepsByTheVerticalScaleInBothDirections) {
    const OverlayGeometry g = imageOverlay(kGridScale, 1200.0, 800.0, 10.0, 2.0, 4.0);
    const std::vector<Tick> ticks = horizontalAxisTicks(g[0], 400.0);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_DOUBLE_EQ(ticks[1].pos, 600.0 - 40.0);
    EXPECT_EQ(ticks[1].half, 5.0);  // tick lengths stay unscaled
}

TEST(ScaleTickHalfLength, Table) {
    EXPECT_EQ(scaleTickHalfLength(0), 5.0);
    EXPECT_EQ(scaleTickHalfLength(1), 5.0);
    EXPECT_EQ(scaleTickHalfLength(5), 10.0);
    EXPECT_EQ(scaleTickHalfLength(10), 20.0);
    EXPECT_EQ(scaleTickHalfLength(15), 10.0);
    EXPECT_EQ(scaleTickHalfLength(20), 20.0);
    EXPECT_EQ(scaleTickHalfLength(100), 20.0);
}

TEST(Overlay, ModesWithoutOverlayGiveNothing) {
    for (uint8_t mode : {0, 5, 255}) {
        EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, 10.0), IsEmpty());
        EXPECT_THAT(imageOverlay(mode, 800.0, 600.0, 10.0, 1.0, 1.0), IsEmpty());
    }
}

TEST(Overlay, UnusablePitchGivesNoGrid) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (uint8_t mode : {kGridSquare, kGridCircle, kGridScale}) {
        for (double pitch : {0.0, -10.0, nan, std::numeric_limits<double>::infinity()}) {
            EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, pitch), IsEmpty()) << int(mode);
        }
        EXPECT_THAT(imageOverlay(mode, 800.0, 600.0, 10.0, 0.0, 0.0), IsEmpty());
    }
}

TEST(Overlay, TinyPitchIsBounded) {
    const OverlayGeometry g = viewOverlay(kGridSquare, 800.0, 600.0, 1e-12);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_LE(g[0].segments.size(), 200000u);
}

}  // namespace
}  // namespace lumetra
