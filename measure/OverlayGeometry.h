#pragma once
// Geometry of the four overlays (square grid, circle grid, crosshair, scale),
// as lists of strokes, each a set of segments and circles. Kept apart from the
// drawing so it can be checked exactly and cached between frames.

#include <cstdint>
#include <vector>

#include "measure/Types.h"

namespace lumetra {

struct Segment {
    Point a;
    Point b;
    friend bool operator==(const Segment&, const Segment&) = default;
};

struct Circle {
    Point centre;
    double radius = 0.0;
    friend bool operator==(const Circle&, const Circle&) = default;
};

// The pieces drawn by one stroke.
struct OverlayStroke {
    std::vector<Segment> segments;
    std::vector<Circle> circles;
    friend bool operator==(const OverlayStroke&, const OverlayStroke&) = default;
};

using OverlayGeometry = std::vector<OverlayStroke>;

// Overlay of the live view: width w, height h, pitch p in view units.
// Grid modes other than 1 to 4 give no strokes; so does a pitch that is not a
// positive finite number for the modes that use it.
OverlayGeometry viewOverlay(uint8_t gridMode, double w, double h, double pitch);

// The same overlay on a bitmap of w x h pixels: the vertical lines of the square
// grid are spaced pitch * xScale, everything else pitch * yScale; each circle of
// the circle grid is a stroke of its own.
OverlayGeometry imageOverlay(uint8_t gridMode, double w, double h, double pitch, double xScale,
                             double yScale);

// Tick half-length of the scale for the k-th tick from the centre (k = 0, 1, ...).
double scaleTickHalfLength(int k);

}  // namespace lumetra
