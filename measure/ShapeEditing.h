#pragma once
// Editing a stored shape after it was drawn: its handles (the points that were
// placed, its label's anchor included), moving one, and its values computed
// again from its points exactly as placing them computed them.

#include <vector>

#include "measure/RQShape.h"

namespace lumetra {

// The slots of the shape's handles, in slot order: the set points its tool keeps,
// less the ones computed from the others. None for a shape of no known tool.
std::vector<int> handleSlots(const RQShape& shape);

// The value (with a circle's circumference and area) and the computed points
// from the shape's placed points.
void remeasureShape(RQShape& shape);

// Moves the handle in slot to `to` and measures the shape again. A slot that is
// no handle, or a point that is not set (outside the picture), changes nothing;
// returns whether the point moved.
bool moveShapePoint(RQShape& shape, int slot, Point to);

// A circle's circumference and area (fData2, fData3) from its value, as kept
// with it when it is stored; other shapes are left alone.
void setCircleFigures(RQShape& shape);

}  // namespace lumetra
