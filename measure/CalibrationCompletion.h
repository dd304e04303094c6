#pragma once
// Completion of a calibration: once the reference line is drawn and its label
// placed, the unit length is set so that the line reads its actual length. The
// completed calibration is returned for its owner (the window's calibration
// model) to store; nothing here touches files.

#include <optional>
#include <string>
#include <variant>

#include "measure/MeasureModel.h"

namespace lumetra {

// Whether the reference line of a calibration is drawn and its label placed: the
// first condition of completeCalibrationIfDue, without the length check.
bool calibrationLineDue(const MeasureModel& model);

// A due calibration that cannot be made: the line and its actual length give no
// usable unit length. The reason is for the user; the model is left as it was.
struct CalibrationRefusal {
    std::string reason;
};
using CalibrationOutcome = std::variant<CompletedCalibration, CalibrationRefusal>;

// The completion check of a live-view redraw. Due when the view is in the line mode
// with the reference line's two ends and label anchor set, calibrating
// (bCalibration) with the second end placed (bCompletedCalibration), and the
// line measures a positive finite length in the current calibration. Then
// clears both flags, sets fUnitLength = fActualLength / length and returns the
// completed calibration, or, when that unit length would not be a finite positive
// number (an actual length near the largest float over a short line), refuses and
// changes nothing.
// Not due: changes nothing and returns nullopt.
std::optional<CalibrationOutcome> completeCalibrationIfDue(MeasureModel& model);

}  // namespace lumetra
