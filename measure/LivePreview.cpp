#include "measure/LivePreview.h"

#include "measure/MeasurementPass.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

void drawPreview(DrawingSurface& surface, const MeasureModel& model) {
    const ToolSpec* tool = findTool(model.iMode);
    if (!tool) return;
    ShapePen pen(surface, model.iLineWidth, model.ctrLColor);
    tool->behaviour.preview(pen, model, calibrationOf(model));
}

}  // namespace lumetra
