#include "policy/TimeLapseSchedule.h"

#include <algorithm>

namespace lumetra {

TimeLapseSchedule::TimeLapseSchedule(TimeLapsePlan plan, Clock::time_point start)
    : plan_(plan), start_(start) {}

std::optional<int64_t> TimeLapseSchedule::total() const {
    std::optional<int64_t> total;
    if (plan_.count > 0) total = plan_.count;
    if (plan_.duration.count() > 0) {
        const int64_t byDuration = plan_.duration / plan_.interval + 1;
        total = total ? std::min(*total, byDuration) : byDuration;
    }
    return total;
}

bool TimeLapseSchedule::done() const {
    const auto all = total();
    return stopped_ || (all && next_ >= *all);
}

std::optional<int> TimeLapseSchedule::remaining() const {
    const auto all = total();
    if (!all) return std::nullopt;
    return done() ? 0 : static_cast<int>(*all - next_);
}

std::optional<TimeLapseSchedule::Clock::time_point> TimeLapseSchedule::nextDue() const {
    if (done()) return std::nullopt;
    return due(next_);
}

TimeLapseSchedule::Step TimeLapseSchedule::poll(Clock::time_point now, bool pictureAvailable) {
    if (done()) return Step::Done;
    if (now < due(next_)) return Step::Wait;
    // The picture due last at now; every one before it had its window and missed it.
    int64_t current = (now - start_) / plan_.interval;
    if (const auto all = total()) current = std::min(current, *all);
    missed_ += static_cast<int>(current - next_);
    next_ = current;
    if (done()) return Step::Done;
    if (!pictureAvailable) return Step::Wait;
    ++taken_;
    ++next_;
    return Step::Take;
}

}  // namespace lumetra
