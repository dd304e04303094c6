#pragma once
// Snapping a click to an edge: the strongest brightness step along the local normal
// near the clicked point, placed to a fraction of a pixel by a parabola through the
// gradient's peak. Frame pixels, as in PictureSampling.h.

#include <optional>

#include "image/Frame.h"
#include "measure/Types.h"
#include "measure/scale/PictureSampling.h"

namespace lumetra {

// The point on the edge nearest in the normal's direction, searched up to `reach`
// pixels either side of p; nothing when no edge stands out there (the click stays).
std::optional<PixelPoint> snapToEdge(const Frame& frame, PixelPoint p, double reach);

// The same for a point in view units over a frame that fills a view of viewWidth x
// viewHeight units; reach in the frame's pixels.
std::optional<Point> snapViewPointToEdge(const Frame& frame, Point p, double viewWidth,
                                         double viewHeight, double reach);

}  // namespace lumetra
