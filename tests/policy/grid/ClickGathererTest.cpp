#include <gtest/gtest.h>

#include "policy/grid/ClickGatherer.h"

using namespace lumetra;

namespace {

constexpr auto C = GridClick::Kind::Click;
constexpr auto D = GridClick::Kind::DoubleClick;

}  // namespace

TEST(ClickGatherer, ResolvesGatheredClicksByTheirCells) {
    using Cells = std::vector<std::optional<int>>;
    struct Case {
        Cells cells;
        std::vector<GridClick> events;
    } cases[] = {
        {{1}, {{C, 1}}},
        {{1, 1}, {{D, 1}}},
        {{1, 2}, {{C, 1}, {C, 2}}},
        {{1, 1, 1}, {{D, 1}}},
        {{1, 1, 2}, {{D, 1}, {C, 2}}},
        {{1, 2, 2}, {{C, 1}, {D, 2}}},
        {{1, 2, 3}, {{C, 1}, {C, 2}, {C, 3}}},
        {{std::nullopt, 1, std::nullopt}, {{C, 1}}},
    };
    for (const auto& c : cases) EXPECT_EQ(resolveClicks(c.cells), c.events);
}

TEST(ClickGatherer, OneTimerPerGatheringResolvesWhenItFires) {
    std::vector<std::function<void()>> timers;
    std::vector<GridClick> delivered;
    ClickGatherer clicks([&](std::function<void()> fire) { timers.push_back(std::move(fire)); },
                         [&](const std::vector<GridClick>& e) {
                             delivered.insert(delivered.end(), e.begin(), e.end());
                         });
    clicks.mouseUp(4);
    clicks.mouseUp(4);
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_TRUE(delivered.empty());
    timers[0]();
    EXPECT_EQ(delivered, (std::vector<GridClick>{{D, 4}}));
    timers[0]();  // a stale timer resolves nothing
    clicks.mouseUp(2);
    clicks.shiftFrom(1);  // an item was inserted before the clicked one
    clicks.clear();       // then the items were reloaded
    timers[1]();
    EXPECT_EQ(delivered.size(), 1u);
}
