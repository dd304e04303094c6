#pragma once
// The WiFi camera's six picture controls as the camera describes them: a control
// number, its range, its default and its current value. A field the camera's answer
// does not mention keeps its previous value; all start at zero.

#include <array>
#include <cstdint>

#include "camera/Adjustment.h"

namespace lumetra {

struct ControlInfo {
    int32_t iId = 0;
    int32_t iMin = 0;
    int32_t iMax = 0;
    int32_t iDef = 0;
    int32_t iValue = 0;
    bool operator==(const ControlInfo&) const = default;
};

// In the order the reset sends them.
inline constexpr std::array<Adjustment, 6> kAdjustments = {
    Adjustment::Brightness, Adjustment::Contrast, Adjustment::Saturation,
    Adjustment::Hue,        Adjustment::Gamma,    Adjustment::Sharpness};

struct WiFiControls {
    ControlInfo ctBrightessInfo;
    ControlInfo ctContrastInfo;
    ControlInfo ctSaturationInfo;
    ControlInfo ctHueInfo;
    ControlInfo ctGammaInfo;
    ControlInfo ctSharpnessInfo;

    ControlInfo& operator[](Adjustment a) {
        switch (a) {
            case Adjustment::Brightness:
                return ctBrightessInfo;
            case Adjustment::Contrast:
                return ctContrastInfo;
            case Adjustment::Saturation:
                return ctSaturationInfo;
            case Adjustment::Hue:
                return ctHueInfo;
            case Adjustment::Gamma:
                return ctGammaInfo;
            case Adjustment::Sharpness:
                break;
        }
        return ctSharpnessInfo;
    }
    const ControlInfo& operator[](Adjustment a) const {
        return const_cast<WiFiControls&>(*this)[a];
    }
    bool operator==(const WiFiControls&) const = default;
};

}  // namespace lumetra
