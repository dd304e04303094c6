#pragma once
// Applies the flagged adjustments to a BGRA frame in place, in the order colour
// controls (always, once any flag is set), luminance sharpening, hue rotation, gamma.
// Colour controls and hue rotation are 3 x 3 colour matrices folded into one, the
// sharpening adds a grey offset per pixel and gamma is a lookup table: one pass over
// the rows. Neutral values leave every pixel unchanged. Alpha is kept.
//
// One chain belongs to one thread; it keeps its tables and row buffers between frames.

#include <array>
#include <cstdint>
#include <vector>

#include "camera/adjust/AdjustmentSettings.h"
#include "camera/adjust/ColorMatrix.h"
#include "image/Frame.h"

namespace lumetra {

class AdjustmentChain {
public:
    // Adjusts the frame, whose buffer nobody else may hold. Does nothing when no flag
    // is set.
    void apply(Frame& frame, const AdjustmentSettings& settings);

    // A colour matrix in fixed point (12 fractional bits) with the rounding folded
    // into its offsets.
    struct FixedMatrix {
        std::array<std::array<int32_t, 3>, 3> c{};
        std::array<int32_t, 3> offset{};
        bool identity = false;
        static FixedMatrix from(const ColorMatrix& m);
    };

private:
    const uint8_t* gammaTable(const AdjustmentSettings& settings);
    void lumaRow(const Frame& frame, int y, int slot);
    void detailRow(int y, int height, int32_t amount);

    std::array<uint8_t, 256> gamma_{};
    float gammaPower_ = -1.0f;                   // power the table was built for; -1: none yet
    std::array<std::vector<int32_t>, 3> luma_;   // rows y-1, y, y+1 of luminance
    std::array<std::vector<int32_t>, 3> hblur_;  // the same rows blurred horizontally (x4)
    std::vector<int32_t> delta_;                 // the sharpening offset of the current row
    std::array<int32_t, 3> lumaWeights_{};       // luminance after the colour controls
};

}  // namespace lumetra
