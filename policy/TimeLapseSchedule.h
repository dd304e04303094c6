#pragma once
// When a time-lapse takes its pictures. Picture k is due at start + k x interval and may
// be taken until the next one is due; a picture that could not be taken in that window
// (the camera delivered nothing new: a WiFi dropout, an unplugged device) is missed,
// counted, and the time-lapse goes on with the next one. It ends after its count of
// pictures, after its duration (the last picture due at or before start + duration), or
// when it is stopped; without either limit it runs until stopped. The caller's clock
// drives it: nothing here reads the time.

#include <chrono>
#include <cstdint>
#include <optional>

namespace lumetra {

struct TimeLapsePlan {
    std::chrono::milliseconds interval{1000};  // more than zero
    int count = 0;                             // pictures; 0: no count
    std::chrono::milliseconds duration{0};     // 0: no duration
};

class TimeLapseSchedule {
public:
    using Clock = std::chrono::steady_clock;

    // The first picture is due at start.
    TimeLapseSchedule(TimeLapsePlan plan, Clock::time_point start);

    // What to do at now, given whether a picture could be taken (a fresh frame is
    // there): Take (the due picture counts as taken; done() may be true after the
    // last), Wait, or Done. Pictures whose window passed without one are counted as
    // missed first.
    enum class Step { Wait, Take, Done };
    Step poll(Clock::time_point now, bool pictureAvailable);
    // Ends the time-lapse before its time.
    void stop() { stopped_ = true; }

    int taken() const { return taken_; }
    int missed() const { return missed_; }
    // Pictures still to come; nullopt when it runs until stopped.
    std::optional<int> remaining() const;
    bool done() const;
    // When the next picture is due; nullopt once done.
    std::optional<Clock::time_point> nextDue() const;

private:
    Clock::time_point due(int64_t index) const { return start_ + plan_.interval * index; }
    // The number of pictures, nullopt without a limit.
    std::optional<int64_t> total() const;

    TimeLapsePlan plan_;
    Clock::time_point start_;
    int64_t next_ = 0;  // the picture waiting to be taken
    int taken_ = 0;
    int missed_ = 0;
    bool stopped_ = false;
};

}  // namespace lumetra
