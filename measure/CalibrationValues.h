#pragma once
// The calibration as a value: what a view-pixel length reads as. Kept apart from
// the label texts so that the model and the tools, which sit below them, can hold
// one.

#include <string>

namespace lumetra {

// The calibration in force when a label is drawn: magnification, unit length
// (units per view pixel times the magnification) and unit name.
struct CalibrationValues {
    float fScale = 60.0f;
    float fUnitLength = 1.0f;
    std::string strUnit = "mm";
    // The relative standard error of a calibration found from a micrometer's ticks; 0
    // for a drawn one, whose uncertainty is not known.
    float relativeUncertainty = 0.0f;
};

}  // namespace lumetra
