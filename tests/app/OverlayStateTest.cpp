#include <gtest/gtest.h>

#include "app/OverlayState.h"

using namespace lumetra;
using Kind = OverlayState::Action::Kind;

TEST(OverlayStateCrosshair, TogglesWithoutCalibration) {
    OverlayState state;
    auto action = state.select(3, false);
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.mode, 3);
    EXPECT_EQ(action.length, 0.0f);
    EXPECT_EQ(state.selectedButton(), 3);

    action = state.select(3, false);
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.mode, 0);
    EXPECT_EQ(state.iGridMode(), 0);
    EXPECT_EQ(state.selectedButton(), 0);
}

TEST(OverlayStateGrids, NeedCalibrationAndChangeNothingWithoutOne) {
    OverlayState state;
    state.select(3, false);
    for (uint8_t m : {1, 2, 4}) {
        EXPECT_EQ(state.select(m, false).kind, Kind::CalibrateFirst);
        EXPECT_EQ(state.iGridMode(), 3);
        EXPECT_EQ(state.selectedButton(), 3);
        EXPECT_FALSE(state.popoverOpen());
    }
}

TEST(OverlayStateGrids, OkAppliesTheTypedLengthAndSelectsTheButton) {
    for (uint8_t m : {1, 2, 4}) {
        OverlayState state;
        auto action = state.select(m, true);
        EXPECT_EQ(action.kind, Kind::OpenPopover);
        EXPECT_TRUE(state.popoverOpen());
        EXPECT_EQ(state.iGridMode(), m);
        EXPECT_EQ(state.selectedButton(), 0) << "selected only once OK is pressed";

        action = state.ok(std::string_view(" 0.5"));
        EXPECT_EQ(action.kind, Kind::ApplyGrid);
        EXPECT_EQ(action.mode, m);
        EXPECT_FLOAT_EQ(action.length, 0.5f);
        EXPECT_EQ(state.selectedButton(), m);
        EXPECT_FALSE(state.popoverOpen());
    }
}

TEST(OverlayStateGrids, ChosenTwiceTurnsOffWithoutThePopover) {
    OverlayState state;
    state.select(1, true);
    state.ok(std::string_view("1"));
    const auto action = state.select(1, true);
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.mode, 0);
    EXPECT_FALSE(state.popoverOpen());
    EXPECT_EQ(state.selectedButton(), 0);
}

TEST(OverlayStatePopover, EmptyValueKeepsThePopoverOpen) {
    OverlayState state;
    state.select(2, true);
    EXPECT_EQ(state.ok(std::string_view("")).kind, Kind::IllegalValue);
    EXPECT_EQ(state.ok(std::nullopt).kind, Kind::IllegalValue);
    EXPECT_TRUE(state.popoverOpen());
    EXPECT_EQ(state.selectedButton(), 0);
}

TEST(OverlayStatePopover, TextThatIsNotANumberReadsAsZero) {
    OverlayState state;
    state.select(1, true);
    const auto action = state.ok(std::string_view("abc"));
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.length, 0.0f);
    EXPECT_EQ(state.selectedButton(), 1) << "the button shows selected all the same";
}

TEST(OverlayStatePopover, CancelTurnsEveryOverlayOffOnce) {
    OverlayState state;
    state.select(3, false);
    state.select(4, true);
    auto action = state.cancel();
    EXPECT_EQ(action.kind, Kind::ApplyGrid);
    EXPECT_EQ(action.mode, 0);
    EXPECT_EQ(state.iGridMode(), 0);
    EXPECT_EQ(state.selectedButton(), 0);
    EXPECT_EQ(state.cancel().kind, Kind::Nothing) << "a closed popover cancels nothing";
    EXPECT_EQ(state.ok(std::string_view("1")).kind, Kind::Nothing);
}

TEST(OverlayStateReset, ResetClearsModeButtonAndPopover) {
    OverlayState state;
    state.select(1, true);
    state.reset();
    EXPECT_EQ(state.iGridMode(), 0);
    EXPECT_FALSE(state.popoverOpen());
    EXPECT_EQ(state.selectedButton(), 0);
}

TEST(OverlayStateImages, NamesOfPlainAndSelectedImages) {
    EXPECT_EQ(gridImageName(1, false), "grid");
    EXPECT_EQ(gridImageName(1, true), "grid_s");
    EXPECT_EQ(gridImageName(2, true), "circlegrid_s");
    EXPECT_EQ(gridImageName(3, false), "crosshair");
    EXPECT_EQ(gridImageName(4, true), "scale_s");
    EXPECT_EQ(gridImageName(0, true), "");
    EXPECT_EQ(gridImageName(5, false), "");
}
