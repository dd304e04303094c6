// Mouse input of MeasureModel: each event goes to the current tool's behaviour
// (measure/tools), and the live values the tools share are computed here.

#include <algorithm>

#include "measure/MeasureModel.h"
#include "measure/RQUtility.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

void MeasureModel::mouseDown(Point location, bool control) {
    const ToolSpec* tool = findTool(iMode);
    if (!tool) return;  // none, kModeUnused and unknown modes start nothing
    const MeasureTool& behaviour = tool->behaviour;
    if (control) {
        if (tool->ctrlClickEnds) behaviour.controlClick(*this, location);
        return;
    }
    if (behaviour.inProgress(*this)) {
        behaviour.click(*this, location);
    } else {
        behaviour.start(*this, location);
    }
}

void MeasureModel::mouseMoved(Point location) {
    if (const ToolSpec* tool = findTool(iMode)) tool->behaviour.move(*this, location);
}

float MeasureModel::polygonArea(int32_t count) {
    oMutPointArray.clear();
    for (int32_t i = 1; i <= count; ++i) {
        oMutPointArray.push_back(pt(i));
    }
    return static_cast<float>(RQUtility::intPolygonAreaCalc(oMutPointArray));
}

float MeasureModel::continuousLineLength() const {
    const int32_t last = std::min(iCLineAuvariable, int32_t{9});
    float sum = 0.0f;
    for (int32_t i = 2; i <= last; ++i) {
        sum += RQUtility::distance(pt(i), pt(i - 1));
    }
    return sum;
}

void MeasureModel::updateThreePointCircle(Point third) {
    const CircleRect circle = RQUtility::cocircle(pt1stPoint.x, pt1stPoint.y, pt2ndPoint.x,
                                                  pt2ndPoint.y, third.x, third.y);
    pt5thPoint = circle.origin;
    fData1 = static_cast<float>(circle.width);
}

}  // namespace lumetra
