#include "camera/adjust/AdjustmentChain.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "camera/adjust/ColorMatrix.h"
#include "camera/adjust/RowLookup.h"

namespace lumetra {
namespace {

constexpr int kShift = 12;  // fractional bits at which the colour matrix counts as neutral
constexpr double kOne = 1 << kShift;

// Rec. 709 luminance weights, as the colour controls use them, in 12 fractional bits
// summing to one.
constexpr int32_t kLumaR = 870, kLumaB = 295, kLumaG = (1 << kShift) - kLumaR - kLumaB;

inline uint8_t clamp8(double v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

struct Channels {
    int32_t b, g, r;
};

// The affine colour transform of the chain, in levels: rows of m are output red,
// green, blue, columns input red, green, blue. Grey stays grey, so every output has the
// same offset; it holds half a level more, so that rounding down rounds to the nearest.
struct Transform {
    float m[9];
    float offset;
    float sharpen;  // sharpening offset per 64th of a level of blur difference
};

// Pixel x of a BGRA row, read as one 32-bit word: the compiler turns this into whole
// vector loads and masks, where byte loads at a stride of four cost shuffles.
inline uint32_t word(const uint8_t* row, int x) {
    static_assert(std::endian::native == std::endian::little);
    uint32_t w;
    std::memcpy(&w, row + 4 * static_cast<ptrdiff_t>(x), 4);
    return w;
}

inline Channels channels(uint32_t w) {
    return {static_cast<int32_t>(w & 255), static_cast<int32_t>((w >> 8) & 255),
            static_cast<int32_t>((w >> 16) & 255)};
}

// The row loops below are compiled three times, for AVX-512, for AVX2 with FMA and for
// the baseline, and the loader picks the one the processor runs: sixteen or eight
// 32-bit lanes instead of four make them several times faster. ThreadSanitizer builds take the
// baseline only: the loader runs the clones' resolvers before the sanitizer's runtime is up, and
// the program crashes at start. Other processors than x86-64 take their compiler's default.
#if defined(__SANITIZE_THREAD__) || !defined(__x86_64__)
#define LUMETRA_ROW_LOOP
#else
#define LUMETRA_ROW_LOOP \
    __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif

// Luminance in quarters of a level, and its horizontal 1-2-1 blur (edges repeated).
LUMETRA_ROW_LOOP void lumaRow(const uint8_t* __restrict p, int w, int16_t* __restrict luma,
                              int16_t* __restrict blur) {
    for (int x = 0; x < w; ++x) {
        const auto [b, g, r] = channels(word(p, x));
        luma[x] = static_cast<int16_t>((kLumaR * r + kLumaG * g + kLumaB * b + 512) >> 10);
    }
    blur[0] = static_cast<int16_t>(3 * luma[0] + luma[std::min(1, w - 1)]);
    for (int x = 1; x < w - 1; ++x)
        blur[x] = static_cast<int16_t>(luma[x - 1] + 2 * luma[x] + luma[x + 1]);
    if (w > 1) blur[w - 1] = static_cast<int16_t>(luma[w - 2] + 3 * luma[w - 1]);
}

// A value that holds half a level extra, rounded down to a level and clamped to
// 0..255. Values stay within a few thousand; those below zero round towards it and
// clamp to zero all the same.
inline uint32_t level(float v) {
    return static_cast<uint32_t>(std::clamp(static_cast<int32_t>(v), 0, 255));
}

// The affine colour transform of one row, plus the sharpening offset: unsharp masking
// of the luminance with a 3 x 3 binomial blur, every channel moving by the difference
// between the luminance and its blur times `sharpen`. The result is clamped to a level
// and stored in place, alpha kept. up, mid and down are the horizontally blurred
// luminance rows around luma.
LUMETRA_ROW_LOOP void colourRow(uint8_t* __restrict p, int w, const Transform& t,
                                const int16_t* __restrict luma, const int16_t* __restrict up,
                                const int16_t* __restrict mid, const int16_t* __restrict down) {
    const Transform k = t;  // a local: stores through p may not reload it
    for (int x = 0; x < w; ++x) {
        const uint32_t in = word(p, x);
        const auto [bi, gi, ri] = channels(in);
        const float b = static_cast<float>(bi), g = static_cast<float>(gi),
                    r = static_cast<float>(ri);
        const float base =
            k.offset +
            k.sharpen * static_cast<float>(16 * luma[x] - (up[x] + 2 * mid[x] + down[x]));
        const uint32_t out = level(base + k.m[0] * r + k.m[1] * g + k.m[2] * b) << 16 |
                             level(base + k.m[3] * r + k.m[4] * g + k.m[5] * b) << 8 |
                             level(base + k.m[6] * r + k.m[7] * g + k.m[8] * b) |
                             (in & 0xff000000u);
        std::memcpy(p + 4 * static_cast<ptrdiff_t>(x), &out, 4);
    }
}

}  // namespace

// Gamma looks a level up; brightness and contrast map every channel alike,
// v -> contrast * (v + brightness - mid-grey) + mid-grey, clamped to a level.
void AdjustmentChain::buildTables(float brightness, float contrast, float gamma) {
    for (int i = 0; i < 256; ++i)
        gamma_[static_cast<size_t>(i)] =
            clamp8(255.0 * std::pow(i / 255.0, static_cast<double>(gamma)));
    const double offset = 255.0 * (contrast * (brightness - 0.5) + 0.5);
    for (int i = 0; i < 256; ++i)
        tone_[static_cast<size_t>(i)] = gamma_[clamp8(contrast * i + offset)];
    tablesFor_ = {brightness, contrast, gamma};
}

void AdjustmentChain::apply(Frame& frame, const AdjustmentSettings& s) {
    if (!s.anyFlag() || frame.isNull()) return;
    const float brightness = s.bBrightness ? s.fBrightnessValue : 0.0f;
    const float contrast = s.bContrast ? s.fContrastValue : 1.0f;
    const float gamma = s.bGamma ? s.fGammaValue : 1.0f;
    const ColorMatrix hue = ColorMatrix::hueRotation(s.bHue ? s.fHueValue : 0.0);
    const double saturation = s.bSaturation ? s.fSaturationValue : 1.0;
    const ColorMatrix colour = hue.after(ColorMatrix::colorControls(0.0, 1.0, saturation));
    bool identity = true;
    for (size_t row = 0; row < 3; ++row)
        for (size_t col = 0; col < 3; ++col)
            identity = identity &&
                       std::lround(colour.m[row][col] * kOne) == (row == col ? (1 << kShift) : 0);
    const bool sharpen = s.bSharpness && s.fSharpnessValue != 0.0f;
    const bool toneNeutral = brightness == 0.0f && contrast == 1.0f && gamma == 1.0f;
    if (!sharpen && identity && toneNeutral) return;
    if (tablesFor_ != std::array<float, 3>{brightness, contrast, gamma})
        buildTables(brightness, contrast, gamma);

    static const RowLookup lookUp = fastestRowLookup();
    const int w = frame.width, h = frame.height;
    if (!sharpen && identity) {
        for (int y = 0; y < h; ++y) lookUp(frame.row(y), w, tone_.data());
        return;
    }
    const ColorMatrix full =
        hue.after(ColorMatrix::colorControls(brightness, contrast, saturation));
    Transform t{};
    for (size_t row = 0; row < 3; ++row)
        for (size_t col = 0; col < 3; ++col)
            t.m[3 * row + col] = static_cast<float>(full.m[row][col]);
    t.offset = static_cast<float>(255.0 * full.offset[0] + 0.5);
    // The luminance of the colour-controlled picture is contrast times that of the
    // input; the blur difference comes in 64ths of a level.
    t.sharpen = sharpen ? 2.0f * s.fSharpnessValue * contrast / 64.0f : 0.0f;
    for (auto* rows : {&luma_, &hblur_})
        for (auto& row : *rows) row.assign(static_cast<size_t>(w), 0);
    if (sharpen) lumaRow(frame.row(0), w, luma(0), blurred(0));
    for (int y = 0; y < h; ++y) {
        // Rows are read before they change: row y + 1 now, row y - 1 earlier.
        if (sharpen && y + 1 < h) lumaRow(frame.row(y + 1), w, luma(y + 1), blurred(y + 1));
        colourRow(frame.row(y), w, t, luma(y), blurred(y > 0 ? y - 1 : 0), blurred(y),
                  blurred(y + 1 < h ? y + 1 : y));
        if (gamma != 1.0f) lookUp(frame.row(y), w, gamma_.data());
    }
}

}  // namespace lumetra
