#include <gtest/gtest.h>

#include "policy/OverlayState.h"

using namespace lumetra;
using Kind = OverlayState::Action::Kind;

TEST(OverlayState, GridsNeedACalibrationThenOkAppliesTheLengthAndTwiceTurnsOff) {
    for (GridMode m : {kGridSquare, kGridCircle, kGridScale}) {
        SCOPED_TRACE(int(m));
        OverlayState state;
        EXPECT_EQ(state.select(m, false).kind, Kind::CalibrateFirst);
        EXPECT_EQ(state.select(m, true).kind, Kind::OpenPopover);
        EXPECT_EQ(state.selectedButton(), kGridNone) << "selected only once OK is pressed";
        EXPECT_EQ(state.ok(std::nullopt).kind, Kind::IllegalValue);
        const auto action = state.ok(std::string_view(" 0.5"));
        EXPECT_EQ(std::tuple(action.kind, action.mode, action.length),
                  std::tuple(Kind::ApplyGrid, m, 0.5f));
        EXPECT_EQ(state.selectedButton(), m);
        EXPECT_EQ(state.select(m, true).mode, kGridNone);
        EXPECT_EQ(gridImageName(m, true), gridImageName(m, false) + "_s");
    }
}

TEST(OverlayState, CancelOrOkOnAClosedPopoverDoNothing) {
    OverlayState state;
    EXPECT_EQ(state.cancel().kind, Kind::Nothing);
    EXPECT_EQ(state.ok(std::string_view("1")).kind, Kind::Nothing);
}
