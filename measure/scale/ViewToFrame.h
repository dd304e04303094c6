#pragma once
// Between the model's view units (origin lower left, y up) and the pixels of the frame
// that fills the view (origin upper left, y down).

#include "measure/Types.h"
#include "measure/scale/PictureSampling.h"

namespace lumetra {

struct ViewToFrame {
    double sx = 1.0, sy = 1.0;  // frame pixels per view unit
    double height = 0.0;        // of the view

    ViewToFrame(int frameWidth, int frameHeight, double viewWidth, double viewHeight)
        : sx(frameWidth / viewWidth), sy(frameHeight / viewHeight), height(viewHeight) {}

    PixelPoint toFrame(Point p) const { return {p.x * sx, (height - p.y) * sy}; }
    Point toView(PixelPoint p) const { return {p.x / sx, height - p.y / sy}; }
};

}  // namespace lumetra
