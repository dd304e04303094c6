#include "measure/tools/ShapePen.h"

#include <cmath>

namespace lumetra {

void drawLabelBlock(DrawingSurface& surface, const std::vector<std::string>& lines, Point anchor,
                    double fontSize, RgbColor color) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const Point origin{anchor.x, anchor.y - static_cast<double>(i) * fontSize};
        surface.drawText(lines[i], origin, kLabelFontFamily, fontSize, color);
    }
}

double ShapePen::scaledDistance(Point a, Point b) const {
    const float dx = static_cast<float>((b.x - a.x) * xs_);
    const float dy = static_cast<float>((b.y - a.y) * ys_);
    return std::sqrt(dx * dx + dy * dy);
}

void ShapePen::begin() {
    s_.setLineWidth(width_);
    s_.setStrokeColor(color_);
    s_.beginPath();
}

void ShapePen::marker(Point p) {
    begin();
    circle(p, kMarkerRadius);
    closePath();
    stroke();
}

void ShapePen::label(const std::vector<std::string>& lines, Point anchor, double fontSize,
                     RgbColor color) {
    drawLabelBlock(s_, lines, at(anchor), fontSize, color);
}

}  // namespace lumetra
