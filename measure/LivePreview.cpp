#include "measure/LivePreview.h"

#include "measure/LabelFormat.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

void drawPreview(DrawingSurface& surface, const MeasureModel& model, double zoom) {
    const ToolSpec* tool = findTool(model.iMode);
    if (!tool) return;
    ShapePen pen(surface, model.iLineWidth, model.ctrLColor, zoom, zoom);
    if (!tool->behaviour.preview(pen, model)) return;
    // The live value in the model's style, where the tool's label sits.
    pen.label(measurementLabel(tool->mode, model.fData1, model.iDecimal, calibrationOf(model)),
              model.pt(tool->labelSlot), model.iFontSize, model.ctrFColor);
}

}  // namespace lumetra
