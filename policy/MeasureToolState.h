#pragma once
// The window's side of tool selection: which measure tool is chosen, which tool
// button shows its chosen image. The window turns the returned choice into calls
// on the measuring view.

#include <optional>
#include <string>

#include "measure/Types.h"

namespace lumetra {

class MeasureToolState {
public:
    struct Choice {
        // The tool needs a calibration and none is in force: alert, nothing changed.
        bool needsCalibration = false;
        // The mode to send to the view with the current calibration values.
        std::optional<MeasureMode> viewMode;
    };

    // selectMeasureModel: t is the tool of the button pressed.
    Choice select(MeasureMode t, bool calibrated);

    // Undo, delete and "Clear Calibration": buttons restored, no tool.
    void reset();

    // A calibration is started: the line tool draws the reference line.
    void enterCalibration();

    MeasureMode iMode() const { return iMode_; }
    // Whether the chosen tool measures lengths or areas, so needs a calibration.
    bool needsCalibration() const;

    // The tool whose button shows its chosen image; kModeNone when none does.
    MeasureMode chosenButton() const;

private:
    MeasureMode iMode_ = kModeNone;
};

// The image name of a tool's button ("line", "line_s", ...): the chosen image
// only for tools that have one; empty for modes without a tool.
std::string toolImageName(MeasureMode tool, bool chosen);

}  // namespace lumetra
