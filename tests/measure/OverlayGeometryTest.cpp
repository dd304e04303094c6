#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"
#include "support/RecordingSurface.h"

using testing::IsEmpty;

namespace lumetra {
namespace {

std::string outline(const OverlayGeometry& g) {
    test::RecordingSurface s;
    drawOverlay(s, g, 2.0, kPureRed);
    return s.outline();
}

TEST(OverlayGeometry, GridsAndCrosshairInsideTheEdges) {
    const std::pair<OverlayGeometry, std::string> cases[] = {
        // Square grid: no lines on the edges. On a bitmap the vertical lines step
        // by the x scale, the rest by the y scale.
        {viewOverlay(kGridSquare, 100, 50, 25),
         "(0,25)(100,25) (25,0)(25,50) (50,0)(50,50) (75,0)(75,50)"},
        {imageOverlay(kGridSquare, 100, 90, 20, 2, 3),
         "(0,60)(100,60) (40,0)(40,90) (80,0)(80,90)"},
        // Circle grid: centre lines, then the circles that fit the height (300 is
        // not below 480 - 300); on a bitmap each circle is a stroke of its own.
        {viewOverlay(kGridCircle, 640, 480, 100),
         "(0,240)(640,240) (320,0)(320,480) | O(320,240)r100 O(320,240)r200"},
        {viewOverlay(kGridCircle, 640, 400, 100),
         "(0,200)(640,200) (320,0)(320,400) | O(320,200)r100"},
        {imageOverlay(kGridCircle, 1280, 960, 100, 3, 2),
         "(0,480)(1280,480) (640,0)(640,960) | O(640,480)r200 | O(640,480)r400"},
        {viewOverlay(kGridCrosshair, 800, 600, 0), "(0,300)(800,300) | (400,0)(400,600)"},
        {{}, ""},
    };
    for (const auto& [geometry, expected] : cases) EXPECT_EQ(outline(geometry), expected);
}

TEST(OverlayGeometry, ScaleTicksStepOutwardWithLengthsByCount) {
    const OverlayGeometry g = viewOverlay(kGridScale, 600.0, 400.0, 10.0);
    ASSERT_EQ(g.size(), 1u);
    // Ticks across the horizontal axis as (x, half length), in drawing order:
    // left 300, 290, ..., 20 (x stays above the pitch), then right 300, ..., 580.
    std::vector<std::pair<double, double>> ticks;
    for (const Segment& s : g[0].segments)
        if (s.a.x == s.b.x && s.b.y - s.a.y <= 40.0) ticks.emplace_back(s.a.x, (s.b.y - s.a.y) / 2);
    ASSERT_EQ(ticks.size(), 58u);
    for (size_t k = 0; k < 29; ++k) {
        const double half = k == 10 || k == 20 ? 20.0 : k % 10 == 5 ? 10.0 : 5.0;
        EXPECT_EQ(ticks[k], std::make_pair(300.0 - 10.0 * k, half)) << k;
        EXPECT_EQ(ticks[29 + k], std::make_pair(300.0 + 10.0 * k, half)) << k;
    }
}

TEST(OverlayGeometry, NothingForOtherModesOrAnUnusablePitch) {
    for (uint8_t mode : {0, 5, 255}) EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, 10.0), IsEmpty());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (uint8_t mode : {kGridSquare, kGridCircle, kGridScale}) {
        for (double pitch : {0.0, -10.0, nan, std::numeric_limits<double>::infinity()})
            EXPECT_THAT(viewOverlay(mode, 800.0, 600.0, pitch), IsEmpty()) << int(mode);
        EXPECT_THAT(imageOverlay(mode, 800.0, 600.0, 10.0, 0.0, 0.0), IsEmpty());
    }
    // A tiny positive pitch ends all the same.
    EXPECT_LE(viewOverlay(kGridSquare, 800.0, 600.0, 1e-12).at(0).segments.size(), 200000u);
}

}  // namespace
}  // namespace lumetra
