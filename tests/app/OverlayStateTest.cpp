#include <gtest/gtest.h>

#include "app/OverlayState.h"

using namespace lumetra;
using Kind = OverlayState::Action::Kind;

TEST(OverlayState, CrosshairTogglesAndGridsNeedACalibration) {
    OverlayState state;
    EXPECT_EQ(state.select(3, false).mode, 3);
    for (uint8_t m : {1, 2, 4}) {
        EXPECT_EQ(state.select(m, false).kind, Kind::CalibrateFirst);
        EXPECT_EQ(state.selectedButton(), 3);
        EXPECT_FALSE(state.popoverOpen());
    }
    const auto off = state.select(3, false);
    EXPECT_EQ(off.kind, Kind::ApplyGrid);
    EXPECT_EQ(off.mode, 0);
    EXPECT_EQ(state.selectedButton(), 0);
}

TEST(OverlayState, OkAppliesTheLengthAndChosenTwiceTurnsOff) {
    for (uint8_t m : {1, 2, 4}) {
        OverlayState state;
        EXPECT_EQ(state.select(m, true).kind, Kind::OpenPopover);
        EXPECT_EQ(state.selectedButton(), 0) << "selected only once OK is pressed";
        const auto action = state.ok(std::string_view(" 0.5"));
        EXPECT_EQ(action.kind, Kind::ApplyGrid);
        EXPECT_EQ(action.mode, m);
        EXPECT_FLOAT_EQ(action.length, 0.5f);
        EXPECT_EQ(state.selectedButton(), m);
        const auto off = state.select(m, true);
        EXPECT_EQ(off.kind, Kind::ApplyGrid) << "no popover the second time";
        EXPECT_EQ(off.mode, 0);
    }
}

TEST(OverlayState, PopoverValues) {
    OverlayState state;
    state.select(2, true);
    EXPECT_EQ(state.ok(std::string_view("")).kind, Kind::IllegalValue);
    EXPECT_EQ(state.ok(std::nullopt).kind, Kind::IllegalValue);
    EXPECT_TRUE(state.popoverOpen());
    const auto action = state.ok(std::string_view("abc"));
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.length, 0.0f) << "text that is not a number reads as zero";
    EXPECT_EQ(state.selectedButton(), 2);
}

TEST(OverlayState, CancelTurnsEveryOverlayOffOnce) {
    OverlayState state;
    state.select(3, false);
    state.select(4, true);
    const auto action = state.cancel();
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.mode, 0);
    EXPECT_EQ(state.selectedButton(), 0);
    EXPECT_EQ(state.cancel().kind, Kind::Nothing) << "a closed popover cancels nothing";
    EXPECT_EQ(state.ok(std::string_view("1")).kind, Kind::Nothing);
    EXPECT_EQ(gridImageName(2, true), "circlegrid_s");
    EXPECT_EQ(gridImageName(0, true), "");
}
