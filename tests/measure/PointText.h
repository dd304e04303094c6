#pragma once
// Point slots written as text for compact test tables: "1=10,10 3=20.5,40" sets
// slot 1 to (10, 10) and slot 3 to (20.5, 40); the other slots stay empty.

#include <sstream>
#include <string>

#include "measure/PointSlots.h"

namespace lumetra::test {

inline PointSlots slotsOf(const std::string& text) {
    PointSlots slots;
    std::istringstream in(text);
    int k = 0;
    double x = 0.0, y = 0.0;
    char equals = 0, comma = 0;
    while (in >> k >> equals >> x >> comma >> y) slots.pt(k) = {x, y};
    return slots;
}

}  // namespace lumetra::test
