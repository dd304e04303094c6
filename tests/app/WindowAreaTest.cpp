#include <gtest/gtest.h>

#include "app/WindowArea.h"

using namespace lumetra;

TEST(WindowArea, CentresTheViewForEachFrameSize) {
    struct Case {
        uint16_t w, h;
        ViewFrame expected;
    };
    const Case cases[] = {
        {640, 480, {225.0, 55.75, 950.0, 712.5}},
        {1280, 720, {225.0, 144.8125, 950.0, 534.375}},
        {1920, 1080, {225.0, 144.8125, 950.0, 534.375}},
        {800, 600, {225.0, 55.75, 950.0, 712.5}},
    };
    for (const Case& c : cases) {
        const auto frame = computeWindowArea(WindowGeometry{}, c.w, c.h);
        ASSERT_TRUE(frame.has_value());
        EXPECT_EQ(*frame, c.expected) << c.w << "x" << c.h;
    }
}

TEST(WindowArea, EmptyFrameSizeGivesNoLayout) {
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 0, 480).has_value());
    EXPECT_FALSE(computeWindowArea(WindowGeometry{}, 640, 0).has_value());
}

TEST(WindowArea, TopEdgeMeasuredFromTheParentTop) {
    const ViewFrame frame{225.0, 55.75, 950.0, 712.5};
    EXPECT_DOUBLE_EQ(topFromParentTop(frame, 900.0), 131.75);
}
