#include <gtest/gtest.h>

#include <limits>

#include "measure/ScaleBar.h"

namespace lumetra {
namespace {

TEST(ScaleBar, RoundLengthNearestAFifthSizedByThePicture) {
    const struct {
        double target, expected;
    } cases[] = {{1.4, 1.0}, {1.5, 2.0}, {3.2, 5.0}, {7.1, 10.0}, {0.0333, 0.05}, {0.0, 0.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(roundScaleLength(c.target), c.expected);

    // 60 view units read 1 mm; a 600 x 450 view and its 1800 x 1350 snapshot.
    const CalibrationValues cal{60.0f, 1.0f, "mm"};
    const auto view = calibrationScaleBar(cal, "10x", 600, 450, 1.0);
    const auto picture = calibrationScaleBar(cal, "10x", 1800, 1350, 3.0);
    ASSERT_TRUE(view && picture);
    EXPECT_EQ(view->lengthText, "2 mm");  // a fifth of 10 mm
    EXPECT_NEAR(view->bar.b.x - view->bar.a.x, 120.0, 1e-9);
    EXPECT_EQ(picture->lengthText, view->lengthText);
    EXPECT_NEAR(picture->bar.b.x - picture->bar.a.x, 360.0, 1e-9);
    EXPECT_DOUBLE_EQ(picture->fontSize, 3.0 * view->fontSize);
    EXPECT_GT(view->plate.x, 0.0);
    EXPECT_LT(view->plate.x + view->plate.width, 600.0);
    EXPECT_EQ(calibrationScaleBar({60.0f, 0.001f, "um"}, "", 600, 450, 1.0)->lengthText,
              "0.002 um");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(scaleBar(nan, 450, 0.01, "mm", ""));
    EXPECT_FALSE(scaleBar(600, 450, 0.0, "mm", ""));
    EXPECT_FALSE(scaleBar(600, 450, 1e-20, "mm", ""));  // would need twenty decimals
    EXPECT_FALSE(calibrationScaleBar({0.0f, 1.0f, "mm"}, "", 600, 450, 1.0));
}

}  // namespace
}  // namespace lumetra
