#include "measure/CountMarks.h"

#include <cmath>

#include "image/Translate.h"

namespace lumetra {
namespace {

// Told apart on light and dark pictures alike; the numbers still say the class.
constexpr std::array<RgbColor, kCountClasses> kClassColours{{
    {0.95, 0.15, 0.15},  // red
    {0.15, 0.55, 1.0},   // blue
    {0.1, 0.8, 0.2},     // green
    {1.0, 0.85, 0.0},    // yellow
    {0.85, 0.3, 0.9},    // purple
    {1.0, 0.55, 0.0},    // orange
    {0.0, 0.85, 0.85},   // cyan
    {1.0, 1.0, 1.0},     // white
    {0.6, 0.4, 0.2},     // brown
}};

}  // namespace

CountClassNames defaultCountClassNames() {
    CountClassNames names;
    for (int c = 1; c <= kCountClasses; ++c)
        names[static_cast<size_t>(c - 1)] =
            fillIn(translate("CountMarks", "Class {}"), {std::to_string(c)});
    return names;
}

bool isCountClass(int markClass) { return markClass >= 1 && markClass <= kCountClasses; }

RgbColor countClassColor(int markClass) {
    return isCountClass(markClass) ? kClassColours[static_cast<size_t>(markClass - 1)]
                                   : kClassColours[0];
}

bool isMark(const RQShape& shape) { return shape.type == kModeCount; }

std::vector<int> markNumbers(std::span<const RQShape> shapes) {
    std::vector<int> numbers(shapes.size(), 0);
    ClassCounts seen{};
    for (size_t i = 0; i < shapes.size(); ++i) {
        if (isMark(shapes[i]) && isCountClass(shapes[i].markClass))
            numbers[i] = ++seen[static_cast<size_t>(shapes[i].markClass - 1)];
    }
    return numbers;
}

ClassCounts countsPerClass(std::span<const RQShape> shapes) {
    ClassCounts counts{};
    for (const RQShape& shape : shapes) {
        if (isMark(shape) && isCountClass(shape.markClass))
            ++counts[static_cast<size_t>(shape.markClass - 1)];
    }
    return counts;
}

std::string markLabel(int markClass, int number) {
    return std::to_string(markClass) + "\u00B7" + std::to_string(number);
}

std::optional<size_t> markAt(std::span<const RQShape> shapes, Point p) {
    for (size_t i = shapes.size(); i-- > 0;) {
        const RQShape& shape = shapes[i];
        if (isMark(shape) &&
            std::hypot(shape.pt1stPoint.x - p.x, shape.pt1stPoint.y - p.y) <= kMarkHitRadius)
            return i;
    }
    return std::nullopt;
}

}  // namespace lumetra
