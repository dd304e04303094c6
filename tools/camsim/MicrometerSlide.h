#pragma once
// The simulated camera's subject: a stage micrometer (a 1 mm scale in 100
// divisions, numbered every tenth, with a "0.01mm" label) lying over a textured,
// slightly uneven light field with dust and fibres. Rendered once per resolution;
// the stream crops it with a small drift and adds sensor noise per picture.

#include <cstdint>

#include "image/Frame.h"

namespace lumetra::camsim {

struct ScaleGeometry {
    double firstTickX = 0;  // x of division 0 in the visible picture (no drift)
    double spacing = 0;     // pixels per division
    int baselineY = 0;      // y of the scale's baseline in the visible picture
    int majorLength = 0;    // length of the numbered ticks
};

// Where the scale lies in a visible picture of the given size.
ScaleGeometry scaleGeometry(int width, int height);

// The specimen for a visible picture of width x height, with `margin` extra pixels on
// every side for the drift. Deterministic for a given seed.
Frame renderMicrometerSlide(int width, int height, int margin, uint32_t seed);

}  // namespace lumetra::camsim
