#include "measure/LabelFormat.h"

#include <cmath>
#include <cstdio>

#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {
// Circle constants of the labels, deliberately not 2*pi and pi.
constexpr double kCircumferenceFactor = 6.283;
constexpr double kPiLabel = 3.1415;

constexpr const char* kSuperscriptTwo = "\u00B2";
constexpr const char* kDegreeSign = "\u00B0";
}  // namespace

bool isUsable(const CalibrationValues& cal) {
    return cal.fScale > 0.0f && cal.fUnitLength > 0.0f && std::isfinite(cal.fScale) &&
           std::isfinite(cal.fUnitLength);
}

std::string formatFixed(int decimals, double value) {
    char small[64];
    const int n = std::snprintf(small, sizeof small, "%.*f", decimals, value);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    // Large magnitudes or many decimals: format again into a buffer of the exact size.
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%.*f", decimals, value);
    out.resize(static_cast<size_t>(n));
    return out;
}

float lengthInUnits(float px, const CalibrationValues& cal) {
    return px * cal.fUnitLength / cal.fScale;
}

float areaInUnits(float squarePx, const CalibrationValues& cal) {
    return squarePx * cal.fUnitLength * cal.fUnitLength / (cal.fScale * cal.fScale);
}

std::string lengthLine(char prefix, int decimals, double value, const std::string& unit) {
    std::string line{prefix, ':'};
    line += formatFixed(decimals, value);
    line += unit;
    return line;
}

std::string areaLine(int decimals, double value, const std::string& unit) {
    return lengthLine('A', decimals, value, unit) + kSuperscriptTwo;
}

std::string angleLine(int decimals, double degrees) {
    return "<:" + formatFixed(decimals, degrees) + kDegreeSign;
}

namespace {

std::vector<MeasuredValue> convertedValues(uint8_t type, float fData1,
                                           const CalibrationValues& cal) {
    const ToolSpec* tool = findTool(type);
    if (!tool) return {};
    switch (tool->label) {
        case LabelKind::Length:
            return {{Quantity::Length, lengthInUnits(fData1, cal)}};
        case LabelKind::Radius: {
            const double r = lengthInUnits(fData1, cal);
            return {{Quantity::Radius, r},
                    {Quantity::Circumference, r * kCircumferenceFactor},
                    {Quantity::Area, r * kPiLabel * r}};
        }
        case LabelKind::Diameter: {
            const double d = lengthInUnits(fData1, cal);
            return {{Quantity::Diameter, d},
                    {Quantity::Circumference, d * kPiLabel},
                    {Quantity::Area, d * kPiLabel * d * 0.25}};
        }
        case LabelKind::Angle:
            return {{Quantity::Angle, fData1}};
        case LabelKind::Area:
            return {{Quantity::Area, areaInUnits(fData1, cal)}};
        case LabelKind::Text:
        case LabelKind::Mark:
            break;
    }
    return {};
}

}  // namespace

std::vector<MeasuredValue> measurementValues(uint8_t type, float fData1,
                                             const CalibrationValues& cal) {
    std::vector<MeasuredValue> values = convertedValues(type, fData1, cal);
    // Without a usable calibration no length or area is computed; a value that is
    // not a finite number is not given either, never shown as inf or nan.
    const bool calibrated = isUsable(cal);
    std::erase_if(values, [calibrated](const MeasuredValue& v) {
        return !std::isfinite(v.value) || (!calibrated && v.quantity != Quantity::Angle);
    });
    return values;
}

std::vector<std::string> measurementLabel(uint8_t type, float fData1, int decimals,
                                          const CalibrationValues& cal) {
    std::vector<std::string> lines;
    for (const MeasuredValue& v : measurementValues(type, fData1, cal)) {
        switch (v.quantity) {
            case Quantity::Length:
                lines.push_back(lengthLine('L', decimals, v.value, cal.strUnit));
                break;
            case Quantity::Radius:
                lines.push_back(lengthLine('R', decimals, v.value, cal.strUnit));
                break;
            case Quantity::Diameter:
                lines.push_back(lengthLine('D', decimals, v.value, cal.strUnit));
                break;
            case Quantity::Circumference:
                lines.push_back(lengthLine('C', decimals, v.value, cal.strUnit));
                break;
            case Quantity::Area:
                lines.push_back(areaLine(decimals, v.value, cal.strUnit));
                break;
            case Quantity::Angle:
                lines.push_back(angleLine(decimals, v.value));
                break;
        }
    }
    return lines;
}

}  // namespace lumetra
