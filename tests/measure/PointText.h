#pragma once
// Points and mouse input written as text for compact test tables.

#include <sstream>
#include <string>

#include "measure/MeasureModel.h"
#include "measure/PointSlots.h"

namespace lumetra::test {

// "1=10,10 3=20.5,40" sets slot 1 to (10, 10) and slot 3 to (20.5, 40); the other
// slots stay empty.
inline PointSlots slotsOf(const std::string& text) {
    PointSlots slots;
    std::istringstream in(text);
    int k = 0;
    double x = 0.0, y = 0.0;
    char equals = 0, comma = 0;
    while (in >> k >> equals >> x >> comma >> y) slots.pt(k) = {x, y};
    return slots;
}

// Mouse events to the model: "c10,20" a click, "k10,20" a Control-click, "m10,20" a
// move; with moveBeforeClicks a move to each click's place comes first, as a mouse gives.
inline void playMouse(MeasureModel& m, const std::string& script, bool moveBeforeClicks = false) {
    std::istringstream in(script);
    char kind = 0, comma = 0;
    double x = 0.0, y = 0.0;
    while (in >> kind >> x >> comma >> y) {
        if (kind == 'm' || moveBeforeClicks) m.mouseMoved({x, y});
        if (kind != 'm') m.mouseDown({x, y}, kind == 'k');
    }
}

}  // namespace lumetra::test
