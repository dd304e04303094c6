#pragma once
// Completion of a calibration: once the reference line is drawn and its label
// placed, the unit length is set so that the line reads its actual length, and
// the new calibration is stored in the calibration list and reported.

#include <string>

#include "measure/MeasureModel.h"

namespace lumetra {

// The calibration list file: $HOME + "/Lumetra" + "/calibration.plist".
std::string calibrationListPath();

// Runs the completion check of a live-view redraw. Due when the view is in
// mode 1 with the reference line's two ends and label anchor set, calibrating
// (bCalibration) with the second end placed (bCompletedCalibration), and the
// line measures a positive finite length in the current calibration. Then:
// clears both flags, sets fUnitLength = fActualLength / length, sets
// strCalplist, stores the record under strCalName and sends transfer 3 to the
// delegate. A record that could not be stored (missing list file, write
// failure) is not reported; the new unit length stays in force either way.
// Returns whether the calibration was completed.
bool completeCalibrationIfDue(MeasureModel& model);

}  // namespace lumetra
