#pragma once
// The calibration in force in the window: its name, magnification, unit length
// and unit. A magnification above 0 means a calibration is in force.

#include <string>
#include <utility>

namespace lumetra {

struct CurrentCalibration {
    std::string strCalName;
    float fScale = 0.0f;
    float fUnitLength = 1.0f;
    std::string strUnit = "mm";

    void initCalParas() { *this = CurrentCalibration{}; }
    void setCalibratedParas(std::string name, float mag, float len, std::string unit) {
        strCalName = std::move(name);
        fScale = mag;
        fUnitLength = len;
        strUnit = std::move(unit);
    }
    bool calibrated() const { return fScale > 0.0f; }
};

}  // namespace lumetra
