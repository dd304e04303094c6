#include "policy/OverlayState.h"

#include "measure/Types.h"
#include "storage/CalibrationRecords.h"

namespace lumetra {
namespace {

using Kind = OverlayState::Action::Kind;

OverlayState::Action apply(GridMode mode, float length) { return {Kind::ApplyGrid, mode, length}; }

bool isOverlay(GridMode m) { return m >= kGridSquare && m <= kGridScale; }

}  // namespace

OverlayState::Action OverlayState::select(GridMode m, bool calibrated) {
    if (m == kGridCrosshair) {
        // The crosshair has no pitch, so it needs no calibration.
        restoreGridState();
        if (iGridMode_ != kGridCrosshair) {
            iGridMode_ = kGridCrosshair;
            selectedButton_ = kGridCrosshair;
        } else {
            iGridMode_ = kGridNone;
        }
        return apply(iGridMode_, 0.0f);
    }
    if (!isOverlay(m)) {
        restoreGridState();
        return {};
    }
    if (!calibrated) return {Kind::CalibrateFirst};
    restoreGridState();
    if (iGridMode_ == m) {
        iGridMode_ = kGridNone;
        return apply(kGridNone, 0.0f);
    }
    iGridMode_ = m;
    popoverOpen_ = true;
    return {Kind::OpenPopover, m};
}

OverlayState::Action OverlayState::ok(std::optional<std::string_view> text) {
    if (!popoverOpen_) return {};
    if (!text || text->empty()) return {Kind::IllegalValue};
    popoverOpen_ = false;
    if (isOverlay(iGridMode_)) selectedButton_ = iGridMode_;
    return apply(iGridMode_, parseFloatValue(*text));
}

OverlayState::Action OverlayState::cancel() {
    if (!popoverOpen_) return {};
    popoverOpen_ = false;
    iGridMode_ = kGridNone;
    return apply(kGridNone, 0.0f);
}

bool OverlayState::needsCalibration() const {
    return iGridMode_ != kGridNone && iGridMode_ != kGridCrosshair;
}

void OverlayState::restoreGridState() { selectedButton_ = kGridNone; }

void OverlayState::reset() {
    restoreGridState();
    popoverOpen_ = false;
    iGridMode_ = kGridNone;
}

std::string gridImageName(GridMode mode, bool selected) {
    std::string name;
    switch (mode) {
        case kGridSquare:
            name = "grid";
            break;
        case kGridCircle:
            name = "circlegrid";
            break;
        case kGridCrosshair:
            name = "crosshair";
            break;
        case kGridScale:
            name = "scale";
            break;
        default:
            return name;
    }
    if (selected) name += "_s";
    return name;
}

}  // namespace lumetra
