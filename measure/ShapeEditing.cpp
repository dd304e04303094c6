#include "measure/ShapeEditing.h"

#include <algorithm>

#include "measure/tools/ToolTable.h"

namespace lumetra {

std::vector<int> handleSlots(const RQShape& shape) {
    std::vector<int> slots;
    const ToolSpec* tool = findTool(shape.type);
    for (int k = 1; tool && k <= tool->pointSlots; ++k) {
        if (shape.pt(k).isSet() && !tool->behaviour.computedSlot(k)) slots.push_back(k);
    }
    return slots;
}

void remeasureShape(RQShape& shape) {
    const ToolSpec* tool = findTool(shape.type);
    if (!tool) return;
    tool->behaviour.remeasure(shape);
    setCircleFigures(shape);
}

bool moveShapePoint(RQShape& shape, int slot, Point to) {
    const std::vector<int> slots = handleSlots(shape);
    if (!to.isSet() || std::find(slots.begin(), slots.end(), slot) == slots.end()) return false;
    shape.pt(slot) = to;
    remeasureShape(shape);
    return true;
}

void setCircleFigures(RQShape& shape) {
    if (shape.type == kModeCircleRadius || shape.type == kModeCircleThreePoints) {
        shape.fData2 = shape.fData1 * 6.283f;
        shape.fData3 = 3.1415f * shape.fData1 * shape.fData1;
    } else if (shape.type == kModeCircleDiameter) {
        shape.fData2 = shape.fData1 * 3.1415f;
        shape.fData3 = 3.1415f * shape.fData1 * shape.fData1 * 0.25f;
    }
}

}  // namespace lumetra
