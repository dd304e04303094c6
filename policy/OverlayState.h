#pragma once
// The window's side of the overlays: the overlay chosen, which overlay button
// shows its selected image, and the grid-length popover's OK and Cancel. The
// window turns the returned actions into alerts, the popover and calls on the view.

#include <optional>
#include <string>
#include <string_view>

#include "measure/Types.h"

namespace lumetra {

class OverlayState {
public:
    struct Action {
        enum class Kind {
            Nothing,         // nothing to do
            CalibrateFirst,  // alert "Please calibrate first"; nothing changed
            IllegalValue,    // alert "The value is illegal"; the popover stays
            OpenPopover,     // ask for the grid length
            ApplyGrid,       // setGridView(mode, length, fScale, fUnitLength); popover closes
        };
        Kind kind = Kind::Nothing;
        GridMode mode = kGridNone;
        float length = 0.0f;
    };

    // selectGridModel with overlay m.
    Action select(GridMode m, bool calibrated);

    // The popover's OK with the text of its field (none when there is no text).
    Action ok(std::optional<std::string_view> text);

    // The popover's Cancel, and any other way of closing it: every overlay off.
    Action cancel();

    // restoreGridState: the selected button goes back to its plain image.
    void restoreGridState();

    // Undo, delete and "Clear Calibration": buttons restored, no overlay.
    void reset();

    GridMode iGridMode() const { return iGridMode_; }
    // Whether the overlay chosen (or asked for in the popover) has a pitch in
    // calibration units, so needs a calibration: every one but the crosshair.
    bool needsCalibration() const;
    GridMode selectedButton() const { return selectedButton_; }
    bool popoverOpen() const { return popoverOpen_; }

private:
    GridMode iGridMode_ = kGridNone;
    GridMode selectedButton_ = kGridNone;
    bool popoverOpen_ = false;
};

// "grid", "circlegrid", "crosshair", "scale" and their "_s" forms; empty for kGridNone.
std::string gridImageName(GridMode mode, bool selected);

}  // namespace lumetra
