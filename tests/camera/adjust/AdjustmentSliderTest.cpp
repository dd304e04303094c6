#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "camera/adjust/AdjustmentSettings.h"
#include "camera/adjust/AdjustmentSlider.h"

namespace lumetra {
namespace {

// Each neutral value sits exactly on a step and reads back unchanged, so that the
// sliders a reset shows stand for the neutral values themselves.
TEST(AdjustmentSliderTest, NeutralValuesSitOnAStepAndTheEndsAreTheRange) {
    const struct {
        Adjustment which;
        int neutralStep;
    } cases[] = {{Adjustment::Brightness, 500}, {Adjustment::Contrast, 250},
                 {Adjustment::Saturation, 500}, {Adjustment::Hue, 500},
                 {Adjustment::Sharpness, 500},  {Adjustment::Gamma, 200}};
    for (const auto& c : cases) {
        const AdjustmentRange r = adjustmentRange(c.which);
        SCOPED_TRACE(static_cast<int>(c.which));
        EXPECT_EQ(adjustmentToSlider(c.which, r.neutral), c.neutralStep);
        EXPECT_EQ(sliderToAdjustment(c.which, c.neutralStep), r.neutral);
        EXPECT_EQ(sliderToAdjustment(c.which, -5), r.minimum);
        EXPECT_EQ(sliderToAdjustment(c.which, kAdjustmentSliderSteps + 5), r.maximum);
        EXPECT_EQ(adjustmentToSlider(c.which, r.maximum * 10), kAdjustmentSliderSteps);
    }
    EXPECT_FLOAT_EQ(sliderToAdjustment(Adjustment::Hue, 750), std::numbers::pi_v<float> / 2);
    EXPECT_EQ(adjustmentToSlider(Adjustment::Gamma, std::numeric_limits<float>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace lumetra
