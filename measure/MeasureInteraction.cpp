// Mouse input of MeasureModel: each event goes to the current tool's behaviour
// (measure/tools), the live values the tools share are computed here, and a
// finished shape is stored with the point slots its tool keeps.

#include <algorithm>
#include <utility>

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
    if (shapeInProgress()) {
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

void MeasureModel::storeShape(uint8_t type) {
    RQShape shape;
    shape.type = type;
    const ToolSpec* tool = findTool(type);
    for (int k = 1; tool && k <= tool->pointSlots; ++k) {
        shape.pt(k) = pt(k);
    }
    shape.iLineWidth = iLineWidth;
    shape.iFontSize = iFontSize;
    shape.ctrLColor = ctrLColor;
    shape.ctrFColor = ctrFColor;
    if (type == kModeText) {
        shape.textValue = strTextValue;  // value 0 and 3 decimals, as created
    } else if (type == kModeCount) {
        shape.markClass = iCountClass;
    } else {
        shape.fData1 = fData1;
        shape.iDecimal = iDecimal;
    }
    if (type == kModeCircleRadius || type == kModeCircleThreePoints) {
        shape.fData2 = shape.fData1 * 6.283f;
        shape.fData3 = 3.1415f * shape.fData1 * shape.fData1;
    } else if (type == kModeCircleDiameter) {
        shape.fData2 = shape.fData1 * 3.1415f;
        shape.fData3 = 3.1415f * shape.fData1 * shape.fData1 * 0.25f;
    }
    oMutShapsArray.push_back(std::move(shape));

    iToolStep = 0;
    if (type == kModeText) {
        iMode = kModeNone;
    }
    resetPoints();
    if ((type == kModeContinuousLine || type == kModePolygon) && delegate != nullptr) {
        delegate->PassValue(UserEntity{}, kTransferFigureStored);
    }
}

}  // namespace lumetra
