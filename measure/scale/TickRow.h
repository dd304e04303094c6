#pragma once
// The row of ticks in a brightness profile: the ticks' period found from the
// profile's autocorrelation, each tick located to a fraction of a sample, and the
// period and its standard error from a least-squares line through the ticks'
// positions against their index. Dark ticks on a light ground and light ones on a
// dark ground are both found. A profile without such a row is refused with the reason.

#include <string>
#include <variant>
#include <vector>

namespace lumetra {

struct ScaleRefusal {
    std::string reason;
};

// Ticks located along a profile, positions in samples from its start.
struct TickRow {
    double period = 0.0;  // samples between neighbouring ticks, from the fit
    double sigma = 0.0;   // standard error of the period
    double offset = 0.0;  // the fitted position of tick number 0
    std::vector<double> positions;
    std::vector<int> indices;  // each position's tick number (gaps where one was missed)
};

using TickRowSearch = std::variant<TickRow, ScaleRefusal>;

// The whole search on one profile.
TickRowSearch findTickRow(const std::vector<double>& profile);

// The ticks of a profile whose period is known already, unfitted (period and sigma 0):
// how a profile beside the first one is read.
TickRow locateTicks(const std::vector<double>& profile, double period);

}  // namespace lumetra
