#include "measure/CalibrationCompletion.h"

#include <cmath>

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

std::optional<CompletedCalibration> completeCalibrationIfDue(MeasureModel& m) {
    if (!referenceLineReady(m)) return std::nullopt;
    const float length = m.fData1 * m.fUnitLength / m.fScale;
    // An infinite length (magnification 0) would give a unit length of 0 that
    // reads every line as 0; such a line does not complete the calibration.
    if (!m.bCalibration || !m.bCompletedCalibration || !(length > 0.0f) || !std::isfinite(length)) {
        return std::nullopt;
    }
    m.bCalibration = false;
    m.bCompletedCalibration = false;
    m.fUnitLength = m.fActualLength / length;
    return CompletedCalibration{m.strCalName, m.fScale, m.strUnit, m.fUnitLength};
}

}  // namespace lumetra
