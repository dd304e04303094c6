#include "measure/scale/FindScale.h"

#include <cmath>
#include <limits>

#include "image/Translate.h"

namespace lumetra {
namespace {

constexpr int kHalfBand = 2;         // the profile is the mean over five pixels across the line
constexpr double kSideOffset = 4.0;  // pixels from the line to each profile beside it
constexpr int kSideHalfBand = 1;
constexpr int kMaxTurns = 3;
constexpr double kSquareEnough = 2e-4;  // radians; the period then reads 2e-8 long
constexpr int kMinSlantTicks = 5;

struct Line {
    PixelPoint start;
    PixelPoint unit;
    int count = 0;  // samples, one pixel apart
};

PixelPoint across(PixelPoint unit) { return {-unit.y, unit.x}; }

std::vector<double> profileAt(const Frame& frame, const Line& line, double offset, int halfBand) {
    const PixelPoint side = across(line.unit);
    return bandProfile(frame, {line.start.x + offset * side.x, line.start.y + offset * side.y},
                       line.unit, line.count, halfBand);
}

// The nearest of the positions to x, or infinity when there are none.
double nearest(const std::vector<double>& positions, double x) {
    double best = std::numeric_limits<double>::infinity();
    for (double p : positions)
        if (std::abs(p - x) < std::abs(best - x)) best = p;
    return best;
}

// The angle of the ticks to the line's normal, from how far each tick moves between
// the profiles on either side of the line; 0 when too few ticks reach both.
double tickSlant(const Frame& frame, const Line& line, const TickRow& row) {
    const TickRow plus =
        locateTicks(profileAt(frame, line, kSideOffset, kSideHalfBand), row.period);
    const TickRow minus =
        locateTicks(profileAt(frame, line, -kSideOffset, kSideHalfBand), row.period);
    double shift = 0.0;
    int pairs = 0;
    for (double x : row.positions) {
        const double p = nearest(plus.positions, x), m = nearest(minus.positions, x);
        if (std::abs(p - x) > row.period / 3.0 || std::abs(m - x) > row.period / 3.0) continue;
        shift += p - m;
        ++pairs;
    }
    if (pairs < kMinSlantTicks) return 0.0;
    return std::atan(shift / pairs / (2.0 * kSideOffset));
}

PixelPoint turned(PixelPoint v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

ScaleFound foundOn(const Line& line, const TickRow& row) {
    ScaleFound found;
    found.periodPx = row.period;
    found.sigmaPx = row.sigma;
    found.ticks = static_cast<int>(row.positions.size());
    for (double x : row.positions)
        found.tickPoints.push_back(
            {line.start.x + x * line.unit.x, line.start.y + x * line.unit.y});
    found.along = across(line.unit);
    const auto fitted = [&](int index) {
        const double x = row.offset + index * row.period;
        return PixelPoint{line.start.x + x * line.unit.x, line.start.y + x * line.unit.y};
    };
    found.firstTick = fitted(row.indices.front());
    found.lastTick = fitted(row.indices.back());
    found.divisions = row.indices.back() - row.indices.front();
    return found;
}

}  // namespace

ScaleSearch findScale(const Frame& frame, PixelPoint a, PixelPoint b) {
    if (frame.isNull())
        return ScaleRefusal{translate("ScaleSearch", "There is no picture to search")};
    if (!insideFrame(frame, a) || !insideFrame(frame, b))
        return ScaleRefusal{translate("ScaleSearch", "The line runs outside the picture")};
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length >= 1.0))
        return ScaleRefusal{translate("ScaleSearch", "The line is too short to cross five ticks")};
    const PixelPoint middle{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
    PixelPoint unit{(b.x - a.x) / length, (b.y - a.y) / length};
    const int count = static_cast<int>(length) + 1;
    // Turns the line about its middle until it is square to the ticks.
    for (int turn = 0;; ++turn) {
        const double half = (count - 1) / 2.0;
        const Line line{{middle.x - half * unit.x, middle.y - half * unit.y}, unit, count};
        TickRowSearch search = findTickRow(profileAt(frame, line, 0.0, kHalfBand));
        if (auto* refusal = std::get_if<ScaleRefusal>(&search)) return *refusal;
        const TickRow& row = std::get<TickRow>(search);
        const double slant = turn < kMaxTurns ? tickSlant(frame, line, row) : 0.0;
        if (std::abs(slant) < kSquareEnough) return foundOn(line, row);
        unit = turned(unit, -slant);
    }
}

}  // namespace lumetra
