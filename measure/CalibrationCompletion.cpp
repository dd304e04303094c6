#include "measure/CalibrationCompletion.h"

#include <cmath>

#include "measure/LabelFormat.h"
#include "storage/CalibrationRecords.h"
#include "storage/StorageLayout.h"

namespace lumetra {
namespace {

bool referenceLineReady(const MeasureModel& m) {
    return m.iMode == kModeLine && m.pt1stPoint.isSet() && m.pt2ndPoint.isSet() &&
           m.pt3rdPoint.isSet();
}

}  // namespace

std::string calibrationListPath() { return homeDirectory() + "/Lumetra" + "/calibration.plist"; }

bool completeCalibrationIfDue(MeasureModel& m) {
    if (!referenceLineReady(m)) return false;
    const float length = m.fData1 * m.fUnitLength / m.fScale;
    // An infinite length (magnification 0) would give a unit length of 0 that
    // reads every line as 0; such a line does not complete the calibration.
    if (!m.bCalibration || !m.bCompletedCalibration || !(length > 0.0f) || !std::isfinite(length)) {
        return false;
    }
    m.bCalibration = false;
    m.bCompletedCalibration = false;
    m.fUnitLength = m.fActualLength / length;
    m.strCalplist = calibrationListPath();

    if (!storeCalibrationRecord(m.strCalplist, m.strCalName, m.fScale, m.strUnit, m.fUnitLength)) {
        return true;
    }
    if (m.delegate) {
        UserEntity entity;
        entity.Param1 = m.strCalName;
        entity.Param2 = formatFixed(6, m.fScale);  // "%f"
        entity.Param3 = formatFixed(6, m.fUnitLength);
        entity.Param4 = m.strUnit;
        entity.Param5 = m.strCalName;
        m.delegate->PassValue(entity, kTransferCalibrationStored);
    }
    return true;
}

}  // namespace lumetra
