#pragma once
// A tiny 5 x 7 bitmap font for the simulated specimen's scale numbers and label.

#include <cstdint>
#include <string_view>

#include "image/Frame.h"

namespace lumetra::camsim {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Rows of the glyph for c, top first, bit 4 the leftmost column; nullptr when the
// font has no such glyph (digits, '.', 'm' and ' ' are known).
const uint8_t* glyphRows(char c);

// Width in pixels of text drawn at the given scale (one column of spacing between glyphs).
int textWidth(std::string_view text, int scale);

// Draws text with its top-left corner at (x, y), each font pixel a scale x scale
// square, blending the colour (B, G, R) at the given opacity (0..1). Pixels outside
// the frame are clipped.
void drawText(Frame& frame, std::string_view text, int x, int y, int scale, const uint8_t bgr[3],
              float opacity);

}  // namespace lumetra::camsim
