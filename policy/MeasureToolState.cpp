#include "policy/MeasureToolState.h"

#include "measure/Types.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
MeasureToolState::Choice MeasureToolState::select(MeasureMode t, bool calibrated) {
    Choice choice;
    const ToolSpec* tool = findTool(t);
    if (tool && tool->oneShot) {
        // One-shot on this side: the view keeps the tool until it is done.
        iMode_ = kModeNone;
        choice.viewMode = t;
        return choice;
    }
    if (!calibrated && !(tool && !tool->needsCalibration)) {
        // Refused before anything is touched, so the buttons keep showing the tool
        // that stays in force.
        choice.needsCalibration = true;
        return choice;
    }
    if (tool) iMode_ = iMode_ == t ? kModeNone : t;  // unknown modes leave the tool as it is
    choice.viewMode = iMode_;
    return choice;
}

void MeasureToolState::reset() { iMode_ = kModeNone; }

void MeasureToolState::enterCalibration() { iMode_ = kModeLine; }

bool MeasureToolState::needsCalibration() const {
    const ToolSpec* tool = findTool(iMode_);
    return tool && tool->needsCalibration;
}

MeasureMode MeasureToolState::chosenButton() const {
    const ToolSpec* tool = findTool(iMode_);
    return tool && tool->chosenImage ? iMode_ : kModeNone;
}

std::string toolImageName(MeasureMode mode, bool chosen) {
    const ToolSpec* tool = findTool(mode);
    if (!tool) return {};
    std::string name(tool->image);
    if (chosen && tool->chosenImage) name += "_s";
    return name;
}

}  // namespace lumetra
