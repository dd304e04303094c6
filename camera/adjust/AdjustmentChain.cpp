#include "camera/adjust/AdjustmentChain.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "camera/adjust/ColorMatrix.h"

namespace lumetra {
namespace {

constexpr int kShift = 12;  // fractional bits of the matrix and the sharpening strength
constexpr double kOne = 1 << kShift;

// The tone table covers the values the matrix and the sharpening can reach, in eighths
// of a level: saturation 2 with any hue stays well inside, and beyond the table's ends
// the clamp makes tone constant for every contrast that matters.
constexpr int kFraction = 3;
constexpr int32_t kLowest = -1280 << kFraction;
constexpr int32_t kToneSize = (1280 + 1536) << kFraction;

// Rec. 709 luminance weights, as the colour controls use them, in 12 fractional bits
// summing to one.
constexpr int32_t kLumaR = 870, kLumaB = 295, kLumaG = (1 << kShift) - kLumaR - kLumaB;

inline int32_t clamp8(double v) {
    return static_cast<int32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

struct Channels {
    int32_t b, g, r;
};

// Pixel x of a BGRA row, read as one 32-bit word: the compiler turns this into whole
// vector loads and masks, where byte loads at a stride of four cost shuffles.
inline Channels channels(const uint8_t* row, int x) {
    static_assert(std::endian::native == std::endian::little);
    uint32_t word;
    std::memcpy(&word, row + 4 * static_cast<ptrdiff_t>(x), 4);
    return {static_cast<int32_t>(word & 255), static_cast<int32_t>((word >> 8) & 255),
            static_cast<int32_t>((word >> 16) & 255)};
}

// The row loops below are compiled twice, for AVX2 and for the baseline, and the
// loader picks the one the processor runs: eight 32-bit lanes instead of four and a
// real 32-bit multiply make them several times faster. ThreadSanitizer builds take the
// baseline only: the loader runs the clones' resolvers before the sanitizer's runtime is
// up, and the program crashes at start.
#if defined(__SANITIZE_THREAD__)
#define LUMETRA_ROW_LOOP
#else
#define LUMETRA_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#endif

// Luminance in sixteenths of a level, and its horizontal 1-2-1 blur (edges repeated).
LUMETRA_ROW_LOOP void lumaRow(const uint8_t* __restrict p, int w, int32_t* __restrict luma,
                              int32_t* __restrict blur) {
    for (int x = 0; x < w; ++x) {
        const auto [b, g, r] = channels(p, x);
        luma[x] = (kLumaR * r + kLumaG * g + kLumaB * b + 128) >> 8;
    }
    blur[0] = 3 * luma[0] + luma[std::min(1, w - 1)];
    for (int x = 1; x < w - 1; ++x) blur[x] = luma[x - 1] + 2 * luma[x] + luma[x + 1];
    if (w > 1) blur[w - 1] = luma[w - 2] + 3 * luma[w - 1];
}

// Unsharp masking of the luminance with a 3 x 3 binomial blur: each channel moves by
// 2 * sharpness times the difference between the luminance and its blur, so 0.5
// doubles fine detail and -0.5 replaces it with the blur. In eighths of a level;
// up, mid and down are the horizontally blurred rows around luma.
LUMETRA_ROW_LOOP void detailRow(const int32_t* __restrict luma, const int32_t* __restrict up,
                                const int32_t* __restrict mid, const int32_t* __restrict down,
                                int32_t amount, int w, int32_t* __restrict delta) {
    for (int x = 0; x < w; ++x)
        delta[x] = (amount * (16 * luma[x] - (up[x] + 2 * mid[x] + down[x])) + (1 << 15)) >> 16;
}

// The colour matrix plus the sharpening offset, as tone table indices in three planes
// (blue, green, red) of w entries. No lookups, so that the compiler vectorises it.
LUMETRA_ROW_LOOP void indexRow(const uint8_t* __restrict p, int w, const int16_t* __restrict m,
                               const int32_t* __restrict delta, uint16_t* __restrict blue) {
    uint16_t* __restrict green = blue + w;
    uint16_t* __restrict red = green + w;
    constexpr int kDown = kShift - kFraction;
    constexpr int32_t kRound = (1 << (kDown - 1)) - (kLowest << kDown);
    const auto index = [](int32_t v) {
        v >>= kDown;
        return static_cast<uint16_t>(v < 0 ? 0 : (v > kToneSize - 1 ? kToneSize - 1 : v));
    };
    for (int x = 0; x < w; ++x) {
        const auto [b, g, r] = channels(p, x);
        const int32_t d = delta[x] << kDown;
        red[x] = index(m[0] * r + m[1] * g + m[2] * b + kRound + d);
        green[x] = index(m[3] * r + m[4] * g + m[5] * b + kRound + d);
        blue[x] = index(m[6] * r + m[7] * g + m[8] * b + kRound + d);
    }
}

}  // namespace

// Brightness and contrast map every channel alike, v -> contrast * (v + brightness -
// mid-grey) + mid-grey; the result is clamped to a level and gamma looks that level up.
void AdjustmentChain::buildTone(float brightness, float contrast, float gamma) {
    std::array<uint8_t, 256> powers{};
    for (int i = 0; i < 256; ++i)
        powers[static_cast<size_t>(i)] =
            static_cast<uint8_t>(clamp8(255.0 * std::pow(i / 255.0, static_cast<double>(gamma))));
    const double offset = 255.0 * (contrast * (brightness - 0.5) + 0.5);
    tone_.resize(kToneSize);
    for (int32_t i = 0; i < kToneSize; ++i) {
        const double value = (i + kLowest) / static_cast<double>(1 << kFraction);
        tone_[static_cast<size_t>(i)] =
            powers[static_cast<size_t>(clamp8(contrast * value + offset))];
    }
    for (int32_t i = 0; i < 256; ++i)
        byteTone_[static_cast<size_t>(i)] = tone_[static_cast<size_t>((i << kFraction) - kLowest)];
    toneFor_ = {brightness, contrast, gamma};
}

void AdjustmentChain::apply(Frame& frame, const AdjustmentSettings& s) {
    if (!s.anyFlag() || frame.isNull()) return;
    const float brightness = s.bBrightness ? s.fBrightnessValue : 0.0f;
    const float contrast = s.bContrast ? s.fContrastValue : 1.0f;
    const float gamma = s.bGamma ? s.fGammaValue : 1.0f;
    const ColorMatrix colour =
        ColorMatrix::hueRotation(s.bHue ? s.fHueValue : 0.0)
            .after(ColorMatrix::colorControls(0.0, 1.0, s.bSaturation ? s.fSaturationValue : 1.0));
    bool identity = true;
    for (size_t row = 0; row < 3; ++row)
        for (size_t col = 0; col < 3; ++col) {
            const auto c = static_cast<int16_t>(std::lround(colour.m[row][col] * kOne));
            matrix_[3 * row + col] = c;
            identity = identity && c == (row == col ? (1 << kShift) : 0);
        }
    const bool sharpen = s.bSharpness && s.fSharpnessValue != 0.0f;
    const bool toneNeutral = brightness == 0.0f && contrast == 1.0f && gamma == 1.0f;
    if (!sharpen && identity && toneNeutral) return;
    if (toneFor_ != std::array<float, 3>{brightness, contrast, gamma})
        buildTone(brightness, contrast, gamma);

    const int w = frame.width, h = frame.height;
    if (!sharpen && identity) {
        for (int y = 0; y < h; ++y) {
            uint8_t* p = frame.row(y);
            for (int x = 0; x < w; ++x, p += 4) {
                p[0] = byteTone_[p[0]];
                p[1] = byteTone_[p[1]];
                p[2] = byteTone_[p[2]];
            }
        }
        return;
    }
    index_.resize(3 * static_cast<size_t>(w));
    if (sharpen) {
        amount_ = static_cast<int32_t>(std::lround(s.fSharpnessValue * kOne));
        for (auto* rows : {&luma_, &hblur_})
            for (auto& row : *rows) row.resize(static_cast<size_t>(w));
        delta_.resize(static_cast<size_t>(w));
        lumaRow(frame.row(0), w, luma(0), blurred(0));
    } else {
        delta_.assign(static_cast<size_t>(w), 0);
    }
    for (int y = 0; y < h; ++y) {
        if (sharpen) {
            // Rows are read before they change: row y + 1 now, row y - 1 earlier.
            if (y + 1 < h) lumaRow(frame.row(y + 1), w, luma(y + 1), blurred(y + 1));
            detailRow(luma(y), blurred(y > 0 ? y - 1 : 0), blurred(y),
                      blurred(y + 1 < h ? y + 1 : y), amount_, w, delta_.data());
        }
        indexRow(frame.row(y), w, matrix_.data(), delta_.data(), index_.data());
        toneRow(frame.row(y), w);
    }
}

void AdjustmentChain::toneRow(uint8_t* __restrict p, int w) const {
    const uint16_t* __restrict blue = index_.data();
    const uint16_t* __restrict green = blue + w;
    const uint16_t* __restrict red = green + w;
    const uint8_t* __restrict tone = tone_.data();
    for (int x = 0; x < w; ++x, p += 4) {
        p[0] = tone[blue[x]];
        p[1] = tone[green[x]];
        p[2] = tone[red[x]];
    }
}

}  // namespace lumetra
