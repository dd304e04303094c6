#pragma once
// The measuring tools as one table of data: every part that needs to know the
// tools (the measurement model, the preview, the shape renderer, the labels, the
// window's tool state and its tool bar) reads it here. A tool's behaviour lives
// in a file of its own behind MeasureTool; adding a tool is a row here, that
// file, its mode number and its button images.

#include <cstdint>
#include <span>

#include "measure/Types.h"
#include "measure/tools/MeasureTool.h"

namespace lumetra {

// What a stored shape's label shows.
enum class LabelKind : uint8_t {
    Length,    // "L:" length
    Radius,    // "R:", "C:", "A:" from the radius
    Diameter,  // "D:", "C:", "A:" from the diameter
    Angle,     // "<:" degrees
    Area,      // "A:" area
    Text,      // the typed text itself
    Mark,      // a count mark's class and running number, e.g. "2·5"
};

struct ToolSpec {
    MeasureMode mode;
    const char* name;        // the tool's name in results and exports
    const char* buttonName;  // the tool bar button's object name
    const char* image;       // the button's plain image; "<image>_s" while chosen
    bool chosenImage;        // whether the button shows a chosen image at all
    bool needsCalibration;   // refused with "Please calibrate first" while uncalibrated
    bool oneShot;            // the window does not keep the tool chosen (the view does)
    bool ctrlClickEnds;      // a Control-click ends the shape under way
    int pointSlots;          // point slots a stored shape keeps (from pt1stPoint on)
    int labelSlot;           // the slot its label is anchored at
    LabelKind label;
    const char* toolTip;
    const char* key;  // the key that chooses it, in portable text ("L", "Shift+L")
    const MeasureTool& behaviour;
};

// Every tool, in tool bar order.
std::span<const ToolSpec> measureTools();

// The tool of a measure mode or shape type; null for kModeNone, kModeUnused and unknown modes.
const ToolSpec* findTool(uint8_t mode);

}  // namespace lumetra
