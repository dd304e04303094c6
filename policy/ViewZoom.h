#pragma once
// Zoom and pan of the measuring view. At fit (factor 1) the logical picture is
// fitted to the widget (fitView); zoomed, it is shown up to kMaxZoom times larger.
// Along an axis where the zoomed picture is larger than the widget it always
// covers the widget; along one where it is not, it stays centred. A zoomed view is
// a ViewFit with a larger scale and its corner possibly off the widget, so mouse
// positions map to the model's units, and units back to pixels, as at fit.

#include "policy/WindowArea.h"

namespace lumetra {

inline constexpr double kMaxZoom = 16.0;

class ViewZoom {
public:
    // How many times larger than at fit the picture is shown, 1 to kMaxZoom.
    double factor() const { return factor_; }
    bool atFit() const { return factor_ == 1.0; }

    // Where the logical picture lies in a widget of widgetWidth x widgetHeight
    // pixels whose fit is `fit`; the fit itself at factor 1.
    ViewFit place(const ViewFit& fit, double widgetWidth, double widgetHeight) const;

    // Multiplies the factor by `ratio` (kept within 1 and kMaxZoom) so that the
    // picture point under the widget point (px, py) stays under it, as far as
    // the picture still covers the widget. A ratio that is not a positive finite
    // number changes nothing.
    void zoomAbout(double ratio, double px, double py, const ViewFit& fit, double widgetWidth,
                   double widgetHeight);
    // Moves the picture by (dx, dy) widget pixels, as far as it still covers the widget.
    void panBy(double dx, double dy, const ViewFit& fit, double widgetWidth, double widgetHeight);
    // Back to fit.
    void reset() { *this = ViewZoom{}; }

private:
    // Keeps the picture point shown at the widget's centre in `placed`.
    void centreOn(const ViewFit& placed, double widgetWidth, double widgetHeight);

    double factor_ = 1.0;
    // The picture point shown at the widget's centre, in units from the
    // picture's top-left corner (y down); meaningful while zoomed.
    double centreX_ = 0.0;
    double centreY_ = 0.0;
};

}  // namespace lumetra
