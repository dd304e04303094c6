#include "camera/adjust/AdjustmentSettings.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace lumetra {

AdjustmentRange adjustmentRange(Adjustment which) {
    constexpr float pi = std::numbers::pi_v<float>;
    switch (which) {
        case Adjustment::Brightness:
            return {-1.0f, 1.0f, 0.0f};
        case Adjustment::Contrast:
            return {0.0f, 4.0f, 1.0f};
        case Adjustment::Saturation:
            return {0.0f, 2.0f, 1.0f};
        case Adjustment::Hue:
            return {-pi, pi, 0.0f};
        case Adjustment::Sharpness:
            return {-0.5f, 0.5f, 0.0f};
        case Adjustment::Gamma:
            return {0.25f, 4.0f, 1.0f};
    }
    return {0.0f, 0.0f, 0.0f};
}

namespace {

// The flag and the value of one adjustment.
template <typename Settings>
auto fieldsOf(Settings& s, Adjustment which) {
    switch (which) {
        case Adjustment::Brightness:
            return std::pair(&s.bBrightness, &s.fBrightnessValue);
        case Adjustment::Contrast:
            return std::pair(&s.bContrast, &s.fContrastValue);
        case Adjustment::Saturation:
            return std::pair(&s.bSaturation, &s.fSaturationValue);
        case Adjustment::Hue:
            return std::pair(&s.bHue, &s.fHueValue);
        case Adjustment::Sharpness:
            return std::pair(&s.bSharpness, &s.fSharpnessValue);
        case Adjustment::Gamma:
            break;
    }
    return std::pair(&s.bGamma, &s.fGammaValue);
}

}  // namespace

void AdjustmentSettings::set(Adjustment which, float value) {
    const AdjustmentRange r = adjustmentRange(which);
    // A value from outside (NaN, out of range) must not poison the chain.
    const auto [flag, field] = fieldsOf(*this, which);
    *flag = true;
    *field = std::isfinite(value) ? std::clamp(value, r.minimum, r.maximum) : r.neutral;
}

float AdjustmentSettings::value(Adjustment which) const { return *fieldsOf(*this, which).second; }

}  // namespace lumetra
