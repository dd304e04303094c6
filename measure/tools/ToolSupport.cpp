#include "measure/tools/ToolSupport.h"

#include "measure/RQUtility.h"

namespace lumetra {

float angleOf(Point a, Point b, Point c, Point d) {
    return RQUtility::calcAngle(RQUtility::truncate(a.x), RQUtility::truncate(a.y),
                                RQUtility::truncate(b.x), RQUtility::truncate(b.y),
                                RQUtility::truncate(c.x), RQUtility::truncate(c.y),
                                RQUtility::truncate(d.x), RQUtility::truncate(d.y));
}

}  // namespace lumetra
