#include "measure/PointSlots.h"

#include <cassert>

namespace lumetra {
namespace {
constexpr Point PointSlots::*kSlots[10] = {
    &PointSlots::pt1stPoint,  &PointSlots::pt2ndPoint, &PointSlots::pt3rdPoint,
    &PointSlots::pt4thPoint,  &PointSlots::pt5thPoint, &PointSlots::pt6thPoint,
    &PointSlots::pt7thPoint,  &PointSlots::pt8thPoint, &PointSlots::pt9thPoint,
    &PointSlots::pt10thPoint,
};
}  // namespace

Point& PointSlots::pt(int k) {
    assert(k >= 1 && k <= 10);
    return this->*kSlots[k - 1];
}

const Point& PointSlots::pt(int k) const {
    assert(k >= 1 && k <= 10);
    return this->*kSlots[k - 1];
}

}  // namespace lumetra
