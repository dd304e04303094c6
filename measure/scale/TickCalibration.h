#pragma once
// A calibration from the ticks of a stage micrometer: the reference line, drawn
// roughly along the row of ticks, is searched in the picture; its ends move onto the
// first and last tick found, where the fit puts them, and its actual length becomes
// the whole number of divisions between them times the typed length of one division.
// The calibration then completes as a drawn one does (completeCalibrationIfDue).

#include <optional>
#include <variant>
#include <vector>

#include "image/Frame.h"
#include "measure/MeasureModel.h"
#include "measure/OverlayGeometry.h"
#include "measure/scale/TickRow.h"

namespace lumetra {

struct TicksOnLine {
    std::vector<Segment> marks;        // one short stroke over each tick found, view units
    double relativeUncertainty = 0.0;  // standard error of the period over the period
    double pixelsPerDivision = 0.0;    // the period in the frame's pixels
};

using TickSearch = std::variant<TicksOnLine, ScaleRefusal>;

// Due with the reference line (calibrationLineDue): its ends are mapped from view units
// to the frame's pixels (the frame fills the model's view) and the ticks searched between
// them. Found: the line's ends, its length (fData1) and the actual length
// (fActualLength, the length of one division before) are set as above. Refused: the
// model is left as it was. nullopt when the line is not due.
std::optional<TickSearch> findTicksOnReferenceLine(MeasureModel& model, const Frame& frame);

}  // namespace lumetra
