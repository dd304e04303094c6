#pragma once
// The geometry behind the measured values: distance, foot of a perpendicular,
// circle through three points, polygon area and the angle between two lines.
// Each mixes 32-bit integer, 32-bit float and 64-bit float steps in a fixed way
// because the stored values depend on it; the comments in RQUtility.cpp give
// the steps. None reports an error: degenerate input gives a fixed, finite
// result (documented per routine), so no shape ever holds NaN or infinity.

#include <cstdint>
#include <vector>

#include "measure/Types.h"

namespace lumetra {

// A circle as a rectangle-shaped record: origin = centre, width = height = radius.
struct CircleRect {
    Point origin;
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const CircleRect&, const CircleRect&) = default;
};

class RQUtility {
public:
    // Euclidean distance: 64-bit differences and squares, their sum rounded to
    // 32-bit float, then a 32-bit square root.
    static float distance(Point a, Point b);

    // Converts toward zero to a signed 32-bit integer; out-of-range values
    // saturate and NaN gives 0.
    static int32_t truncate(double v);

    // Foot of the perpendicular from p onto the line through start and end.
    // When start and end truncate to the same integer point there is no line:
    // the result is start itself.
    static Point perpendicular(Point p, Point start, Point end);

    // Circle through three points. Collinear or coinciding points give centre
    // (0, 0) and radius 0.
    static CircleRect cocircle(double px1, double py1, double px2, double py2, double px3,
                               double py3);

    // Area of the closed polygon through the points in order (shoelace); 0 for
    // fewer than three points.
    static double intPolygonAreaCalc(const std::vector<Point>& points);

    // Angle in degrees (0 to 180) between line 1 from (x1, y1) to (x2, y2) and
    // line 2 from (x3, y3) to (x4, y4), measured at their intersection between
    // the directions towards the farther end of each line. Parallel lines give
    // the fixed results 0 or 180; a line whose farther end lies on the
    // intersection (zero length) gives 0.
    static float calcAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                           int32_t x4, int32_t y4);
};

}  // namespace lumetra
