#include "measure/tools/ToolSupport.h"

#include <vector>

#include "measure/RQUtility.h"

namespace lumetra {

float angleOf(Point a, Point b, Point c, Point d) {
    return RQUtility::calcAngle(RQUtility::truncate(a.x), RQUtility::truncate(a.y),
                                RQUtility::truncate(b.x), RQUtility::truncate(b.y),
                                RQUtility::truncate(c.x), RQUtility::truncate(c.y),
                                RQUtility::truncate(d.x), RQUtility::truncate(d.y));
}

float pathLength(const PointSlots& p, int32_t last) {
    float sum = 0.0f;
    for (int32_t i = 2; i <= last; ++i) {
        sum += RQUtility::distance(p.pt(i), p.pt(i - 1));
    }
    return sum;
}

float polygonArea(const PointSlots& p, int32_t count) {
    std::vector<Point> vertices;
    for (int32_t i = 1; i <= count; ++i) {
        vertices.push_back(p.pt(i));
    }
    return static_cast<float>(RQUtility::intPolygonAreaCalc(vertices));
}

}  // namespace lumetra
