#include <gtest/gtest.h>

#include "app/FramePath.h"
#include "measure/Types.h"

using namespace lumetra;

TEST(FramePath, DirectOnlyWhenNothingIsDrawnOverThePicture) {
    const struct {
        bool shapes;
        uint8_t mode, grid, viewMode;
        FramePath expected;
    } cases[] = {
        {false, 0, 0, 0, FramePath::Direct},
        {true, 0, 0, 0, FramePath::Redraw},
        {false, kModeLine, 0, kModeLine, FramePath::Redraw},
        {false, 0, kGridCrosshair, 0, FramePath::Redraw},
        // After undo the view keeps its own tool; the window's choice decides.
        {false, 0, 0, kModeAngleThreePoints, FramePath::Direct},
        // The text tool is one-shot on the window's side but still needs drawing.
        {false, 0, 0, kModeText, FramePath::Redraw},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseFramePath(c.shapes, c.mode, c.grid, c.viewMode), c.expected)
            << c.shapes << " " << int(c.mode) << " " << int(c.grid) << " " << int(c.viewMode);
    }
}
