#include "policy/grid/ClickGatherer.h"

namespace lumetra {

std::vector<GridClick> resolveClicks(const std::vector<std::optional<int>>& cells) {
    std::vector<GridClick> out;
    for (size_t i = 0; i < cells.size();) {
        size_t end = i + 1;
        while (end < cells.size() && cells[end] && cells[end] == cells[i]) ++end;
        if (cells[i])
            out.push_back(GridClick{
                end - i >= 2 ? GridClick::Kind::DoubleClick : GridClick::Kind::Click, *cells[i]});
        i = end;
    }
    return out;
}

void ClickGatherer::mouseUp(std::optional<int> index) {
    const bool first = gathered_.empty();
    gathered_.push_back(index);
    if (!first) return;
    const unsigned gathering = ++gathering_;
    startTimer_([this, gathering] { fire(gathering); });
}

void ClickGatherer::shiftFrom(int index) {
    for (auto& cell : gathered_)
        if (cell && *cell >= index) ++*cell;
}

void ClickGatherer::fire(unsigned gathering) {
    if (gathering != gathering_) return;
    const auto events = resolveClicks(gathered_);
    gathered_.clear();
    ++gathering_;
    if (deliver_ && !events.empty()) deliver_(events);
}

}  // namespace lumetra
