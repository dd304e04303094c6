#pragma once
// The window's side of tool selection: which measure tool is chosen, which tool
// button shows its chosen image. The window turns the returned choice into calls
// on the measuring view.

#include <cstdint>
#include <optional>
#include <string>

namespace lumetra {

class MeasureToolState {
public:
    struct Choice {
        // The tool needs a calibration and none is in force: alert, nothing changed.
        bool needsCalibration = false;
        // The mode to send to the view with the current calibration values.
        std::optional<uint8_t> viewMode;
    };

    // selectMeasureModel: t is the tool number of the button pressed.
    Choice select(uint8_t t, bool calibrated);

    // Undo, delete and "Clear Calibration": buttons restored, no tool.
    void reset();

    // A calibration is started: the line tool draws the reference line.
    void enterCalibration();

    uint8_t iMode() const { return iMode_; }
    // Whether the chosen tool measures lengths or areas, so needs a calibration.
    bool needsCalibration() const;

    // The tool whose button shows its chosen image; 0 when none does.
    uint8_t chosenButton() const;

private:
    uint8_t iMode_ = 0;
};

// The image name of a tool's button ("line", "line_s", ...): the chosen image
// only for tools that have one; empty for modes without a tool.
std::string toolImageName(uint8_t tool, bool chosen);

}  // namespace lumetra
