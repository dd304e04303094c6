#pragma once
// Count marks: the stored shapes of the counting tool, each in one of nine
// classes with a colour and a name. A mark shows its class number and its
// running number within the class ("2·5"), so that colour never carries the
// class alone. Running numbers follow the list order and close up when a mark
// is removed, so they are computed from the list, never stored.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "measure/RQShape.h"

namespace lumetra {

inline constexpr int kCountClasses = 9;
// The ring drawn around a mark's point and the distance within which a click
// hits a mark, in view units.
inline constexpr double kMarkRadius = 6.0;
inline constexpr double kMarkHitRadius = 10.0;

using CountClassNames = std::array<std::string, kCountClasses>;
using ClassCounts = std::array<int, kCountClasses>;

// "Class 1" ... "Class 9".
CountClassNames defaultCountClassNames();

// Whether a class number is one of the nine.
bool isCountClass(int markClass);
// The fixed colour of a class, 1 to 9; distinct from each other.
RgbColor countClassColor(int markClass);

bool isMark(const RQShape& shape);

// Per shape, its running number among the marks of its class in list order;
// 0 for shapes that are not marks.
std::vector<int> markNumbers(std::span<const RQShape> shapes);

// The marks of each class; index 0 is class 1.
ClassCounts countsPerClass(std::span<const RQShape> shapes);

// A mark's label: class number, a middle dot and running number, e.g. "2·5".
std::string markLabel(int markClass, int number);

// The newest mark within kMarkHitRadius of p, if any.
std::optional<size_t> markAt(std::span<const RQShape> shapes, Point p);

}  // namespace lumetra
