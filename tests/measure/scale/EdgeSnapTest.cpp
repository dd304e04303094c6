#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "measure/scale/EdgeSnap.h"

namespace lumetra {
namespace {

// A blurred straight edge, dark on the side its normal points away from, through
// `origin` at `degrees` (the normal's angle), with a little noise.
Frame renderEdge(PixelPoint origin, double degrees, double blur, uint32_t seed) {
    Frame f = Frame::allocate(120, 120);
    const double a = degrees * 3.14159265358979323846 / 180.0;
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 1.5);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const double d = (x - origin.x) * std::cos(a) + (y - origin.y) * std::sin(a);
            const double value =
                60.0 + 140.0 * 0.5 * (1.0 + std::erf(d / (std::sqrt(2.0) * blur))) + noise(rng);
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
            p[3] = 255;
        }
    return f;
}

TEST(EdgeSnap, LandsOnEdgesAtSubPixelPositions) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> fraction(0.0, 1.0), miss(-3.0, 3.0);
    for (double degrees : {0.0, 17.0, 45.0, 90.0, 128.0, 200.0}) {
        for (double blur : {0.8, 1.5}) {
            const PixelPoint origin{60.0 + fraction(rng), 60.0 + fraction(rng)};
            const Frame picture = renderEdge(origin, degrees, blur, static_cast<uint32_t>(rng()));
            const double a = degrees * 3.14159265358979323846 / 180.0;
            // A click up to three pixels off the edge, anywhere along it.
            const double along = miss(rng) * 3.0, off = miss(rng);
            const PixelPoint click{origin.x - along * std::sin(a) + off * std::cos(a),
                                   origin.y + along * std::cos(a) + off * std::sin(a)};
            const auto snapped = snapToEdge(picture, click, 5.0);
            SCOPED_TRACE(testing::Message() << degrees << " deg, blur " << blur);
            ASSERT_TRUE(snapped);
            const double distance =
                (snapped->x - origin.x) * std::cos(a) + (snapped->y - origin.y) * std::sin(a);
            EXPECT_NEAR(distance, 0.0, 0.1);
            EXPECT_NEAR(std::hypot(snapped->x - click.x, snapped->y - click.y), std::abs(off),
                        0.15);
        }
    }
    // Too far from the edge, and on a flat picture: the click stays.
    const Frame picture = renderEdge({60.3, 60.0}, 0.0, 1.0, 1);
    // In view units, y up, over a view of half the frame's size.
    const auto inView = snapViewPointToEdge(picture, {31.0, 20.0}, 60.0, 60.0, 5.0);
    ASSERT_TRUE(inView);
    EXPECT_NEAR(inView->x, 30.15, 0.05);
    EXPECT_NEAR(inView->y, 20.0, 0.05);
    EXPECT_FALSE(snapToEdge(picture, {40.0, 60.0}, 5.0));
    EXPECT_FALSE(snapToEdge(picture, {130.0, 60.0}, 5.0));
}

}  // namespace
}  // namespace lumetra
