#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "measure/OverlayGeometry.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

// Positions of the full-length lines of a stroke: horizontal ones by y, vertical ones by x.
std::vector<double> lineYs(const OverlayStroke& s) {
    std::vector<double> v;
    for (const Segment& g : s.segments) {
        if (g.a.y == g.b.y) v.push_back(g.a.y);
    }
    return v;
}
std::vector<double> lineXs(const OverlayStroke& s) {
    std::vector<double> v;
    for (const Segment& g : s.segments) {
        if (g.a.x == g.b.x) v.push_back(g.a.x);
    }
    return v;
}

// Scale ticks across the horizontal axis at axisY: (x, half length) in drawing order.
std::vector<std::pair<double, double>> ticksOnHorizontalAxis(const OverlayStroke& s, double axisY) {
    std::vector<std::pair<double, double>> ticks;
    for (const Segment& g : s.segments) {
        const double half = (g.b.y - g.a.y) / 2;
        if (g.a.x == g.b.x && half <= 20.0 && g.a.y + half == axisY)
            ticks.emplace_back(g.a.x, half);
    }
    return ticks;
}

TEST(SquareGrid, OneStrokeOfLinesInsideTheEdges) {
    const OverlayGeometry g = viewOverlay(kGridSquare, 100.0, 50.0, 25.0);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_THAT(lineYs(g[0]), ElementsAre(25.0));  // not 0, not 50
    EXPECT_THAT(lineXs(g[0]), ElementsAre(25.0, 50.0, 75.0));
    EXPECT_EQ(g[0].segments.front(), (Segment{{0.0, 25.0}, {100.0, 25.0}}));
    EXPECT_EQ(g[0].segments.back(), (Segment{{75.0, 0.0}, {75.0, 50.0}}));
}

TEST(SquareGrid, ImageFormScalesVerticalLinesByXAndTheRestByY) {
    const OverlayGeometry g = imageOverlay(kGridSquare, 200.0, 150.0, 20.0, 2.0, 3.0);
    EXPECT_THAT(lineXs(g.at(0)), ElementsAre(40.0, 80.0, 120.0, 160.0));
    EXPECT_THAT(lineYs(g.at(0)), ElementsAre(60.0, 120.0));
}

TEST(CircleGrid, CentreLinesThenCirclesThatFitTheHeight) {
    const OverlayGeometry g = viewOverlay(kGridCircle, 640.0, 480.0, 100.0);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_THAT(g[0].segments, ElementsAre(Segment{{0.0, 240.0}, {640.0, 240.0}},
                                           Segment{{320.0, 0.0}, {320.0, 480.0}}));
    // 300 is not below 480 - 300.
    EXPECT_THAT(g[1].circles,
                ElementsAre(Circle{{320.0, 240.0}, 100.0}, Circle{{320.0, 240.0}, 200.0}));

    const OverlayGeometry image = imageOverlay(kGridCircle, 1280.0, 960.0, 100.0, 3.0, 2.0);
    ASSERT_EQ(image.size(), 3u);  // each circle stroked apart, radii by the vertical scale
    EXPECT_THAT(image[1].circles, ElementsAre(Circle{{640.0, 480.0}, 200.0}));
    EXPECT_THAT(image[2].circles, ElementsAre(Circle{{640.0, 480.0}, 400.0}));
}

TEST(Crosshair, TwoStrokesWhateverThePitch) {
    for (double pitch : {0.0, 100.0}) {
        const OverlayGeometry g = viewOverlay(kGridCrosshair, 800.0, 600.0, pitch);
        ASSERT_EQ(g.size(), 2u);
        EXPECT_THAT(g[0].segments, ElementsAre(Segment{{0.0, 300.0}, {800.0, 300.0}}));
        EXPECT_THAT(g[1].segments, ElementsAre(Segment{{400.0, 0.0}, {400.0, 600.0}}));
    }
}

TEST(Scale, TicksStepOutwardWithLengthsByCount) {
    const OverlayGeometry g = viewOverlay(kGridScale, 600.0, 400.0, 10.0);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_THAT(g[0].segments, testing::Contains(Segment{{0.0, 200.0}, {600.0, 200.0}}));
    EXPECT_THAT(g[0].segments, testing::Contains(Segment{{300.0, 0.0}, {300.0, 400.0}}));

    const auto ticks = ticksOnHorizontalAxis(g[0], 200.0);
    // Left 300, 290, ..., 20 (x stays above the pitch), then right 300, ..., 580.
    ASSERT_EQ(ticks.size(), 58u);
    const double halves[] = {5,  5, 5, 5, 5, 10, 5, 5, 5, 5, 20, 5, 5, 5, 5,
                             10, 5, 5, 5, 5, 20, 5, 5, 5, 5, 10, 5, 5, 5};
    for (size_t k = 0; k < 29; ++k) {
        EXPECT_EQ(ticks[k], std::make_pair(300.0 - 10.0 * k, halves[k])) << k;
        EXPECT_EQ(ticks[29 + k].first, 300.0 + 10.0 * k);
    }
    // Vertical axis: 200 ... 20 going down, 200 ... 380 going up, 19 each.
    size_t acrossVertical = 0;
    for (const Segment& s : g[0].segments)
        acrossVertical += s.a.y == s.b.y && s.b.x - s.a.x <= 40.0;
    EXPECT_EQ(acrossVertical, 38u);
}

TEST(Scale, ImageFormStepsByTheVerticalScaleBothWays) {
    const auto ticks =
        ticksOnHorizontalAxis(imageOverlay(kGridScale, 1200.0, 800.0, 10.0, 2.0, 4.0).at(0), 400.0);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_EQ(ticks[1], std::make_pair(560.0, 5.0));  // tick lengths stay unscaled
}

TEST(Overlay, NothingForOtherModesOrAnUnusablePitch) {
    for (uint8_t mode : {0, 5, 255}) EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, 10.0), IsEmpty());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (uint8_t mode : {kGridSquare, kGridCircle, kGridScale}) {
        for (double pitch : {0.0, -10.0, nan, std::numeric_limits<double>::infinity()}) {
            EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, pitch), IsEmpty()) << int(mode);
        }
        EXPECT_THAT(imageOverlay(mode, 800.0, 600.0, 10.0, 0.0, 0.0), IsEmpty());
    }
    // A tiny positive pitch ends all the same.
    EXPECT_LE(viewOverlay(kGridSquare, 800.0, 600.0, 1e-12).at(0).segments.size(), 200000u);
}

}  // namespace
}  // namespace lumetra
