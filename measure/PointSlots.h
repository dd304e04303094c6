#pragma once
// The ten point slots pt1stPoint ... pt10thPoint, shared by the stored shape
// record and the view's shape in progress, addressable by number (1..10).

#include "measure/Types.h"

namespace lumetra {

struct PointSlots {
    Point pt1stPoint, pt2ndPoint, pt3rdPoint, pt4thPoint, pt5thPoint;
    Point pt6thPoint, pt7thPoint, pt8thPoint, pt9thPoint, pt10thPoint;

    // Slot k, 1-based (1 = pt1stPoint ... 10 = pt10thPoint). k outside 1..10 is a bug.
    Point& pt(int k);
    const Point& pt(int k) const;

    void clearPoints() { *this = PointSlots{}; }
    friend bool operator==(const PointSlots&, const PointSlots&) = default;
};

}  // namespace lumetra
