#include <gtest/gtest.h>

#include "policy/WindowArea.h"

using namespace lumetra;

TEST(WindowArea, CentresTheViewForEachFrameSize) {
    EXPECT_EQ(computeWindowArea(WindowGeometry{}, 640, 480),
              (ViewFrame{225.0, 55.75, 950.0, 712.5}));
    EXPECT_EQ(computeWindowArea(WindowGeometry{}, 1280, 720),
              (ViewFrame{225.0, 144.8125, 950.0, 534.375}));
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 0, 480));
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 640, 0));
    EXPECT_DOUBLE_EQ(topFromParentTop({225.0, 55.75, 950.0, 712.5}, 900.0), 131.75);
}
