#include "measure/CountLegend.h"

#include <algorithm>

#include "measure/tools/ShapePen.h"

namespace lumetra {
namespace {

constexpr double kMargin = 8.0;
constexpr double kPadding = 4.0;
constexpr RgbColor kBackdrop{0.0, 0.0, 0.0};
constexpr double kBackdropOpacity = 0.55;
// The core has no font metrics: a character is taken as this share of the size.
constexpr double kCharacterWidth = 0.62;

size_t characters(const std::string& utf8) {
    return static_cast<size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

std::vector<std::string> countLegendLines(std::span<const RQShape> shapes,
                                          const CountClassNames& names) {
    const ClassCounts counts = countsPerClass(shapes);
    std::vector<std::string> lines;
    for (size_t c = 0; c < counts.size(); ++c) {
        if (counts[c] > 0)
            lines.push_back(std::to_string(c + 1) + " " + names[c] + ": " +
                            std::to_string(counts[c]));
    }
    return lines;
}

void drawCountLegend(DrawingSurface& surface, std::span<const RQShape> shapes,
                     const CountClassNames& names, double w, double h, double fontSize) {
    const ClassCounts counts = countsPerClass(shapes);
    const std::vector<std::string> lines = countLegendLines(shapes, names);
    if (lines.empty()) return;
    size_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, characters(line));
    const double lineHeight = fontSize * 1.25;
    const double height = lineHeight * static_cast<double>(lines.size()) + 2.0 * kPadding;
    const double width = static_cast<double>(widest) * fontSize * kCharacterWidth + 2.0 * kPadding;
    const double left = w - kMargin - width;
    surface.fillRect({left, h - kMargin - height, width, height}, kBackdrop, kBackdropOpacity);
    size_t line = 0;
    for (size_t c = 0; c < counts.size(); ++c) {
        if (counts[c] == 0) continue;
        ++line;
        const Point origin{left + kPadding,
                           h - kMargin - kPadding - lineHeight * static_cast<double>(line)};
        surface.drawText(lines[line - 1], origin, kLabelFontFamily, fontSize,
                         countClassColor(static_cast<int>(c) + 1));
    }
}

}  // namespace lumetra
