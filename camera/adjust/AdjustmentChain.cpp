#include "camera/adjust/AdjustmentChain.h"

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

constexpr int kShift = 12;
constexpr double kOne = 1 << kShift;

inline uint8_t clamp8(int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Writes the matrix (then the table) of (r, g, b) into a BGRA pixel.
inline void store(uint8_t* p, int32_t r, int32_t g, int32_t b,
                  const AdjustmentChain::FixedMatrix& m, const uint8_t* table) {
    const int32_t nr = (m.c[0][0] * r + m.c[0][1] * g + m.c[0][2] * b + m.offset[0]) >> kShift;
    const int32_t ng = (m.c[1][0] * r + m.c[1][1] * g + m.c[1][2] * b + m.offset[1]) >> kShift;
    const int32_t nb = (m.c[2][0] * r + m.c[2][1] * g + m.c[2][2] * b + m.offset[2]) >> kShift;
    p[0] = table[clamp8(nb)];
    p[1] = table[clamp8(ng)];
    p[2] = table[clamp8(nr)];
}

void applyMatrix(Frame& frame, const AdjustmentChain::FixedMatrix& m, const uint8_t* table) {
    for (int y = 0; y < frame.height; ++y) {
        uint8_t* p = frame.row(y);
        for (int x = 0; x < frame.width; ++x, p += 4) store(p, p[2], p[1], p[0], m, table);
    }
}

const std::array<uint8_t, 256>& identityTable() {
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        return t;
    }();
    return table;
}

}  // namespace

AdjustmentChain::FixedMatrix AdjustmentChain::FixedMatrix::from(const ColorMatrix& m) {
    FixedMatrix f;
    f.identity = true;
    for (size_t row = 0; row < 3; ++row) {
        for (size_t col = 0; col < 3; ++col) {
            f.c[row][col] = static_cast<int32_t>(std::lround(m.m[row][col] * kOne));
            f.identity = f.identity && f.c[row][col] == (row == col ? (1 << kShift) : 0);
        }
        const auto offset = static_cast<int32_t>(std::lround(m.offset[row] * 255.0 * kOne));
        f.identity = f.identity && offset == 0;
        f.offset[row] = offset + (1 << (kShift - 1));  // rounds to nearest on the shift
    }
    return f;
}

const uint8_t* AdjustmentChain::gammaTable(const AdjustmentSettings& s) {
    if (!s.bGamma || s.fGammaValue == 1.0f) return nullptr;
    if (gammaPower_ != s.fGammaValue) {
        for (int i = 0; i < 256; ++i)
            gamma_[static_cast<size_t>(i)] = clamp8(
                static_cast<int32_t>(std::lround(255.0 * std::pow(i / 255.0, s.fGammaValue))));
        gammaPower_ = s.fGammaValue;
    }
    return gamma_.data();
}

void AdjustmentChain::apply(Frame& frame, const AdjustmentSettings& s) {
    if (!s.anyFlag() || frame.isNull()) return;
    const ColorMatrix controls = ColorMatrix::colorControls(
        s.bBrightness ? s.fBrightnessValue : 0.0, s.bContrast ? s.fContrastValue : 1.0,
        s.bSaturation ? s.fSaturationValue : 1.0);
    const ColorMatrix hue = ColorMatrix::hueRotation(s.bHue ? s.fHueValue : 0.0);
    const uint8_t* gamma = gammaTable(s);
    const uint8_t* table = gamma ? gamma : identityTable().data();

    if (s.bSharpness && s.fSharpnessValue != 0.0f) {
        const FixedMatrix first = FixedMatrix::from(controls);
        if (!first.identity) applyMatrix(frame, first, identityTable().data());
        sharpen(frame, s.fSharpnessValue, FixedMatrix::from(hue), table);
        return;
    }
    const FixedMatrix all = FixedMatrix::from(hue.after(controls));
    if (!all.identity || gamma) applyMatrix(frame, all, table);
}

void AdjustmentChain::lumaRow(const Frame& frame, int y, int slot) {
    auto& luma = luma_[static_cast<size_t>(slot)];
    auto& blur = hblur_[static_cast<size_t>(slot)];
    const uint8_t* p = frame.row(y);
    const int w = frame.width;
    for (int x = 0; x < w; ++x, p += 4)
        luma[static_cast<size_t>(x)] = (54 * p[2] + 183 * p[1] + 19 * p[0] + 128) >> 8;
    for (int x = 0; x < w; ++x) {
        const int32_t l = luma[static_cast<size_t>(std::max(x - 1, 0))];
        const int32_t r = luma[static_cast<size_t>(std::min(x + 1, w - 1))];
        blur[static_cast<size_t>(x)] = l + 2 * luma[static_cast<size_t>(x)] + r;
    }
}

// Unsharp masking of the luminance with a 3 x 3 binomial blur: each colour channel
// moves by 2 * sharpness times the difference between the luminance and its blur, so
// 0.5 doubles fine detail and -0.5 replaces it with the blur. The hue matrix and the
// gamma table follow in the same pass.
void AdjustmentChain::sharpen(Frame& frame, float sharpness, const FixedMatrix& after,
                              const uint8_t* table) {
    const int w = frame.width, h = frame.height;
    for (int i = 0; i < 3; ++i) {
        luma_[static_cast<size_t>(i)].resize(static_cast<size_t>(w));
        hblur_[static_cast<size_t>(i)].resize(static_cast<size_t>(w));
    }
    const auto amount = static_cast<int32_t>(std::lround(2.0 * sharpness * 256.0));
    lumaRow(frame, 0, 0);
    for (int y = 0; y < h; ++y) {
        // Rows are read before they are changed: row y + 1 now, row y - 1 earlier.
        if (y + 1 < h) lumaRow(frame, y + 1, (y + 1) % 3);
        const auto& up = hblur_[static_cast<size_t>((y > 0 ? y - 1 : 0) % 3)];
        const auto& mid = hblur_[static_cast<size_t>(y % 3)];
        const auto& down = hblur_[static_cast<size_t>((y + 1 < h ? y + 1 : y) % 3)];
        const auto& luma = luma_[static_cast<size_t>(y % 3)];
        uint8_t* p = frame.row(y);
        for (int x = 0; x < w; ++x, p += 4) {
            const auto i = static_cast<size_t>(x);
            const int32_t detail = 16 * luma[i] - (up[i] + 2 * mid[i] + down[i]);
            const int32_t delta = (amount * detail + (1 << 11)) >> 12;
            store(p, p[2] + delta, p[1] + delta, p[0] + delta, after, table);
        }
    }
}

}  // namespace lumetra
