#include "measure/OverlayRenderer.h"

namespace lumetra {

void drawOverlay(DrawingSurface& surface, const OverlayGeometry& geometry, double lineWidth,
                 RgbColor color) {
    if (geometry.empty()) return;
    surface.setLineWidth(lineWidth);
    surface.setStrokeColor(color);
    for (const OverlayStroke& stroke : geometry) {
        surface.beginPath();
        for (const Segment& s : stroke.segments) {
            surface.moveTo(s.a);
            surface.lineTo(s.b);
        }
        for (const Circle& c : stroke.circles) surface.addCircle(c.centre, c.radius);
        surface.stroke();
    }
}

}  // namespace lumetra
