#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "measure/RQUtility.h"

namespace lumetra {
namespace {

// ---- distance -------------------------------------------------------------

TEST(RQUtilityDistance, WholeNumberTriangleIsExact) {
    EXPECT_EQ(RQUtility::distance({100, 100}, {160, 180}), 100.0f);
    EXPECT_EQ(RQUtility::distance({160, 180}, {100, 100}), 100.0f);
    EXPECT_EQ(RQUtility::distance({5, 5}, {5, 5}), 0.0f);
}

TEST(RQUtilityDistance, SumIsRoundedToFloatBeforeAFloatRoot) {
    // A double root rounded to float would give 4099.17627.
    EXPECT_EQ(RQUtility::distance({0, 0}, {4099, 38}), 4099.17578f);
}

// ---- truncate -------------------------------------------------------------

TEST(RQUtilityTruncate, ConvertsTowardZeroAndSaturates) {
    struct Case {
        double in;
        int32_t out;
    };
    const Case cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {1e12, std::numeric_limits<int32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RQUtility::truncate(c.in), c.out) << c.in;
    }
}

// ---- perpendicular --------------------------------------------------------

// Projection factors that are exact in float, so the feet are exact.
TEST(RQUtilityPerpendicular, FootOnWholeNumberLines) {
    struct Case {
        Point p, s, e, foot;
    };
    const Case cases[] = {
        {{5, 10}, {0, 0}, {10, 0}, {5, 0}},         // horizontal base
        {{7.5, 0}, {0, 0}, {10, 0}, {7.5, 0}},      // P on the line gives P
        {{3, 5}, {0, 0}, {0, 10}, {0, 5}},          // vertical base
        {{0, 10}, {0, 0}, {10, 10}, {5, 5}},        // diagonal base
        {{20, 5}, {0, 0}, {10, 0}, {20, 0}},        // foot beyond the end
        {{60, 60}, {110, 10}, {10, 10}, {60, 10}},  // as the parallel-lines tool calls it
    };
    for (const Case& c : cases) {
        const Point foot = RQUtility::perpendicular(c.p, c.s, c.e);
        EXPECT_EQ(foot, c.foot) << c.p.x << "," << c.p.y;
    }
}

TEST(RQUtilityPerpendicular, LengthFromTruncatedEndsProjectionFromExactOnes) {
    // |S E| is taken as 10 (10.5 truncated), the projection factor from 10.5:
    // t = 52.5 / 100 in float, so the foot lands at 0.525 * 10.5, not at 5.
    const Point foot = RQUtility::perpendicular({5, 3}, {0, 0}, {10.5, 0});
    EXPECT_DOUBLE_EQ(foot.x, static_cast<double>(0.525f) * 10.5);
    EXPECT_DOUBLE_EQ(foot.y, 0.0);
}

TEST(RQUtilityPerpendicular, NoBaseLineGivesTheStartPoint) {
    // Equal ends, and ends that truncate to the same integer point.
    EXPECT_EQ(RQUtility::perpendicular({50, 60}, {10, 10}, {10, 10}), (Point{10, 10}));
    EXPECT_EQ(RQUtility::perpendicular({50, 60}, {1.2, 1.5}, {1.7, 1.9}), (Point{1.2, 1.5}));
}

// ---- cocircle -------------------------------------------------------------

TEST(RQUtilityCocircle, CentreAndRadius) {
    const CircleRect c = RQUtility::cocircle(0, 0, 10, 0, 0, 10);
    EXPECT_DOUBLE_EQ(c.origin.x, 5.0);
    EXPECT_DOUBLE_EQ(c.origin.y, 5.0);
    EXPECT_EQ(c.width, static_cast<double>(std::sqrt(50.0f)));
    EXPECT_EQ(c.height, c.width);
}

TEST(RQUtilityCocircle, RadiusFromTruncatedFirstPointAndCentre) {
    // Centre (5.5, 5.5): the radius uses the offset (0 - 5, 0 - 5), so it is
    // sqrt(50) rather than the true sqrt(60.5).
    const CircleRect c = RQUtility::cocircle(0, 0, 11, 0, 0, 11);
    EXPECT_DOUBLE_EQ(c.origin.x, 5.5);
    EXPECT_DOUBLE_EQ(c.origin.y, 5.5);
    EXPECT_EQ(c.width, static_cast<double>(static_cast<float>(std::sqrt(50.0))));
}

TEST(RQUtilityCocircle, DegeneratePointsGiveAnEmptyCircle) {
    const double cases[][6] = {
        {0, 0, 10, 10, 20, 20},  // collinear
        {0, 0, 0, 0, 5, 7},      // two equal points
        {3, 3, 3, 3, 3, 3},      // all equal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RQUtility::cocircle(c[0], c[1], c[2], c[3], c[4], c[5]), CircleRect{});
    }
}

// ---- intPolygonAreaCalc ---------------------------------------------------

TEST(RQUtilityPolygonArea, Areas) {
    struct Case {
        std::vector<Point> points;
        double area;
    };
    const Case cases[] = {
        {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 100.0},  // anticlockwise
        {{{0, 10}, {10, 10}, {10, 0}, {0, 0}}, 100.0},  // clockwise
        {{{0, 0}, {10, 0}, {0, 10}}, 50.0},
        {{{10, 10}, {110, 10}, {110, 110}, {10, 110}}, 10000.0},
        {{{1, 1}, {5, 5}}, 0.0},
        {{{1, 1}}, 0.0},
        {{}, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(RQUtility::intPolygonAreaCalc(c.points), c.area) << c.points.size();
    }
}

// ---- calcAngle ------------------------------------------------------------

struct AngleCase {
    const char* what;
    int32_t x1, y1, x2, y2, x3, y3, x4, y4;
    float degrees;
};

TEST(RQUtilityCalcAngle, AnglesBetweenCrossingLines) {
    const AngleCase cases[] = {
        // Three-point form: line 1 from p1 to the vertex, line 2 from the vertex to p2.
        {"right angle", 10, 0, 0, 0, 0, 0, 0, 10, 90.0f},
        {"45 degrees", 10, 0, 0, 0, 0, 0, 10, 10, 45.0f},
        {"obtuse", 10, 0, 0, 0, 0, 0, -10, 10, 135.0f},
        // Four-point form: line 1 p1 to p2, line 2 p4 to p3; they meet at (0, 0).
        {"four points", 0, 0, 10, 0, 10, 10, 5, 5, 45.0f},
        {"line 1 vertical", 0, 10, 0, 0, 0, 0, 10, 10, 45.0f},
    };
    for (const AngleCase& c : cases) {
        EXPECT_NEAR(RQUtility::calcAngle(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.degrees,
                    1e-4)
            << c.what;
    }
}

TEST(RQUtilityCalcAngle, DegreesUseTheDivisor3_1415926) {
    // Arms towards (100, 0) and (1, 2): the full-precision pi would give 63.434948.
    EXPECT_EQ(RQUtility::calcAngle(100, 0, 0, 0, 0, 0, 1, 2), 63.4349518f);
}

TEST(RQUtilityCalcAngle, ParallelAndVerticalLinesGiveFixedResults) {
    const AngleCase cases[] = {
        {"horizontal, x2 < x1 < x4", 5, 0, 0, 0, 0, 10, 10, 10, 180.0f},
        {"horizontal, x1 < x2", 0, 0, 5, 0, 0, 10, 10, 10, 0.0f},
        {"horizontal, x1 == x4", 10, 0, 0, 0, 0, 10, 10, 10, 0.0f},
        {"horizontal, x1 beyond x4", 20, 0, 0, 0, 0, 10, 10, 10, 0.0f},
        {"equal sloped lines", 0, 0, 10, 10, 0, 5, 10, 15, 0.0f},
        {"equal sloped, reversed", 10, 10, 0, 0, 0, 5, 10, 15, 0.0f},
        {"vertical, y2 < y1 < y4", 0, 5, 0, 0, 10, 0, 10, 10, 180.0f},
        {"vertical, y1 < y2", 0, 0, 0, 5, 10, 0, 10, 10, 0.0f},
        {"vertical, y1 == y4", 0, 10, 0, 0, 10, 0, 10, 10, 0.0f},
    };
    for (const AngleCase& c : cases) {
        EXPECT_EQ(RQUtility::calcAngle(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.degrees)
            << c.what;
    }
}

TEST(RQUtilityCalcAngle, ComputationsWithoutAValueGiveZero) {
    const AngleCase cases[] = {
        // Arm end on the vertex: the first arm has length 0.
        {"first arm of length 0", 0, 0, 0, 0, 0, 0, 10, 5, 0.0f},
        {"second arm of length 0", 10, 0, 0, 0, 0, 0, 0, 0, 0.0f},
        // Nearly parallel lines: rounding pushes the cosine to 1.00000012; the
        // clamp keeps the result at 0 instead of the arccos of an invalid value.
        {"cosine above 1", 106, 1105, 712, 450, 524, 1289, 1129, 635, 0.0f},
        {"cosine above 1, negative coordinates", -738, -1432, 746, 1134, 1339, -350, 2824, 2216,
         0.0f},
    };
    for (const AngleCase& c : cases) {
        const float a = RQUtility::calcAngle(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4);
        EXPECT_EQ(a, c.degrees) << c.what;
    }
}

TEST(RQUtilityCalcAngle, ExtremeCoordinatesStayFinite) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    const int32_t small = std::numeric_limits<int32_t>::min();
    const float a = RQUtility::calcAngle(small, small, big, big - 1, small, 0, big, 1);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_GE(a, 0.0f);
    EXPECT_LE(a, 180.0f);
}

}  // namespace
}  // namespace lumetra
