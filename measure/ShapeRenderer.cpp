#include "measure/ShapeRenderer.h"

#include "measure/CountMarks.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

void drawShape(DrawingSurface& surface, const RQShape& shape, const CalibrationValues& cal,
               float xScale, float yScale, RadiusSource radii, int markNumber) {
    const ToolSpec* tool = findTool(shape.type);
    if (!tool) return;
    const Point anchor = shape.pt(tool->labelSlot);
    if (tool->label == LabelKind::Mark) {
        // The class's colour, whatever the style was: the colour is the class's.
        const RgbColor colour = countClassColor(shape.markClass);
        ShapePen pen(surface, shape.iLineWidth, colour, xScale, yScale);
        pen.begin();
        tool->behaviour.outline(pen, shape, radii);
        // The label beside the ring, up and to the right, at the surface's own scale.
        const Point centre = pen.at(anchor);
        const double beside = kMarkRadius + shape.iLineWidth;
        drawLabelBlock(surface, {markLabel(shape.markClass, markNumber)},
                       {centre.x + beside, centre.y + beside * 0.5}, shape.iFontSize, colour);
        return;
    }
    ShapePen pen(surface, shape.iLineWidth, shape.ctrLColor, xScale, yScale);
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
    const std::vector<int> numbers = markNumbers(shapes);
    for (size_t i = 0; i < shapes.size(); ++i)
        drawShape(surface, shapes[i], cal, xScale, yScale, radii, numbers[i]);
}

void drawShapes(DrawingSurface& surface, std::span<const RQShape> shapes,
                const CalibrationValues& cal, const OverlaySetting& overlay, float w, float h,
                float xScale, float yScale) {
    const std::vector<int> numbers = markNumbers(shapes);
    for (size_t i = 0; i < shapes.size(); ++i) {
        drawShape(surface, shapes[i], cal, xScale, yScale, RadiusSource::ScaledPoints, numbers[i]);
    }
    drawOverlay(surface, imageOverlay(overlay.iGridMode, w, h, overlay.fPitchPixes, xScale, yScale),
                overlay.iLineWidth, overlay.ctrLColor);
}

}  // namespace lumetra
