#pragma once
// Bilinear scaling of a whole BGRA picture into a BGRA buffer of another size,
// each target pixel's centre sampling the source at the matching point between
// pixel centres (the smooth scaling the view draws frames with), on OpenCV.

#include <cstdint>

namespace lumetra {

// A BGRA picture in memory: `stride` bytes per row, at least width * 4.
struct BgraPixels {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Where a scaled picture goes: width x height BGRA pixels at `data`.
struct BgraTarget {
    uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Scales all of `source` to fill all of `target`; nothing is written when either
// is empty.
void scaleBilinear(const BgraPixels& source, const BgraTarget& target);

}  // namespace lumetra
