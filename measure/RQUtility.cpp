#include "measure/RQUtility.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace lumetra {
namespace {

// Sum of the squares of two integer differences. The squares are exact in
// double up to 2^53, so for every input whose 32-bit integer sum would not
// overflow (differences below 46341) this equals the 32-bit result, and larger
// inputs give the true value instead of a wrapped, possibly negative one.
double squaredIntegerLength(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    const double dx = static_cast<double>(static_cast<int64_t>(ax) - bx);
    const double dy = static_cast<double>(static_cast<int64_t>(ay) - by);
    return dx * dx + dy * dy;
}

}  // namespace

float RQUtility::distance(Point a, Point b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const float sum = static_cast<float>(dx * dx + dy * dy);
    return std::sqrt(sum);
}

int32_t RQUtility::truncate(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

// 1. L: length of start-end from truncated coordinates, root in double, kept as float.
// 2. t = n / (L * L) in float, n the dot product of (p - start) and (end - start)
//    in double rounded to float.
// 3. start + t * (end - start) in double.
// The projection uses the exact coordinates and the length the truncated ones,
// so for fractional coordinates the foot lies slightly off the exact foot.
Point RQUtility::perpendicular(Point p, Point start, Point end) {
    const double q = squaredIntegerLength(truncate(start.x), truncate(start.y), truncate(end.x),
                                          truncate(end.y));
    if (q == 0.0) {
        return start;  // no line to project onto
    }
    const float length = static_cast<float>(std::sqrt(q));
    const float n = static_cast<float>((p.x - start.x) * (end.x - start.x) +
                                       (p.y - start.y) * (end.y - start.y));
    const float t = n / (length * length);
    if (!std::isfinite(t)) {
        return start;  // coordinates beyond the float range
    }
    const double td = t;
    return Point{start.x + td * (end.x - start.x), start.y + td * (end.y - start.y)};
}

// Centre from the perpendicular bisectors in double; the radius from the
// truncated first point and centre, root in double rounded to float.
CircleRect RQUtility::cocircle(double px1, double py1, double px2, double py2, double px3,
                               double py3) {
    const double a = px2 - px1;
    const double b = py2 - py1;
    const double d = 2.0 * ((py3 - py2) * a - (px3 - px2) * b);
    if (std::fabs(d) < 1e-10 || std::isnan(d)) {
        return CircleRect{};  // collinear or coinciding points
    }
    const double e = a * (px2 + px1) + b * (py2 + py1);
    const double f = (px3 - px1) * (px3 + px1) + (py3 - py1) * (py3 + py1);
    const double cx = ((py3 - py1) * e - b * f) / d;
    const double cy = (a * f - (px3 - px1) * e) / d;

    const double s = squaredIntegerLength(truncate(px1), truncate(py1), truncate(cx), truncate(cy));
    const double r = static_cast<float>(std::sqrt(s));
    return CircleRect{Point{cx, cy}, r, r};
}

double RQUtility::intPolygonAreaCalc(const std::vector<Point>& points) {
    const size_t n = points.size();
    if (n == 0) {
        return 0.0;
    }
    double s = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1 == n) ? 0 : i + 1;
        s += points[i].x * points[j].y - points[i].y * points[j].x;
    }
    return std::fabs(s * 0.5);
}

// Float arithmetic throughout except the arccos, which runs in double; the
// degrees use the divisor 3.1415926. The arccos argument is clamped to [-1, 1]
// because rounding can push it just outside.
float RQUtility::calcAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                           int32_t x4, int32_t y4) {
    const float fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
    const float fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
    const float fx3 = static_cast<float>(x3), fy3 = static_cast<float>(y3);
    const float fx4 = static_cast<float>(x4), fy4 = static_cast<float>(y4);
    const float dx1 = fx2 - fx1, dy1 = fy2 - fy1;
    const float dx2 = fx4 - fx3, dy2 = fy4 - fy3;

    // Intersection (ix, iy) of the two lines.
    float ix = 0.0f;
    float iy = 0.0f;
    if (dx1 != 0.0f && dx2 != 0.0f) {
        const float k1 = dy1 / dx1;
        const float k2 = dy2 / dx2;
        if (k1 == k2) {  // parallel: fixed results
            return (dy1 == 0.0f && dy2 == 0.0f && fx2 < fx1 && fx1 < fx4) ? 180.0f : 0.0f;
        }
        ix = (k2 * fx4 - fy4 - k1 * fx2 + fy2) / (k2 - k1);
        iy = k1 * (ix - fx2) + fy2;
    } else if (dx1 == 0.0f && dx2 != 0.0f) {
        const float k2 = dy2 / dx2;
        ix = fx1;
        iy = k2 * (fx1 - fx4) + fy4;
    } else if (dx1 != 0.0f) {
        const float k1 = dy1 / dx1;
        ix = fx3;
        iy = k1 * (fx3 - fx2) + fy2;
    } else {  // both vertical: fixed results
        return (fy2 < fy1 && fy1 < fy4) ? 180.0f : 0.0f;
    }

    // The end of each line farther from the intersection; ties take the second end.
    const auto squared = [ix, iy](float x, float y) {
        return (x - ix) * (x - ix) + (y - iy) * (y - iy);
    };
    const bool firstFarther = squared(fx1, fy1) > squared(fx2, fy2);
    const bool thirdFarther = squared(fx3, fy3) > squared(fx4, fy4);
    const float ux = (firstFarther ? fx1 : fx2) - ix;
    const float uy = (firstFarther ? fy1 : fy2) - iy;
    const float wx = (thirdFarther ? fx3 : fx4) - ix;
    const float wy = (thirdFarther ? fy3 : fy4) - iy;

    const float lengths = std::sqrt(ux * ux + uy * uy) * std::sqrt(wx * wx + wy * wy);
    if (!(lengths > 0.0f) || !std::isfinite(lengths)) {
        return 0.0f;  // a zero-length arm, or an intersection too far away to compute
    }
    const float c = (ux * wx + uy * wy) / lengths;
    const double clamped = std::fmin(1.0, std::fmax(-1.0, static_cast<double>(c)));
    return static_cast<float>(std::acos(clamped) * 180.0 / 3.1415926);
}

}  // namespace lumetra
