#pragma once
// Strokes overlay geometry onto a drawing surface.

#include "measure/DrawingSurface.h"
#include "measure/OverlayGeometry.h"

namespace lumetra {

// Each stroke of the geometry with the given width and colour.
void drawOverlay(DrawingSurface& surface, const OverlayGeometry& geometry, double lineWidth,
                 RgbColor color);

}  // namespace lumetra
