#pragma once
// The picture-adjustment sliders of a camera whose frames this program adjusts
// itself are integer sliders: each steps evenly through its adjustment's range, so
// that its neutral value sits on a step and a reset puts the slider back exactly.

#include "camera/Adjustment.h"

namespace lumetra {

// Steps from one end of a range to the other.
inline constexpr int kAdjustmentSliderSteps = 1000;

// The adjustment value of a slider position (clamped to 0 .. kAdjustmentSliderSteps).
float sliderToAdjustment(Adjustment which, int position);
// The slider position nearest to an adjustment value (clamped to the range).
int adjustmentToSlider(Adjustment which, float value);

}  // namespace lumetra
