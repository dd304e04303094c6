#include "measure/CalibrationCompletion.h"

#include <cmath>

#include "image/Translate.h"

namespace lumetra {
namespace {

bool referenceLineReady(const MeasureModel& m) {
    return m.iMode == kModeLine && m.pt1stPoint.isSet() && m.pt2ndPoint.isSet() &&
           m.pt3rdPoint.isSet();
}

}  // namespace

bool calibrationLineDue(const MeasureModel& m) {
    return referenceLineReady(m) && m.bCalibration && m.bCompletedCalibration;
}

std::optional<CalibrationOutcome> completeCalibrationIfDue(MeasureModel& m) {
    if (!referenceLineReady(m)) return std::nullopt;
    const float length = m.fData1 * m.fUnitLength / m.fScale;
    // An infinite length (magnification 0) would give a unit length of 0 that
    // reads every line as 0; such a line does not complete the calibration.
    if (!m.bCalibration || !m.bCompletedCalibration || !(length > 0.0f) || !std::isfinite(length)) {
        return std::nullopt;
    }
    // An infinite unit length (an actual length near the largest number over a short
    // line) would read every later length as infinite and cannot be stored as a number;
    // one that rounds to 0 would read every length as 0.
    const float unitLength = m.fActualLength / length;
    if (!std::isfinite(unitLength) || !(unitLength > 0.0f)) {
        return CalibrationRefusal{
            translate("Calibration", "The actual length is out of range for this line")};
    }
    m.bCalibration = false;
    m.bCompletedCalibration = false;
    m.fUnitLength = unitLength;
    return CompletedCalibration{m.strCalName, m.fScale, m.strUnit, m.fUnitLength};
}

}  // namespace lumetra
