#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "measure/ScaleBar.h"
#include "support/RecordingSurface.h"

namespace lumetra {
namespace {

TEST(ScaleBar, RoundLengthsOneTwoFive) {
    const struct {
        double target, expected;
    } cases[] = {{1.0, 1.0},
                 {1.4, 1.0},
                 {1.5, 2.0},
                 {3.1, 2.0},
                 {3.2, 5.0},
                 {7.0, 5.0},
                 {7.1, 10.0},
                 {0.0333, 0.05},
                 {260.0, 200},
                 {4e-7, 5e-7},
                 {0.0, 0.0},
                 {-3.0, 0.0},
                 {std::numeric_limits<double>::infinity(), 0.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(roundScaleLength(c.target), c.expected, c.expected * 1e-12) << c.target;
    }
}

TEST(ScaleBar, FifthOfTheWidthSizedByThePicture) {
    // 60 view units read 1 mm; a 600 x 450 view and its 1800 x 1350 snapshot.
    const CalibrationValues cal{60.0f, 1.0f, "mm"};
    const auto view = calibrationScaleBar(cal, "10x objective", 600, 450, 1.0);
    const auto picture = calibrationScaleBar(cal, "10x objective", 1800, 1350, 3.0);
    ASSERT_TRUE(view && picture);
    EXPECT_EQ(view->lengthText, "2 mm");  // a fifth of 10 mm
    EXPECT_NEAR(view->bar.b.x - view->bar.a.x, 120.0, 1e-9);
    // The snapshot shows the same bar three times as large.
    EXPECT_EQ(picture->lengthText, view->lengthText);
    EXPECT_NEAR(picture->bar.b.x - picture->bar.a.x, 360.0, 1e-9);
    EXPECT_DOUBLE_EQ(picture->fontSize, 3.0 * view->fontSize);
    EXPECT_DOUBLE_EQ(picture->plate.x, 3.0 * view->plate.x);
    // The plate lies inside the picture and holds the bar and both texts.
    EXPECT_GT(view->plate.x, 0.0);
    EXPECT_LT(view->plate.x + view->plate.width, 600.0);
    EXPECT_LE(view->plate.x, view->bar.a.x);
    EXPECT_LT(view->lengthOrigin.y + view->fontSize, view->plate.y + view->plate.height);

    test::RecordingSurface surface;
    drawScaleBar(surface, *view);
    ASSERT_EQ(surface.texts().size(), 2u);
    EXPECT_EQ(surface.texts()[1].text, "10x objective");

    EXPECT_EQ(calibrationScaleBar({60.0f, 0.001f, "\u00B5m"}, "", 600, 450, 1.0)->lengthText,
              "0.002 \u00B5m");
}

TEST(ScaleBar, NothingForUnusableSizesAndScales) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(scaleBar(0, 450, 0.01, "mm", ""));
    EXPECT_FALSE(scaleBar(nan, 450, 0.01, "mm", ""));
    EXPECT_FALSE(scaleBar(600, 450, 0.0, "mm", ""));
    EXPECT_FALSE(scaleBar(600, 450, nan, "mm", ""));
    EXPECT_FALSE(scaleBar(600, 450, 1e-20, "mm", ""));  // would need twenty decimals
    EXPECT_FALSE(calibrationScaleBar({0.0f, 1.0f, "mm"}, "", 600, 450, 1.0));
}

}  // namespace
}  // namespace lumetra
