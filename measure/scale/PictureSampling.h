#pragma once
// Reading a frame's brightness between its pixels: the luminance of a BGRA frame at
// any point, interpolated bilinearly, and profiles of it along a line averaged over a
// band across the line. Coordinates are the frame's own pixels, x right and y down,
// pixel centres at whole numbers.

#include <vector>

#include "image/Frame.h"

namespace lumetra {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// Whether bilinear interpolation at p reads only pixels of the frame.
bool insideFrame(const Frame& frame, PixelPoint p);

// Luminance (0..255) at p, interpolated bilinearly; a point outside the frame reads
// the nearest edge pixel. The frame must not be null.
double luminanceAt(const Frame& frame, PixelPoint p);

// The luminance at `count` points from `start` in steps of `step` (a vector one pixel
// long or shorter), each the mean over 2 * halfBand + 1 points one pixel apart across
// the line.
std::vector<double> bandProfile(const Frame& frame, PixelPoint start, PixelPoint step, int count,
                                int halfBand);

}  // namespace lumetra
