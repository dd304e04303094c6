#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "measure/RQUtility.h"

namespace lumetra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(RQUtility, DistanceRoundsTheSumToFloatBeforeTheRoot) {
    EXPECT_EQ(RQUtility::distance({100, 100}, {160, 180}), 100.0f);
    // A double root rounded to float would give 4099.17627.
    EXPECT_EQ(RQUtility::distance({0, 0}, {4099, 38}), 4099.17578f);
}

TEST(RQUtility, TruncateGoesTowardZeroAndSaturates) {
    const std::pair<double, int32_t> cases[] = {{2.9, 2},     {-2.9, -2},    {kNaN, 0},
                                                {1e12, kMax}, {-1e12, kMin}, {kInf, kMax}};
    for (const auto& [in, out] : cases) EXPECT_EQ(RQUtility::truncate(in), out) << in;
}

TEST(RQUtility, PerpendicularFoot) {
    struct Case {
        Point p, start, end, foot;
    };
    const Case cases[] = {
        {{5, 10}, {0, 0}, {10, 0}, {5, 0}},
        {{0, 10}, {0, 0}, {10, 10}, {5, 5}},
        // No line: equal ends, or ends that truncate to the same integer point.
        {{50, 60}, {10, 10}, {10, 10}, {10, 10}},
        {{50, 60}, {1.2, 1.5}, {1.7, 1.9}, {1.2, 1.5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RQUtility::perpendicular(c.p, c.start, c.end), c.foot) << c.p.x << "," << c.p.y;
}

TEST(RQUtility, CocircleRadiusFromTheTruncatedFirstPointAndCentre) {
    // Centre (5.5, 5.5): the radius uses the offset (5, 5), sqrt(50) not sqrt(60.5).
    const CircleRect off = RQUtility::cocircle(0, 0, 11, 0, 0, 11);
    EXPECT_EQ(off.origin, (Point{5.5, 5.5}));
    EXPECT_EQ(off.width, static_cast<double>(static_cast<float>(std::sqrt(50.0))));

    // Collinear, two equal, all equal: an empty circle.
    EXPECT_EQ(RQUtility::cocircle(0, 0, 10, 10, 20, 20), CircleRect{});
    EXPECT_EQ(RQUtility::cocircle(0, 0, 0, 0, 5, 7), CircleRect{});
    EXPECT_EQ(RQUtility::cocircle(3, 3, 3, 3, 3, 3), CircleRect{});
}

TEST(RQUtility, PolygonArea) {
    const std::pair<std::vector<Point>, double> cases[] = {
        {{{10, 10}, {110, 10}, {110, 110}, {10, 110}}, 10000.0},
        {{{0, 10}, {10, 10}, {10, 0}, {0, 0}}, 100.0},  // clockwise
        {{{1, 1}, {5, 5}}, 0.0},
        {{}, 0.0},
    };
    for (const auto& [points, area] : cases)
        EXPECT_DOUBLE_EQ(RQUtility::intPolygonAreaCalc(points), area) << points.size();
}

struct AngleCase {
    const char* what;
    int32_t x1, y1, x2, y2, x3, y3, x4, y4;
    float degrees;
};

float angleOf(const AngleCase& c) {
    return RQUtility::calcAngle(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4);
}

TEST(RQUtility, AnglesBetweenCrossingLines) {
    const AngleCase cases[] = {
        // Three points: line 1 from p1 to the vertex, line 2 from the vertex to p2.
        {"three points, 90", 10, 0, 0, 0, 0, 0, 0, 10, 90.0f},
        {"three points, 45", 10, 0, 0, 0, 0, 0, 10, 10, 45.0f},
        // Four points: line 1 p1 to p2, line 2 p4 to p3, meeting at (0, 0).
        {"four points, 45", 0, 0, 10, 0, 10, 10, 5, 5, 45.0f},
    };
    for (const AngleCase& c : cases) EXPECT_NEAR(angleOf(c), c.degrees, 1e-4) << c.what;
    // Degrees use the divisor 3.1415926; full-precision pi would give 63.434948.
    EXPECT_EQ(RQUtility::calcAngle(100, 0, 0, 0, 0, 0, 1, 2), 63.4349518f);
}

TEST(RQUtility, AnglesWithoutAnIntersectionGiveFixedResults) {
    const AngleCase cases[] = {
        {"horizontal, x2 < x1 < x4", 5, 0, 0, 0, 0, 10, 10, 10, 180.0f},
        {"horizontal, x1 < x2", 0, 0, 5, 0, 0, 10, 10, 10, 0.0f},
        {"equal slopes", 0, 0, 10, 10, 0, 5, 10, 15, 0.0f},
        {"vertical, y2 < y1 < y4", 0, 5, 0, 0, 10, 0, 10, 10, 180.0f},
        {"vertical, y1 < y2", 0, 0, 0, 5, 10, 0, 10, 10, 0.0f},
        {"first arm of length 0", 0, 0, 0, 0, 0, 0, 10, 5, 0.0f},
        // Rounding pushes the cosine to 1.00000012; the clamp keeps the result 0.
        {"cosine above 1", 106, 1105, 712, 450, 524, 1289, 1129, 635, 0.0f},
    };
    for (const AngleCase& c : cases) EXPECT_EQ(angleOf(c), c.degrees) << c.what;

    const float extreme = RQUtility::calcAngle(kMin, kMin, kMax, kMax - 1, kMin, 0, kMax, 1);
    EXPECT_TRUE(extreme >= 0.0f && extreme <= 180.0f) << extreme;
}

}  // namespace
}  // namespace lumetra
