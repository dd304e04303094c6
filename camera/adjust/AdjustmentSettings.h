#pragma once
// The user's picture adjustments for a camera whose frames this program adjusts
// itself: six values, each with a flag that is set the first time its slider moves.
// Only flagged adjustments run; with no flag set frames bypass the chain.

#include <cstdint>

#include "camera/Adjustment.h"

namespace lumetra {

// A slider's range and its neutral (start and reset) value.
struct AdjustmentRange {
    float minimum;
    float maximum;
    float neutral;
};

// Brightness -1..1, contrast 0..4, saturation 0..2, hue -pi..pi radians,
// sharpness -0.5..0.5, gamma power 0.25..4.
AdjustmentRange adjustmentRange(Adjustment which);

struct AdjustmentSettings {
    bool bBrightness = false;
    bool bContrast = false;
    bool bSaturation = false;
    bool bHue = false;
    bool bSharpness = false;
    bool bGamma = false;
    float fBrightnessValue = 0.0f;
    float fContrastValue = 1.0f;
    float fSaturationValue = 1.0f;
    float fHueValue = 0.0f;  // radians
    float fSharpnessValue = 0.0f;
    float fGammaValue = 1.0f;  // power

    // A slider moved: stores the value, clamped to the slider's range, and sets the flag.
    void set(Adjustment which, float value);
    float value(Adjustment which) const;
    // Clears every flag and restores the neutral values.
    void reset() { *this = AdjustmentSettings{}; }
    bool anyFlag() const {
        return bBrightness || bContrast || bSaturation || bHue || bSharpness || bGamma;
    }
};

}  // namespace lumetra
