#pragma once
// Applies the flagged adjustments to a BGRA frame in place, with the look of the
// chain colour controls (always, once any flag is set), luminance sharpening, hue
// rotation, gamma. Alpha is kept; neutral values leave every pixel unchanged.
//
// The arithmetic is regrouped into as few steps per pixel as it allows. Saturation
// and hue rotation both keep grey grey and luminance unchanged, and brightness and
// contrast act alike on every channel, so the chain equals
//     gamma(clamp(colour transform * pixel + sharpening offset)),
// where the colour transform is brightness, contrast, saturation and hue as one
// affine map and the offset is computed from the luminance of the input. Each row is
// loaded and stored once for the transform and the offset (written so that the
// compiler vectorises it) and looked up in the gamma table while it is in cache.
// Without colour or sharpening, brightness, contrast and gamma are one table.
//
// One chain belongs to one thread; it keeps its tables and row buffers between frames.

#include <array>
#include <cstdint>
#include <vector>

#include "camera/adjust/AdjustmentSettings.h"
#include "image/Frame.h"

namespace lumetra {

class AdjustmentChain {
public:
    // Adjusts the frame, whose buffer nobody else may hold. Does nothing when no flag
    // is set or every flagged value is neutral.
    void apply(Frame& frame, const AdjustmentSettings& settings);

private:
    void buildTables(float brightness, float contrast, float gamma);
    // Row y's luminance and its horizontal blur, in the ring of three rows.
    int16_t* luma(int y) { return luma_[static_cast<size_t>(y % 3)].data(); }
    int16_t* blurred(int y) { return hblur_[static_cast<size_t>(y % 3)].data(); }

    std::array<uint8_t, 256> gamma_{};            // gamma of a level
    std::array<uint8_t, 256> tone_{};             // brightness, contrast and gamma of a level
    std::array<float, 3> tablesFor_{-1, -1, -1};  // brightness, contrast, gamma of the tables
    std::array<std::vector<int16_t>, 3> luma_;    // rows y-1, y, y+1 of luminance (x4)
    std::array<std::vector<int16_t>, 3> hblur_;   // the same rows blurred horizontally (x4)
};

}  // namespace lumetra
