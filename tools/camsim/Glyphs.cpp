#include "tools/camsim/Glyphs.h"

#include <algorithm>

namespace lumetra::camsim {
namespace {

constexpr uint8_t kDigits[10][kGlyphHeight] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
};
constexpr uint8_t kDot[kGlyphHeight] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C};
constexpr uint8_t kLowerM[kGlyphHeight] = {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11};
constexpr uint8_t kSpace[kGlyphHeight] = {0, 0, 0, 0, 0, 0, 0};

}  // namespace

const uint8_t* glyphRows(char c) {
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c == '.') return kDot;
    if (c == 'm') return kLowerM;
    if (c == ' ') return kSpace;
    return nullptr;
}

int textWidth(std::string_view text, int scale) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void drawText(Frame& frame, std::string_view text, int x, int y, int scale, const uint8_t bgr[3],
              float opacity) {
    const int a = std::clamp(static_cast<int>(opacity * 256.0f), 0, 256);
    for (const char c : text) {
        const uint8_t* rows = glyphRows(c);
        for (int gy = 0; rows && gy < kGlyphHeight; ++gy) {
            for (int gx = 0; gx < kGlyphWidth; ++gx) {
                if (!(rows[gy] & (0x10 >> gx))) continue;
                for (int py = y + gy * scale; py < y + (gy + 1) * scale; ++py) {
                    if (py < 0 || py >= frame.height) continue;
                    uint8_t* row = frame.row(py);
                    for (int px = x + gx * scale; px < x + (gx + 1) * scale; ++px) {
                        if (px < 0 || px >= frame.width) continue;
                        uint8_t* p = row + 4 * px;
                        for (int ch = 0; ch < 3; ++ch)
                            p[ch] = static_cast<uint8_t>((p[ch] * (256 - a) + bgr[ch] * a) >> 8);
                    }
                }
            }
        }
        x += (kGlyphWidth + 1) * scale;
    }
}

}  // namespace lumetra::camsim
