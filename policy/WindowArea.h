#pragma once
// The measuring view's logical size for a camera frame size, and how that logical
// picture is shown in a widget of any size. The view is fScreenWidth units wide and
// keeps the frame's aspect ratio; stored shapes and calibrations live in these
// units, so they stay valid whatever size the window has. The widget shows the
// logical picture scaled uniformly to fit and centred.

#include <cstdint>
#include <optional>

namespace lumetra {

struct WindowGeometry {
    double fScreenWidth = 950.0;
};

struct ViewSize {
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

// The view's size before any camera frame arrived.
inline constexpr ViewSize kInitialViewSize{950.0, 712.0};

// The logical size for a camera frame of w x h; none for an empty size.
std::optional<ViewSize> computeWindowArea(const WindowGeometry& geometry, uint16_t w, uint16_t h);

// A logical picture shown in a widget: `scale` widget pixels per unit, its
// top-left corner at the whole pixel (left, top) in the widget's y-down pixels.
struct ViewFit {
    ViewSize logical;
    double scale = 1.0;
    double left = 0.0;
    double top = 0.0;

    // A widget point (y down) in the model's y-up units.
    double unitX(double px) const { return (px - left) / scale; }
    double unitYUp(double py) const { return logical.height - (py - top) / scale; }
    // A y-up unit point in widget pixels (y down).
    double pixelX(double x) const { return left + x * scale; }
    double pixelY(double yUp) const { return top + (logical.height - yUp) * scale; }
    // Whether a widget point lies on the picture.
    bool contains(double px, double py) const;
};

// The fit of `logical` into a widget of widgetWidth x widgetHeight pixels; a
// scale of 1 for an empty widget or size.
ViewFit fitView(ViewSize logical, double widgetWidth, double widgetHeight);

}  // namespace lumetra
