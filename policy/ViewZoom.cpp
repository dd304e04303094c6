#include "policy/ViewZoom.h"

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

// The picture's near edge along one axis: `size` pixels shown in `extent`,
// centred when it fits, else with `centre` (pixels from its near edge) at the
// middle as far as the picture still covers the widget.
double placeAxis(double size, double extent, double centre) {
    if (size <= extent) return (extent - size) * 0.5;
    return std::clamp(extent * 0.5 - centre, extent - size, 0.0);
}

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

ViewFit ViewZoom::place(const ViewFit& fit, double widgetWidth, double widgetHeight) const {
    if (atFit()) return fit;
    ViewFit placed = fit;
    placed.scale = fit.scale * factor_;
    placed.left = placeAxis(fit.logical.width * placed.scale, widgetWidth, centreX_ * placed.scale);
    placed.top =
        placeAxis(fit.logical.height * placed.scale, widgetHeight, centreY_ * placed.scale);
    return placed;
}

void ViewZoom::centreOn(const ViewFit& placed, double widgetWidth, double widgetHeight) {
    centreX_ = (widgetWidth * 0.5 - placed.left) / placed.scale;
    centreY_ = (widgetHeight * 0.5 - placed.top) / placed.scale;
}

void ViewZoom::zoomAbout(double ratio, double px, double py, const ViewFit& fit, double widgetWidth,
                         double widgetHeight) {
    if (!(std::isfinite(ratio) && ratio > 0.0) || !finite(px, py)) return;
    const ViewFit before = place(fit, widgetWidth, widgetHeight);
    // The picture point under the pointer, in units from the top-left corner.
    const double ux = (px - before.left) / before.scale;
    const double uy = (py - before.top) / before.scale;
    factor_ = std::clamp(factor_ * ratio, 1.0, kMaxZoom);
    // Steps that come back to fit land on it exactly, whatever rounding did.
    if (std::abs(factor_ - 1.0) < 1e-9) factor_ = 1.0;
    if (atFit()) return;
    ViewFit wanted = fit;
    wanted.scale = fit.scale * factor_;
    wanted.left = px - ux * wanted.scale;
    wanted.top = py - uy * wanted.scale;
    centreOn(wanted, widgetWidth, widgetHeight);
    // Kept as shown, so that a later pan starts from where the picture is.
    centreOn(place(fit, widgetWidth, widgetHeight), widgetWidth, widgetHeight);
}

void ViewZoom::panBy(double dx, double dy, const ViewFit& fit, double widgetWidth,
                     double widgetHeight) {
    if (atFit() || !finite(dx, dy)) return;
    ViewFit moved = place(fit, widgetWidth, widgetHeight);
    moved.left += dx;
    moved.top += dy;
    centreOn(moved, widgetWidth, widgetHeight);
    centreOn(place(fit, widgetWidth, widgetHeight), widgetWidth, widgetHeight);
}

}  // namespace lumetra
