#include "measure/ShapeRenderer.h"

#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

void drawShape(DrawingSurface& surface, const RQShape& shape, const CalibrationValues& cal,
               float xScale, float yScale, RadiusSource radii) {
    const ToolSpec* tool = findTool(shape.type);
    if (!tool) return;
    ShapePen pen(surface, shape.iLineWidth, shape.ctrLColor, xScale, yScale);
    const Point anchor = shape.pt(tool->labelSlot);
    if (tool->label == LabelKind::Text) {
        if (anchor.isSet()) pen.label({shape.textValue}, anchor, shape.iFontSize, shape.ctrFColor);
        return;
    }
    pen.begin();
    if (!tool->behaviour.outline(pen, shape, radii) || !anchor.isSet()) return;
    pen.label(measurementLabel(shape.type, shape.fData1, shape.iDecimal, cal), anchor,
              shape.iFontSize, shape.ctrFColor);
}

void drawGraphit(DrawingSurface& surface, std::span<const RQShape> shapes,
                 const CalibrationValues& cal, float xScale, float yScale) {
    const RadiusSource radii =
        xScale == 1.0f && yScale == 1.0f ? RadiusSource::Stored : RadiusSource::ScaledPoints;
    for (const RQShape& shape : shapes) drawShape(surface, shape, cal, xScale, yScale, radii);
}

void drawShapes(DrawingSurface& surface, std::span<const RQShape> shapes,
                const CalibrationValues& cal, const OverlaySetting& overlay, float w, float h,
                float xScale, float yScale) {
    for (const RQShape& shape : shapes) {
        drawShape(surface, shape, cal, xScale, yScale, RadiusSource::ScaledPoints);
    }
    drawOverlay(surface, imageOverlay(overlay.iGridMode, w, h, overlay.fPitchPixes, xScale, yScale),
                overlay.iLineWidth, overlay.ctrLColor);
}

}  // namespace lumetra
