#pragma once
// Label texts of measurements: number formatting and the conversion of stored
// view-pixel values into the current calibration unit.

#include <cstdint>
#include <string>
#include <vector>

#include "measure/CalibrationValues.h"

namespace lumetra {

// Whether lengths can be computed in it: magnification and unit length are
// finite and greater than 0. Magnification 0 stands for no calibration.
bool isUsable(const CalibrationValues& cal);

// printf's "%.*f": value with exactly `decimals` digits after the point
// (none, and no point, for 0).
std::string formatFixed(int decimals, double value);

// Length in the calibration unit: px * fUnitLength / fScale, in float.
float lengthInUnits(float px, const CalibrationValues& cal);

// Area in the square calibration unit: px2 * u * u / (s * s), in float.
float areaInUnits(float squarePx, const CalibrationValues& cal);

// The individual label lines, e.g. "L:12.000mm", "A:2.778mm²", "<:45.000°".
std::string lengthLine(char prefix, int decimals, double value, const std::string& unit);
std::string areaLine(int decimals, double value, const std::string& unit);
std::string angleLine(int decimals, double degrees);

// The quantities a measurement's label shows, in label order.
enum class Quantity : uint8_t { Length, Radius, Diameter, Circumference, Area, Angle };

struct MeasuredValue {
    Quantity quantity;
    double value;  // in the calibration unit, its square, or degrees
};

// The values of a measurement of the given type whose stored value is fData1,
// converted as its label converts them: one value, or radius or diameter,
// circumference and area for the circles. Text and unknown types give none;
// without a usable calibration only angles are given, and a value that is not
// a finite number never is.
std::vector<MeasuredValue> measurementValues(uint8_t type, float fData1,
                                             const CalibrationValues& cal);

// The label block of a measurement of the given type (1 to 10) whose value is
// fData1 (view pixels, square view pixels or degrees): one line, or three for
// the circles ("R:"/"D:", "C:", "A:"). Types without a numeric label (text,
// unknown types) give no lines.
std::vector<std::string> measurementLabel(uint8_t type, float fData1, int decimals,
                                          const CalibrationValues& cal);

}  // namespace lumetra
