#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "camera/adjust/AdjustmentChain.h"
#include "camera/adjust/ColorMatrix.h"
#include "tools/camsim/MicrometerSlide.h"

namespace lumetra {
namespace {

// A w x 4 picture of grey `left`, with grey `right` from column w / 2 on.
Frame greys(int w, uint8_t left, uint8_t right) {
    Frame f = Frame::allocate(w, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < w; ++x) {
            std::memset(f.row(y) + 4 * x, x < w / 2 ? left : right, 3);
            f.row(y)[4 * x + 3] = 255;
        }
    return f;
}

// The chain computed one pixel at a time, stage after stage folded as plainly as the
// arithmetic allows: colour controls and hue rotation as one matrix in 12-bit fixed
// point, a sharpening offset from the luminance of the colour-controlled picture, one
// clamp to a level, then gamma. The chain under test regroups this arithmetic.
struct Reference {
    Frame out;
    std::vector<int> level;  // per pixel and channel (red, green, blue): the level before gamma
    std::array<uint8_t, 256> gamma{};
};

Reference referenceChain(const Frame& in, const AdjustmentSettings& s) {
    const auto fixed = [](double v) { return std::lround(v * 4096.0); };
    const auto clamp8 = [](long v) { return static_cast<int>(std::clamp(v, 0L, 255L)); };
    const ColorMatrix controls = ColorMatrix::colorControls(
        s.bBrightness ? s.fBrightnessValue : 0.0, s.bContrast ? s.fContrastValue : 1.0,
        s.bSaturation ? s.fSaturationValue : 1.0);
    const ColorMatrix m = ColorMatrix::hueRotation(s.bHue ? s.fHueValue : 0.0).after(controls);
    const double rec709[3] = {0.2125, 0.7154, 0.0721};
    long lumaWeight[3];
    for (size_t col = 0; col < 3; ++col) {
        double sum = 0;
        for (size_t k = 0; k < 3; ++k) sum += rec709[k] * controls.m[k][col];
        lumaWeight[col] = fixed(sum);
    }
    const int w = in.width, h = in.height;
    std::vector<long> luma(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = in.row(y) + 4 * x;
            luma[static_cast<size_t>(y * w + x)] =
                (lumaWeight[0] * p[2] + lumaWeight[1] * p[1] + lumaWeight[2] * p[0] + 2048) >> 12;
        }
    const long amount = s.bSharpness ? std::lround(2.0 * s.fSharpnessValue * 256.0) : 0;
    const double power = s.bGamma ? s.fGammaValue : 1.0;
    Reference r{in.clone(), std::vector<int>(static_cast<size_t>(3 * w * h)), {}};
    for (int i = 0; i < 256; ++i)
        r.gamma[static_cast<size_t>(i)] =
            static_cast<uint8_t>(clamp8(std::lround(255.0 * std::pow(i / 255.0, power))));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            long blur = 0;  // 3 x 3 binomial, edges repeated, x16
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int yy = std::clamp(y + dy, 0, h - 1), xx = std::clamp(x + dx, 0, w - 1);
                    blur += (2 - std::abs(dy)) * (2 - std::abs(dx)) *
                            luma[static_cast<size_t>(yy * w + xx)];
                }
            const long delta =
                (amount * (16 * luma[static_cast<size_t>(y * w + x)] - blur) + 2048) >> 12;
            const uint8_t* p = in.row(y) + 4 * x;
            for (size_t ch = 0; ch < 3; ++ch) {
                const long v = (fixed(m.m[ch][0]) * p[2] + fixed(m.m[ch][1]) * p[1] +
                                fixed(m.m[ch][2]) * p[0] + fixed(m.offset[ch] * 255.0) + 2048) >>
                               12;
                const int level = clamp8(v + delta);
                r.level[static_cast<size_t>(3 * (y * w + x)) + ch] = level;
                r.out.row(y)[4 * x + 2 - static_cast<int>(ch)] =
                    r.gamma[static_cast<size_t>(level)];
            }
        }
    return r;
}

// Hue around the colour wheel from left to right, from dark at the top to light at the
// bottom.
Frame colourGradient(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double light = (y + 0.5) / h, angle = 2 * std::numbers::pi * x / w;
            uint8_t* p = f.row(y) + 4 * x;
            for (int ch = 0; ch < 3; ++ch)
                p[2 - ch] = static_cast<uint8_t>(std::lround(
                    255.0 * light * (0.5 + 0.5 * std::cos(angle - ch * 2 * std::numbers::pi / 3))));
            p[3] = 255;
        }
    return f;
}

TEST(AdjustmentChainTest, NeutralValuesAndAWholeHueTurnLeaveThePictureAlone) {
    Frame input = Frame::allocate(37, 23);
    std::mt19937 rng(7);
    for (size_t i = 0; i < input.byteCount(); ++i) input.data[i] = static_cast<uint8_t>(rng());
    AdjustmentChain chain;
    AdjustmentSettings neutral;  // every flag set, at its neutral value
    for (auto a : {Adjustment::Brightness, Adjustment::Contrast, Adjustment::Saturation,
                   Adjustment::Hue, Adjustment::Sharpness, Adjustment::Gamma})
        neutral.set(a, adjustmentRange(a).neutral);
    Frame out = input.clone();
    chain.apply(out, neutral);
    EXPECT_EQ(std::memcmp(out.data.get(), input.data.get(), input.byteCount()), 0);

    AdjustmentSettings turn;
    turn.bHue = true;
    turn.fHueValue = 2 * std::numbers::pi_v<float>;
    chain.apply(out, turn);
    for (size_t i = 0; i < input.byteCount(); ++i) ASSERT_NEAR(out.data[i], input.data[i], 1);
}

TEST(AdjustmentChainTest, EachStageChangesPixelsAsItsFilterDoes) {
    struct Case {
        Adjustment which;
        float value;
        uint8_t left, right;      // grey levels in
        int leftEdge, rightEdge;  // expected at the two pixels beside the step
    };
    const Case cases[] = {
        {Adjustment::Gamma, 2.0f, 128, 64, 64, 16},  // mid-grey to a quarter
        {Adjustment::Brightness, 0.5f, 64, 0, 192, 128},
        {Adjustment::Contrast, 2.0f, 96, 128, 64, 128},  // stretched around mid-grey
        {Adjustment::Saturation, 0.0f, 100, 100, 100, 100},
        {Adjustment::Sharpness, 0.5f, 60, 180, 30, 210},   // the step steepens
        {Adjustment::Sharpness, -0.5f, 60, 180, 90, 150},  // and softens
    };
    AdjustmentChain chain;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.which));
        AdjustmentSettings s;
        s.set(c.which, c.value);
        Frame f = greys(8, c.left, c.right);
        chain.apply(f, s);
        EXPECT_NEAR(f.row(1)[4 * 3], c.leftEdge, 1);
        EXPECT_NEAR(f.row(1)[4 * 4 + 2], c.rightEdge, 1);
        EXPECT_NEAR(f.row(1)[0], c.which == Adjustment::Sharpness ? c.left : c.leftEdge, 1);
        EXPECT_EQ(f.row(1)[3], 255);
    }
}

// Six adjustments off neutral on a picture of the simulated camera and on a colour
// gradient. The reference rounds three terms to whole levels before adding them (the
// matrix result, the sharpening offset and the luminance that offset comes from, which
// contrast has already stretched); the chain under test keeps eighths of a level. So
// the two may land up to two levels apart before gamma, which a gamma above one
// spreads a little further. Over fifteen values in sixteen are within one level.
TEST(AdjustmentChainTest, KeepsTheLookOfThePlainChainOnRealPictures) {
    struct Values {
        float brightness, contrast, saturation, hue, sharpness, gamma;
    };
    const Values cases[] = {
        {0.1f, 1.3f, 1.4f, 0.5f, 0.3f, 1.2f},   {-0.3f, 0.6f, 0.3f, -2.0f, -0.4f, 0.6f},
        {0.4f, 2.5f, 2.0f, 3.0f, 0.5f, 2.5f},   {-0.8f, 4.0f, 0.0f, -3.1f, 0.2f, 0.25f},
        {0.05f, 0.2f, 1.8f, 1.0f, -0.5f, 4.0f},
    };
    const Frame pictures[] = {camsim::renderMicrometerSlide(320, 240, 0, 5),
                              colourGradient(256, 96)};
    AdjustmentChain chain;
    for (const auto& v : cases) {
        AdjustmentSettings s;
        s.set(Adjustment::Brightness, v.brightness);
        s.set(Adjustment::Contrast, v.contrast);
        s.set(Adjustment::Saturation, v.saturation);
        s.set(Adjustment::Hue, v.hue);
        s.set(Adjustment::Sharpness, v.sharpness);
        s.set(Adjustment::Gamma, v.gamma);
        for (const Frame& picture : pictures) {
            SCOPED_TRACE(testing::Message()
                         << "contrast " << v.contrast << ", width " << picture.width);
            const Reference ref = referenceChain(picture, s);
            Frame fast = picture.clone();
            chain.apply(fast, s);
            size_t farther = 0;  // values more than one level from the reference
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    ASSERT_EQ(fast.row(y)[4 * x + 3], picture.row(y)[4 * x + 3]);
                    for (int ch = 0; ch < 3; ++ch) {
                        const int got = fast.row(y)[4 * x + 2 - ch];
                        const int level =
                            ref.level[static_cast<size_t>(3 * (y * picture.width + x) + ch)];
                        int nearest = 255;
                        for (int l = std::max(level - 2, 0); l <= std::min(level + 2, 255); ++l)
                            nearest = std::min(nearest,
                                               std::abs(got - ref.gamma[static_cast<size_t>(l)]));
                        ASSERT_EQ(nearest, 0)
                            << "at " << x << ", " << y << " channel " << ch << ": " << got
                            << " against " << int{ref.out.row(y)[4 * x + 2 - ch]};
                        farther += std::abs(got - ref.out.row(y)[4 * x + 2 - ch]) > 1;
                    }
                }
            EXPECT_LT(farther, 3 * static_cast<size_t>(picture.width * picture.height) / 16);
        }
    }
}

TEST(AdjustmentSettingsTest, MovingSetsTheFlagAndResetClearsEveryFlag) {
    AdjustmentSettings s;
    s.set(Adjustment::Contrast, 9.0f);  // beyond the slider: clamped
    s.set(Adjustment::Gamma, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(s.bContrast && s.bGamma && !s.bHue);
    EXPECT_EQ(s.fContrastValue, 4.0f);
    EXPECT_EQ(s.fGammaValue, 1.0f);
    s.reset();
    EXPECT_FALSE(s.anyFlag());
    EXPECT_EQ(s.fContrastValue, 1.0f);
}

}  // namespace
}  // namespace lumetra
