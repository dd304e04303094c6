#include <gtest/gtest.h>

#include <cstring>
#include <numbers>
#include <random>

#include "camera/adjust/AdjustmentChain.h"

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
