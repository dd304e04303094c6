#include <gtest/gtest.h>

#include <cstring>
#include <numbers>
#include <random>

#include "camera/adjust/AdjustmentChain.h"

namespace lumetra {
namespace {

Frame noise(int w, int h) {
    Frame f = Frame::allocate(w, h);
    std::mt19937 rng(7);
    for (size_t i = 0; i < f.byteCount(); ++i) f.data[i] = static_cast<uint8_t>(rng());
    return f;
}

Frame flat(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    Frame f = Frame::allocate(w, h);
    for (int i = 0; i < w * h; ++i) {
        uint8_t* p = f.data.get() + 4 * i;
        p[0] = b, p[1] = g, p[2] = r, p[3] = 255;
    }
    return f;
}

int maxDifference(const Frame& a, const Frame& b) {
    int worst = 0;
    for (size_t i = 0; i < a.byteCount(); ++i)
        worst = std::max(worst, std::abs(a.data[i] - b.data[i]));
    return worst;
}

TEST(AdjustmentChainTest, NeutralValuesAndFullTurnsLeaveThePictureAlone) {
    const Frame input = noise(37, 23);
    AdjustmentChain chain;
    // Every flag set at its neutral value: byte for byte the input, alpha included.
    AdjustmentSettings neutral;
    for (auto a : {Adjustment::Brightness, Adjustment::Contrast, Adjustment::Saturation,
                   Adjustment::Hue, Adjustment::Sharpness, Adjustment::Gamma})
        neutral.set(a, adjustmentRange(a).neutral);
    Frame out = input.clone();
    chain.apply(out, neutral);
    EXPECT_EQ(std::memcmp(out.data.get(), input.data.get(), input.byteCount()), 0);

    // Hue rotated by a whole turn: within one level.
    AdjustmentSettings turn;
    turn.bHue = true;
    turn.fHueValue = 2 * std::numbers::pi_v<float>;
    chain.apply(out, turn);
    EXPECT_LE(maxDifference(out, input), 1);
}

TEST(AdjustmentChainTest, StagesChangePixelsAsTheirFiltersDo) {
    struct Case {
        Adjustment which;
        float value;
        uint8_t in;   // grey level in
        uint8_t out;  // grey level expected
    };
    const Case cases[] = {
        {Adjustment::Gamma, 2.0f, 128, 64},  // mid-grey to a quarter
        {Adjustment::Gamma, 0.5f, 64, 128},
        {Adjustment::Brightness, 0.5f, 64, 192},   // adds half the range
        {Adjustment::Contrast, 2.0f, 96, 64},      // stretches around mid-grey
        {Adjustment::Saturation, 0.0f, 100, 100},  // grey stays grey
        {Adjustment::Sharpness, 0.5f, 77, 77},     // a flat picture has nothing to sharpen
    };
    AdjustmentChain chain;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.which));
        AdjustmentSettings s;
        s.set(c.which, c.value);
        Frame f = flat(8, 8, c.in, c.in, c.in);
        chain.apply(f, s);
        EXPECT_NEAR(f.data[4 * 27], c.out, 1);
        EXPECT_EQ(f.data[4 * 27 + 3], 255);
    }
    // Saturation 0 turns pure red into its luminance.
    AdjustmentSettings s;
    s.set(Adjustment::Saturation, 0.0f);
    Frame red = flat(2, 2, 0, 0, 255);
    chain.apply(red, s);
    EXPECT_NEAR(red.data[0], 54, 1);
    EXPECT_EQ(red.data[0], red.data[2]);
}

TEST(AdjustmentChainTest, SharpeningSteepensAnEdgeAndBlurringSoftensIt) {
    Frame edge = flat(8, 4, 60, 60, 60);
    for (int y = 0; y < 4; ++y) std::memset(edge.row(y) + 16, 180, 16);
    AdjustmentChain chain;
    for (float amount : {0.5f, -0.5f}) {
        AdjustmentSettings s;
        s.set(Adjustment::Sharpness, amount);
        Frame f = edge.clone();
        chain.apply(f, s);
        const int dark = f.row(1)[4 * 3], bright = f.row(1)[4 * 4];
        if (amount > 0) {
            EXPECT_LT(dark, 60);
            EXPECT_GT(bright, 180);
        } else {
            EXPECT_GT(dark, 60);
            EXPECT_LT(bright, 180);
        }
        EXPECT_EQ(f.row(1)[0], 60);  // far from the edge nothing moves
    }
}

TEST(AdjustmentSettingsTest, MovingSetsTheFlagResetClearsEveryFlag) {
    AdjustmentSettings s;
    EXPECT_FALSE(s.anyFlag());
    s.set(Adjustment::Contrast, 9.0f);  // clamped to the slider's range
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
