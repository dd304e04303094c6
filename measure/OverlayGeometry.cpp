#include "measure/OverlayGeometry.h"

#include <cmath>

namespace lumetra {
namespace {

// A pitch the overlays can step by.
bool usablePitch(double p) { return std::isfinite(p) && p > 0.0; }

// Upper bound on the lines, circles or ticks of one direction. The view never
// accepts a pitch under 5 units, so real overlays stay far below it; the bound
// only keeps a degenerate pitch from producing endless geometry.
constexpr int kMaxSteps = 100000;

struct Spacing {
    double vertical;    // between vertical lines of the square grid
    double everything;  // horizontal grid lines, circle radii, scale ticks
};

OverlayStroke squareGrid(double w, double h, Spacing s) {
    OverlayStroke stroke;
    for (int k = 1; k <= kMaxSteps; ++k) {
        const double y = k * s.everything;
        if (!(y < h)) break;
        stroke.segments.push_back({{0.0, y}, {w, y}});
    }
    for (int k = 1; k <= kMaxSteps; ++k) {
        const double x = k * s.vertical;
        if (!(x < w)) break;
        stroke.segments.push_back({{x, 0.0}, {x, h}});
    }
    return stroke;
}

Segment horizontalCentreLine(double w, double h) { return {{0.0, h / 2}, {w, h / 2}}; }
Segment verticalCentreLine(double w, double h) { return {{w / 2, 0.0}, {w / 2, h}}; }

OverlayGeometry circleGrid(double w, double h, double pitch, bool circleStrokesApart) {
    OverlayGeometry strokes;
    strokes.push_back({{horizontalCentreLine(w, h), verticalCentreLine(w, h)}, {}});
    const Point centre{w / 2, h / 2};
    OverlayStroke together;
    for (int k = 1; k <= kMaxSteps; ++k) {
        const double r = k * pitch;
        if (!(r < h - r)) break;
        if (circleStrokesApart)
            strokes.push_back({{}, {{centre, r}}});
        else
            together.circles.push_back({centre, r});
    }
    if (!together.circles.empty()) strokes.push_back(std::move(together));
    return strokes;
}

OverlayGeometry crosshair(double w, double h) {
    return {{{horizontalCentreLine(w, h)}, {}}, {{verticalCentreLine(w, h)}, {}}};
}

// Ticks starting at `from` and stepping by `step` (negative going left or down)
// while `inside` holds; each tick is perpendicular to the axis at `axis`.
template <typename Inside>
void addTicks(OverlayStroke& stroke, double from, double step, double axis, bool alongX,
              Inside inside) {
    for (int k = 0; k <= kMaxSteps; ++k) {
        const double pos = from + k * step;
        if (!inside(pos)) break;
        const double half = scaleTickHalfLength(k);
        if (alongX)
            stroke.segments.push_back({{pos, axis - half}, {pos, axis + half}});
        else
            stroke.segments.push_back({{axis - half, pos}, {axis + half, pos}});
    }
}

OverlayStroke scale(double w, double h, double p) {
    OverlayStroke stroke;
    const double cx = w / 2;
    const double cy = h / 2;
    stroke.segments.push_back(horizontalCentreLine(w, h));
    addTicks(stroke, cx, -p, cy, true, [p](double x) { return x > p; });
    addTicks(stroke, cx, p, cy, true, [p, w](double x) { return x < w - p; });
    stroke.segments.push_back(verticalCentreLine(w, h));
    addTicks(stroke, cy, -p, cx, false, [p](double y) { return y > p; });
    addTicks(stroke, cy, p, cx, false, [p, h](double y) { return y < h - p; });
    return stroke;
}

OverlayGeometry overlay(uint8_t gridMode, double w, double h, Spacing s, bool circleStrokesApart) {
    if (!std::isfinite(w) || !std::isfinite(h)) return {};
    switch (gridMode) {
        case kGridSquare:
            if (!usablePitch(s.vertical) || !usablePitch(s.everything)) return {};
            return {squareGrid(w, h, s)};
        case kGridCircle:
            if (!usablePitch(s.everything)) return {};
            return circleGrid(w, h, s.everything, circleStrokesApart);
        case kGridCrosshair:
            return crosshair(w, h);
        case kGridScale:
            if (!usablePitch(s.everything)) return {};
            return {scale(w, h, s.everything)};
        default:
            return {};
    }
}

}  // namespace

double scaleTickHalfLength(int k) {
    if (k > 0 && k % 10 == 0) return 20.0;
    if (k % 10 == 5) return 10.0;
    return 5.0;
}

OverlayGeometry viewOverlay(uint8_t gridMode, double w, double h, double pitch) {
    return overlay(gridMode, w, h, {pitch, pitch}, false);
}

OverlayGeometry imageOverlay(uint8_t gridMode, double w, double h, double pitch, double xScale,
                             double yScale) {
    return overlay(gridMode, w, h, {pitch * xScale, pitch * yScale}, true);
}

}  // namespace lumetra
