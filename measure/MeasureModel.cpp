#include "measure/MeasureModel.h"

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

// The text field sits 100 units in from the left, right and top edges.
constexpr double kTextFieldInset = 100.0;
constexpr double kTextFieldHeight = 32.0;
// The smallest grid spacing drawn, in view units.
constexpr double kMinimumPitch = 5.0;

}  // namespace

void MeasureModel::initVideoView() {
    const MeasureModel initial;
    iMode = initial.iMode;
    iLineWidth = initial.iLineWidth;
    iFontSize = initial.iFontSize;
    iDecimal = initial.iDecimal;
    ctrLColor = initial.ctrLColor;
    ctrFColor = initial.ctrFColor;
    iToolStep = 0;
    fData1 = fData2 = fData3 = fData4 = 0.0f;
    fPitchPixes = initial.fPitchPixes;
    oMutShapsArray = {};
}

void MeasureModel::resetMeasureParas() {
    const MeasureModel initial;
    bCalibration = false;
    bCompletedCalibration = false;
    strCalName = initial.strCalName;
    strUnit = initial.strUnit;
    fScale = initial.fScale;
    fActualLength = initial.fActualLength;
    fUnitLength = initial.fUnitLength;
}

void MeasureModel::setMeasureMode(int32_t mode, const std::string& name, const std::string& unit,
                                  float mag, float len, bool cal) {
    iMode = static_cast<uint8_t>(mode);
    if (iMode == kModeText) {
        if (!textField) {
            TextFieldModel field;
            field.x = kTextFieldInset;
            field.y = viewHeight - kTextFieldInset;
            field.width = std::max(0.0, viewWidth - 2.0 * kTextFieldInset);
            field.height = kTextFieldHeight;
            textField = field;
        }
        textField->hidden = false;
    }
    iToolStep = 0;
    bCompletedCalibration = false;
    if (cal && !bCalibration) {
        heldCalibration = {fScale, fUnitLength, strUnit};
        strHeldCalName = strCalName;
    }
    bCalibration = cal;
    strCalName = name;
    strUnit = unit;
    fScale = mag;
    if (cal) {
        fActualLength = len;
        fUnitLength = 1.0f;
    } else {
        fUnitLength = len;
    }
    resetPoints();
}

void MeasureModel::resetPoints() {
    clearPoints();
    fData1 = fData2 = fData3 = fData4 = 0.0f;
    for (int i = 1; i <= 9; ++i) {
        auxVariable(i) = 0.0f;
    }
    iCLineAuvariable = 0;
}

CalibrationValues calibrationOf(const MeasureModel& model) {
    if (model.bCalibration) return model.heldCalibration;
    return {model.fScale, model.fUnitLength, model.strUnit};
}

const std::string& calibrationNameOf(const MeasureModel& model) {
    return model.bCalibration ? model.strHeldCalName : model.strCalName;
}

bool MeasureModel::getShapesCount() const { return !oMutShapsArray.empty(); }

void MeasureModel::removeShapes(ShapeRemoval which) {
    if (oMutShapsArray.empty()) return;
    if (which == ShapeRemoval::Last) {
        oMutShapsArray.pop_back();
    } else {
        oMutShapsArray.clear();
    }
}

void MeasureModel::removeShapeAt(size_t index) {
    if (index < oMutShapsArray.size())
        oMutShapsArray.erase(oMutShapsArray.begin() + static_cast<std::ptrdiff_t>(index));
}

// A pitch that is not a finite number (unit length 0) counts as below the
// minimum, so no grid is drawn with it.
void MeasureModel::setGridView(uint8_t mode, float len, float mag, float unitlength) {
    if (mode == kGridNone) {
        iGridMode = kGridNone;
        return;
    }
    const float pitch = len * mag / unitlength;
    fPitchPixes = pitch;
    if (mode == kGridCrosshair) {
        iGridMode = kGridCrosshair;
    } else if (std::isfinite(pitch) && pitch >= kMinimumPitch) {
        iGridMode = mode;
        fGridLength = len;
        // A reference line being drawn keeps the calibration it completes.
        if (!bCalibration) {
            fScale = mag;
            fUnitLength = unitlength;
        }
    } else {
        iGridMode = kGridNone;
    }
}

float& MeasureModel::auxVariable(int index) {
    static constexpr float MeasureModel::*kAux[9] = {
        &MeasureModel::AuxVariable1, &MeasureModel::AuxVariable2, &MeasureModel::AuxVariable3,
        &MeasureModel::AuxVariable4, &MeasureModel::AuxVariable5, &MeasureModel::AuxVariable6,
        &MeasureModel::AuxVariable7, &MeasureModel::AuxVariable8, &MeasureModel::AuxVariable9,
    };
    return this->*kAux[index - 1];
}

}  // namespace lumetra
