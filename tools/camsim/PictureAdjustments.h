#pragma once
// The simulated sensor's six picture controls, each as a relative setting from -1
// (lowest value the camera accepts) through 0 (its default) to +1 (highest).

#include "image/Frame.h"

namespace lumetra::camsim {

struct Adjustments {
    double brightness = 0;
    double contrast = 0;
    double saturation = 0;
    double hue = 0;
    double gamma = 0;
    double sharpness = 0;

    bool neutral() const { return *this == Adjustments{}; }
    friend bool operator==(const Adjustments&, const Adjustments&) = default;
};

// Applies the controls to a BGRA frame in place: sharpness (unsharp mask, or a blur
// below the default), then saturation and hue (a colour matrix), then gamma,
// contrast and brightness (a tone curve).
void applyAdjustments(Frame& frame, const Adjustments& adjustments);

}  // namespace lumetra::camsim
