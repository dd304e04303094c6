#pragma once
// The window's side of tool selection: which measure tool is chosen, which tool
// button shows its chosen image, and the hint shown under the picture. The window
// turns the returned choice into calls on the measuring view.

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

    // restoreMeasureState: the tool's button goes back to its plain image (the
    // images follow the tool, see chosenButton) and the hint is cleared.
    void restoreMeasureState();

    // Undo, delete and "Clear Calibration": buttons restored, no tool.
    void reset();

    // A calibration is started: the line tool draws the reference line.
    void enterCalibration();

    // A continuous line or polygon was stored: its hint goes.
    void figureEnded();

    uint8_t iMode() const { return iMode_; }
    const std::string& hint() const { return hint_; }

    // The tool whose button shows its chosen image; 0 when none does.
    uint8_t chosenButton() const;

private:
    uint8_t iMode_ = 0;
    std::string hint_;
};

// The image name of a tool's button ("line", "line_s", ...): the chosen image
// only for tools that have one; empty for modes without a tool.
std::string toolImageName(uint8_t tool, bool chosen);

}  // namespace lumetra
