#pragma once
// The live preview of the shape under construction, drawn from the view's
// fields in its current style (not a stored shape's).

#include "measure/DrawingSurface.h"
#include "measure/MeasureModel.h"

namespace lumetra {

// Outline and live label of the shape in progress for the model's iMode; modes
// without a tool (0, 7, unknown) and shapes not far enough along draw nothing.
// Points and radii are multiplied by zoom; widths, markers and labels keep their size.
void drawPreview(DrawingSurface& surface, const MeasureModel& model, double zoom = 1.0);

}  // namespace lumetra
