#pragma once
// Applies the flagged adjustments to a BGRA frame in place, with the look of the
// chain colour controls (always, once any flag is set), luminance sharpening, hue
// rotation, gamma. Alpha is kept; neutral values leave every pixel unchanged.
//
// The arithmetic is regrouped into as few steps per pixel as it allows. Saturation
// and hue rotation both keep grey grey and luminance unchanged, and brightness and
// contrast act alike on every channel, so the chain equals
//     tone(saturation-and-hue matrix * pixel + sharpening offset),
// where tone is brightness, contrast, the final clamp and gamma as one lookup table
// and the offset is computed from the luminance of the input. The matrix and the
// offset run in fixed point over whole rows (written so that the compiler vectorises
// them), the table over the same row while it is in cache: one pass over the frame.
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
    void buildTone(float brightness, float contrast, float gamma);
    void toneRow(uint8_t* p, int w) const;
    // Row y's luminance and its horizontal blur, in the ring of three rows.
    int32_t* luma(int y) { return luma_[static_cast<size_t>(y % 3)].data(); }
    int32_t* blurred(int y) { return hblur_[static_cast<size_t>(y % 3)].data(); }

    std::vector<uint8_t> tone_;                  // indexed by value in eighths of a level
    std::array<float, 3> toneFor_{-1, -1, -1};   // brightness, contrast, gamma of tone_
    std::array<uint8_t, 256> byteTone_{};        // tone_ at whole levels 0..255
    std::array<int16_t, 9> matrix_{};            // saturation and hue, 12 fractional bits
    int32_t amount_ = 0;                         // sharpening strength, 12 fractional bits
    std::array<std::vector<int32_t>, 3> luma_;   // rows y-1, y, y+1 of luminance (x16)
    std::array<std::vector<int32_t>, 3> hblur_;  // the same rows blurred horizontally (x4)
    std::vector<int32_t> delta_;                 // sharpening offset of the row, eighths
    std::vector<uint16_t> index_;                // tone_ indices: blue, green, red planes
};

}  // namespace lumetra
