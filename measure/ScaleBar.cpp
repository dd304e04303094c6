#include "measure/ScaleBar.h"

#include <algorithm>
#include <cmath>

#include "measure/tools/ShapePen.h"

namespace lumetra {
namespace {

constexpr double kWidthShare = 0.2;       // the bar's target share of the width
constexpr double kFontShare = 0.035;      // font size per picture height
constexpr double kMinFontSize = 6.0;      // still legible on tiny pictures
constexpr double kTextWidthFactor = 0.6;  // text width per character and font size
constexpr int kMaxDecimals = 12;
constexpr int kMaxExponent = 15;
constexpr RgbColor kPlateColor{0.0, 0.0, 0.0};
// Half-translucent, so that measurement labels under the plate stay readable.
constexpr double kPlateOpacity = 0.5;
constexpr RgbColor kInkColor{1.0, 1.0, 1.0};

// A generous estimate of the label's width: the surface cannot measure text.
double textWidth(const std::string& utf8, double fontSize) {
    const auto codePoints = std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<double>(codePoints) * fontSize * kTextWidthFactor;
}

}  // namespace

double roundScaleLength(double target) {
    if (!std::isfinite(target) || target <= 0.0) return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    double best = power;
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        const double candidate = step * power;
        if (std::abs(std::log(candidate / target)) < std::abs(std::log(best / target)))
            best = candidate;
    }
    return best;
}

std::optional<ScaleBar> scaleBar(double w, double h, double unitsPerPixel, const std::string& unit,
                                 const std::string& name) {
    if (!(w > 0.0 && h > 0.0 && std::isfinite(w) && std::isfinite(h))) return std::nullopt;
    const double length = roundScaleLength(w * kWidthShare * unitsPerPixel);
    if (length <= 0.0) return std::nullopt;
    const int exponent = static_cast<int>(std::lround(std::floor(std::log10(length))));
    if (exponent < -kMaxDecimals || exponent > kMaxExponent) return std::nullopt;

    ScaleBar out;
    out.length = length;
    out.lengthText = formatFixed(std::max(0, -exponent), length) + " " + unit;
    out.name = name;
    out.fontSize = std::max(kMinFontSize, h * kFontShare);
    out.lineWidth = std::max(1.0, out.fontSize * 0.2);
    const double pad = out.fontSize * 0.4;
    const double margin = out.fontSize;
    const double barPixels = length / unitsPerPixel;
    const double nameHeight = name.empty() ? 0.0 : out.fontSize * 1.2;
    const double content = std::max(
        {barPixels, textWidth(out.lengthText, out.fontSize), textWidth(name, out.fontSize)});

    out.plate.width = content + 2.0 * pad;
    out.plate.height = pad + nameHeight + 2.0 * out.lineWidth + pad + out.fontSize + pad;
    out.plate.x = w - margin - out.plate.width;
    out.plate.y = margin;
    const double left = out.plate.x + pad;
    out.nameOrigin = {left, out.plate.y + pad};
    const double barY = out.plate.y + pad + nameHeight + out.lineWidth;
    out.bar = {{left, barY}, {left + barPixels, barY}};
    const double tick = pad;
    out.ends = {Segment{{left, barY - tick}, {left, barY + tick}},
                Segment{{left + barPixels, barY - tick}, {left + barPixels, barY + tick}}};
    out.lengthOrigin = {left, barY + out.lineWidth + pad};
    return out;
}

std::optional<ScaleBar> calibrationScaleBar(const CalibrationValues& cal, const std::string& name,
                                            double w, double h, double pixelsPerViewUnit) {
    const double unitsPerViewUnit = static_cast<double>(cal.fUnitLength) / cal.fScale;
    return scaleBar(w, h, unitsPerViewUnit / pixelsPerViewUnit, cal.strUnit, name);
}

void drawScaleBar(DrawingSurface& surface, const ScaleBar& bar) {
    surface.fillRect(bar.plate, kPlateColor, kPlateOpacity);
    surface.setLineWidth(bar.lineWidth);
    surface.setStrokeColor(kInkColor);
    surface.beginPath();
    for (const Segment& s : {bar.bar, bar.ends[0], bar.ends[1]}) {
        surface.moveTo(s.a);
        surface.lineTo(s.b);
    }
    surface.stroke();
    surface.drawText(bar.lengthText, bar.lengthOrigin, kLabelFontFamily, bar.fontSize, kInkColor);
    if (!bar.name.empty())
        surface.drawText(bar.name, bar.nameOrigin, kLabelFontFamily, bar.fontSize, kInkColor);
}

}  // namespace lumetra
