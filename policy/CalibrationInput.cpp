#include "policy/CalibrationInput.h"

#include "image/Translate.h"
#include "policy/NumberText.h"
#include "storage/CalibrationRecords.h"

namespace lumetra {

std::optional<std::string> calibrationInputProblem(const CalibrationInput& input) {
    if (input.name.empty()) return translate("CalibrationInput", kAlertNameIllegal);
    if (!isAcceptableCalibrationName(input.name))
        return translate("CalibrationInput", kAlertNameUnprintable);
    if (input.magnification.empty() || input.length.empty())
        return translate("CalibrationInput", kAlertLengthEmpty);
    if (!isPureInt(input.magnification) || !isPureFloat(input.length))
        return translate("CalibrationInput", kAlertLengthNotNumber);
    // A length that is not greater than 0 would read every later length as 0; with a
    // magnification that is not greater than 0 the reference line could never complete
    // the calibration, and the user would draw it again and again without a word.
    if (!(parseFloatValue(input.length) > 0.0f) || !(parseFloatValue(input.magnification) > 0.0f))
        return translate("CalibrationInput", kAlertLengthNotNumber);
    return std::nullopt;
}

UserEntity calibrationEnteredEntity(const CalibrationInput& input) {
    UserEntity entity;
    entity.Param1 = input.name;
    entity.Param2 = input.magnification;
    entity.Param3 = input.length;
    entity.Param4 = input.unit;
    return entity;
}

const std::vector<std::string>& calibrationUnitTitles() {
    static const std::vector<std::string> titles{"mm", "µm", "cm", "in", "mil"};
    return titles;
}

}  // namespace lumetra
