#pragma once
// Calibration from a stage micrometer in the picture: the period of the row of ticks
// a line is drawn along, measured from all of them. The line only has to lie roughly
// along the row: the ticks' own direction is measured from two profiles beside the
// line and the line turned square to them, so the period is the distance between
// neighbouring ticks, not a slanted one.

#include <variant>
#include <vector>

#include "image/Frame.h"
#include "measure/scale/PictureSampling.h"
#include "measure/scale/TickRow.h"

namespace lumetra {

struct ScaleFound {
    double periodPx = 0.0;               // camera pixels between neighbouring ticks
    double sigmaPx = 0.0;                // standard error of periodPx from the fit
    int ticks = 0;                       // ticks the fit went through
    std::vector<PixelPoint> tickPoints;  // where each of those crosses the line
    PixelPoint along;                    // unit vector of a tick's own direction
    // The first and last tick where the fit puts them, divisions apart: exactly
    // divisions * periodPx from each other.
    PixelPoint firstTick, lastTick;
    int divisions = 0;
};

using ScaleSearch = std::variant<ScaleFound, ScaleRefusal>;

// Searches the row of ticks along the line from a to b (frame pixels).
ScaleSearch findScale(const Frame& frame, PixelPoint a, PixelPoint b);

}  // namespace lumetra
