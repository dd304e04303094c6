#pragma once
// Turns the mouse-ups on the grid into click and double-click events. The
// first mouse-up of a gathering starts a timer of the double-click interval;
// the mouse-ups that follow before it fires join the gathering; when it fires
// the gathered clicks are resolved by the cells under them and cleared.
//
// Resolution: a run of clicks on one cell is one double click when it has two
// or more clicks, else a single click; a click on no cell gives nothing and
// ends a run. So: A A is a double click, A B two clicks, A A A one double
// click, A A B a double then a single click, A B B a single then a double
// click, A B C three clicks. Toolkit-free: the timer is injected.

#include <functional>
#include <optional>
#include <vector>

namespace lumetra {

struct GridClick {
    enum class Kind { Click, DoubleClick };
    Kind kind = Kind::Click;
    int index = 0;
    bool operator==(const GridClick&) const = default;
};

// The events of one gathering of clicks (each entry the cell under a mouse-up).
std::vector<GridClick> resolveClicks(const std::vector<std::optional<int>>& cells);

class ClickGatherer {
public:
    // Starts a one-shot timer that calls `fire` once after the double-click
    // interval.
    using StartTimer = std::function<void(std::function<void()> fire)>;
    using Deliver = std::function<void(const std::vector<GridClick>&)>;

    ClickGatherer(StartTimer startTimer, Deliver deliver)
        : startTimer_(std::move(startTimer)), deliver_(std::move(deliver)) {}

    void setStartTimer(StartTimer startTimer) { startTimer_ = std::move(startTimer); }

    // A mouse-up over the cell `index` (none: between cells).
    void mouseUp(std::optional<int> index);

    // Forgets the gathered clicks (the cells changed); a pending timer then
    // resolves nothing.
    void clear() { gathered_.clear(); }

    // Index shift after an insertion at `index`: gathered clicks on later
    // cells follow their cells.
    void shiftFrom(int index);

private:
    void fire(unsigned gathering);

    StartTimer startTimer_;
    Deliver deliver_;
    std::vector<std::optional<int>> gathered_;
    unsigned gathering_ = 0;  // tells a stale timer from the current one
};

}  // namespace lumetra
