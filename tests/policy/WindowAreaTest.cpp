#include <gtest/gtest.h>

#include "policy/WindowArea.h"

using namespace lumetra;

TEST(WindowArea, KeepsTheFrameAspectAtTheScreenWidth) {
    EXPECT_EQ(computeWindowArea(WindowGeometry{}, 640, 480), (ViewSize{950.0, 712.5}));
    EXPECT_EQ(computeWindowArea(WindowGeometry{}, 1280, 720), (ViewSize{950.0, 534.375}));
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 0, 480));
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 640, 0));
}

TEST(WindowArea, FitsThePictureCentredAndMapsPointsBothWays) {
    // Height decides: 475 x 356.25 centred in 800 x 356.25, at a whole pixel.
    const ViewFit tall = fitView({950.0, 712.5}, 800.0, 356.25);
    EXPECT_DOUBLE_EQ(tall.scale, 0.5);
    EXPECT_DOUBLE_EQ(tall.left, 162.0);
    EXPECT_DOUBLE_EQ(tall.top, 0.0);
    EXPECT_DOUBLE_EQ(tall.unitX(162.0 + 50.0), 100.0);
    EXPECT_DOUBLE_EQ(tall.unitYUp(356.25), 0.0);
    EXPECT_DOUBLE_EQ(tall.pixelX(100.0), 212.0);
    EXPECT_DOUBLE_EQ(tall.pixelY(712.5), 0.0);
    EXPECT_TRUE(tall.contains(162.0, 0.0));
    EXPECT_FALSE(tall.contains(161.5, 10.0)) << "left of the picture";
    // Width decides: 1900 wide doubles everything, centred vertically.
    const ViewFit wide = fitView({950.0, 712.5}, 1900.0, 1500.0);
    EXPECT_DOUBLE_EQ(wide.scale, 2.0);
    EXPECT_DOUBLE_EQ(wide.top, 37.0);
    EXPECT_DOUBLE_EQ(fitView({950.0, 712.5}, 0.0, 100.0).scale, 1.0) << "no widget yet";
}
