#include "camera/adjust/AdjustmentSlider.h"

#include <algorithm>
#include <cmath>

#include "camera/adjust/AdjustmentSettings.h"

namespace lumetra {

float sliderToAdjustment(Adjustment which, int position) {
    const AdjustmentRange r = adjustmentRange(which);
    const double t = static_cast<double>(std::clamp(position, 0, kAdjustmentSliderSteps)) /
                     kAdjustmentSliderSteps;
    return static_cast<float>(r.minimum + t * (static_cast<double>(r.maximum) - r.minimum));
}

int adjustmentToSlider(Adjustment which, float value) {
    const AdjustmentRange r = adjustmentRange(which);
    if (!(r.maximum > r.minimum) || !std::isfinite(value)) return 0;
    const double t = (static_cast<double>(value) - r.minimum) / (r.maximum - r.minimum);
    return static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * kAdjustmentSliderSteps));
}

}  // namespace lumetra
