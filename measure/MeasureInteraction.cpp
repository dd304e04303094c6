// Mouse input of MeasureModel: each event goes to the current tool's behaviour
// (measure/tools), the live values the tools share are computed here, and a
// finished shape is stored with the point slots its tool keeps.

#include <utility>

#include "measure/MeasureModel.h"
#include "measure/ShapeEditing.h"
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
    setCircleFigures(shape);
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
