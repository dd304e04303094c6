#include "camera/adjust/AdjustmentChain.h"

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

constexpr int kShift = 12;
constexpr double kOne = 1 << kShift;
constexpr int32_t kHalf = 1 << (kShift - 1);

// Rec. 709 luminance weights, as the colour controls use them.
constexpr double kLuma[3] = {0.2125, 0.7154, 0.0721};

inline int32_t clamp8(int32_t v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The matrix plus the per-pixel sharpening offset (none: nullptr) on one BGRA row.
// Written without lookups so that the compiler vectorises it.
void transformRow(uint8_t* __restrict p, int width, const AdjustmentChain::FixedMatrix& m,
                  const int32_t* __restrict delta) {
    const auto& c = m.c;
    const int32_t o0 = m.offset[0], o1 = m.offset[1], o2 = m.offset[2];
    for (int x = 0; x < width; ++x) {
        const int32_t r = p[4 * x + 2], g = p[4 * x + 1], b = p[4 * x];
        const int32_t d = delta ? delta[x] : 0;
        const int32_t nr = ((c[0][0] * r + c[0][1] * g + c[0][2] * b + o0) >> kShift) + d;
        const int32_t ng = ((c[1][0] * r + c[1][1] * g + c[1][2] * b + o1) >> kShift) + d;
        const int32_t nb = ((c[2][0] * r + c[2][1] * g + c[2][2] * b + o2) >> kShift) + d;
        p[4 * x + 2] = static_cast<uint8_t>(clamp8(nr));
        p[4 * x + 1] = static_cast<uint8_t>(clamp8(ng));
        p[4 * x] = static_cast<uint8_t>(clamp8(nb));
    }
}

void lookupRow(uint8_t* p, int width, const uint8_t* table) {
    for (int x = 0; x < width; ++x, p += 4) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    }
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
        f.offset[row] = offset + kHalf;  // rounds to nearest on the shift
    }
    return f;
}

const uint8_t* AdjustmentChain::gammaTable(const AdjustmentSettings& s) {
    if (!s.bGamma || s.fGammaValue == 1.0f) return nullptr;
    if (gammaPower_ != s.fGammaValue) {
        for (int i = 0; i < 256; ++i)
            gamma_[static_cast<size_t>(i)] = static_cast<uint8_t>(clamp8(
                static_cast<int32_t>(std::lround(255.0 * std::pow(i / 255.0, s.fGammaValue)))));
        gammaPower_ = s.fGammaValue;
    }
    return gamma_.data();
}

// Colour controls, sharpening and hue rotation run as one pass: both matrices are
// linear and the hue rotation keeps grey grey, so rotating the colour-controlled
// pixel plus a grey sharpening offset equals the folded matrix plus the same offset.
// The luminance the sharpening looks at is that of the colour-controlled picture,
// computed from the input through the colour-controls matrix.
void AdjustmentChain::apply(Frame& frame, const AdjustmentSettings& s) {
    if (!s.anyFlag() || frame.isNull()) return;
    const ColorMatrix controls = ColorMatrix::colorControls(
        s.bBrightness ? s.fBrightnessValue : 0.0, s.bContrast ? s.fContrastValue : 1.0,
        s.bSaturation ? s.fSaturationValue : 1.0);
    const ColorMatrix hue = ColorMatrix::hueRotation(s.bHue ? s.fHueValue : 0.0);
    const FixedMatrix matrix = FixedMatrix::from(hue.after(controls));
    const uint8_t* table = gammaTable(s);
    const bool sharpen = s.bSharpness && s.fSharpnessValue != 0.0f;
    if (!sharpen && matrix.identity && !table) return;

    const int w = frame.width, h = frame.height;
    if (sharpen) {
        for (size_t col = 0; col < 3; ++col) {
            double weight = 0;
            for (size_t k = 0; k < 3; ++k) weight += kLuma[k] * controls.m[k][col];
            lumaWeights_[col] = static_cast<int32_t>(std::lround(weight * kOne));
        }
        for (auto* rows : {&luma_, &hblur_})
            for (auto& row : *rows) row.resize(static_cast<size_t>(w));
        delta_.resize(static_cast<size_t>(w));
        lumaRow(frame, 0, 0);
    }
    const auto amount = static_cast<int32_t>(std::lround(2.0 * s.fSharpnessValue * 256.0));
    for (int y = 0; y < h; ++y) {
        if (sharpen) {
            // Rows are read before they change: row y + 1 now, row y - 1 earlier.
            if (y + 1 < h) lumaRow(frame, y + 1, (y + 1) % 3);
            detailRow(y, h, amount);
        }
        transformRow(frame.row(y), w, matrix, sharpen ? delta_.data() : nullptr);
        if (table) lookupRow(frame.row(y), w, table);
    }
}

void AdjustmentChain::lumaRow(const Frame& frame, int y, int slot) {
    int32_t* __restrict luma = luma_[static_cast<size_t>(slot)].data();
    int32_t* __restrict blur = hblur_[static_cast<size_t>(slot)].data();
    const uint8_t* p = frame.row(y);
    const int w = frame.width;
    const int32_t cr = lumaWeights_[0], cg = lumaWeights_[1], cb = lumaWeights_[2];
    for (int x = 0; x < w; ++x)
        luma[x] = (cr * p[4 * x + 2] + cg * p[4 * x + 1] + cb * p[4 * x] + kHalf) >> kShift;
    blur[0] = 3 * luma[0] + luma[std::min(1, w - 1)];
    for (int x = 1; x < w - 1; ++x) blur[x] = luma[x - 1] + 2 * luma[x] + luma[x + 1];
    if (w > 1) blur[w - 1] = luma[w - 2] + 3 * luma[w - 1];
}

// Unsharp masking of the luminance with a 3 x 3 binomial blur: each channel moves by
// 2 * sharpness times the difference between the luminance and its blur, so 0.5
// doubles fine detail and -0.5 replaces it with the blur.
void AdjustmentChain::detailRow(int y, int h, int32_t amount) {
    const int32_t* __restrict up = hblur_[static_cast<size_t>((y > 0 ? y - 1 : 0) % 3)].data();
    const int32_t* __restrict mid = hblur_[static_cast<size_t>(y % 3)].data();
    const int32_t* __restrict down =
        hblur_[static_cast<size_t>((y + 1 < h ? y + 1 : y) % 3)].data();
    const int32_t* __restrict luma = luma_[static_cast<size_t>(y % 3)].data();
    int32_t* __restrict delta = delta_.data();
    const int w = static_cast<int>(delta_.size());
    for (int x = 0; x < w; ++x)
        delta[x] = (amount * (16 * luma[x] - (up[x] + 2 * mid[x] + down[x])) + kHalf) >> kShift;
}

}  // namespace lumetra
