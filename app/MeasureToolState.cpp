#include "app/MeasureToolState.h"

#include "measure/Types.h"

namespace lumetra {
namespace {

bool needsNoCalibration(uint8_t t) {
    return t == kModeAngleThreePoints || t == kModeAngleFourPoints;
}

bool isCalibratedTool(uint8_t t) {
    return (t >= kModeLine && t <= kModeCircleThreePoints) || t == kModePolygon;
}

std::string_view baseImageName(uint8_t tool) {
    switch (tool) {
        case kModeLine:
            return "line";
        case kModeContinuousLine:
            return "cline";
        case kModeParallelLines:
            return "pline";
        case kModeCircleRadius:
            return "rcircle";
        case kModeCircleDiameter:
            return "dcircle";
        case kModeCircleThreePoints:
            return "tcircle";
        case kModeAngleThreePoints:
            return "tangle";
        case kModeAngleFourPoints:
            return "fangle";
        case kModePolygon:
            return "polygon";
        default:
            return {};
    }
}

}  // namespace

MeasureToolState::Choice MeasureToolState::select(uint8_t t, bool calibrated) {
    Choice choice;
    if (t == kModeText) {
        // One-shot on this side: the view keeps the text tool until the text is placed.
        restoreMeasureState();
        iMode_ = kModeNone;
        choice.viewMode = kModeText;
        return choice;
    }
    if (needsNoCalibration(t)) {
        restoreMeasureState();
        iMode_ = (iMode_ == t) ? uint8_t{kModeNone} : t;
        choice.viewMode = iMode_;
        return choice;
    }
    if (!calibrated) {
        // Refused before anything is touched, so the buttons keep showing the tool
        // that stays in force.
        choice.needsCalibration = true;
        return choice;
    }
    restoreMeasureState();
    if (isCalibratedTool(t)) {
        if (iMode_ == t) {
            iMode_ = kModeNone;
        } else {
            iMode_ = t;
            if (t == kModeContinuousLine || t == kModePolygon) hint_ = kHintEndFigure;
        }
    }
    choice.viewMode = iMode_;
    return choice;
}

void MeasureToolState::restoreMeasureState() { hint_.clear(); }

void MeasureToolState::reset() {
    restoreMeasureState();
    iMode_ = kModeNone;
}

void MeasureToolState::enterCalibration() {
    restoreMeasureState();
    iMode_ = kModeLine;
}

void MeasureToolState::figureEnded() { hint_.clear(); }

uint8_t MeasureToolState::chosenButton() const { return hasToolButtonImages(iMode_) ? iMode_ : 0; }

bool hasToolButtonImages(uint8_t tool) { return !baseImageName(tool).empty(); }

std::string toolImageName(uint8_t tool, bool chosen) {
    std::string name(baseImageName(tool));
    if (!name.empty() && chosen) name += "_s";
    return name;
}

}  // namespace lumetra
