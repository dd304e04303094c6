#pragma once
// Where the measuring view sits in the window for a given camera frame size: the
// view is fScreenWidth wide, keeps the frame's aspect ratio, and is centred in the
// fWindowWidth x fWindowHeight area, lifted 38 points towards the top.

#include <cstdint>
#include <optional>

namespace lumetra {

struct WindowGeometry {
    double fWindowWidth = 1400.0;
    double fWindowHeight = 900.0;
    double fScreenWidth = 950.0;
    double fScreenHeight = 712.0;
};

// A rectangle in the parent's y-up coordinates: (x, y) is the lower-left corner.
struct ViewFrame {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const ViewFrame&, const ViewFrame&) = default;
};

// The view's frame before any camera frame arrived.
inline constexpr ViewFrame kInitialViewFrame{218.0, 76.0, 950.0, 712.0};

// The frame for a camera frame of w x h; none for an empty size.
std::optional<ViewFrame> computeWindowArea(const WindowGeometry& geometry, uint16_t w, uint16_t h);

// The distance of the frame's top edge from the top of a parent of the given height
// (for toolkits whose y axis points down).
double topFromParentTop(const ViewFrame& frame, double parentHeight);

}  // namespace lumetra
