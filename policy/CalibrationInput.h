#pragma once
// The values typed into the new-calibration sheet and their check.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/Translate.h"
#include "measure/Types.h"

namespace lumetra {

struct CalibrationInput {
    std::string name;
    std::string magnification;  // a whole number, as typed
    std::string length;         // the actual length of the reference feature, as typed
    std::string unit;           // title of the chosen unit
};

inline constexpr const char* kAlertNameIllegal =
    QT_TRANSLATE_NOOP("CalibrationInput", "Name is illegal");
inline constexpr const char* kAlertNameUnprintable =
    QT_TRANSLATE_NOOP("CalibrationInput", "The name must not contain control characters");
inline constexpr const char* kAlertLengthEmpty =
    QT_TRANSLATE_NOOP("CalibrationInput", "Actual length is illegal");
inline constexpr const char* kAlertLengthNotNumber =
    QT_TRANSLATE_NOOP("CalibrationInput", "Actual Length is illegal");

// The alert for input that cannot start a calibration, checked in this order:
// empty name, a name with control characters (or malformed text) that the
// calibration list cannot store, empty magnification or length, magnification not a
// whole number or length not a decimal number, length or magnification not greater
// than 0. None when the input is good.
std::optional<std::string> calibrationInputProblem(const CalibrationInput& input);

// kTransferCalibrationEntered: Param1 name, Param2 magnification and Param3 length as typed, Param4
// unit.
UserEntity calibrationEnteredEntity(const CalibrationInput& input);

// The unit titles offered by the sheet, the default first. None contains "-",
// which separates the fields of a stored calibration record.
const std::vector<std::string>& calibrationUnitTitles();

}  // namespace lumetra
