#include <gtest/gtest.h>

#include "measure/results/ShapeHighlight.h"
#include "support/RecordingSurface.h"

namespace lumetra {
namespace {

TEST(ShapeHighlight, OnlyTheChosenShapeWiderInTheHighlightColour) {
    std::vector<RQShape> shapes(2);
    for (RQShape& s : shapes) {
        s.type = kModeLine;
        s.pt1stPoint = {10, 10};
        s.pt2ndPoint = {110, 10};
        s.pt3rdPoint = {60, 30};
        s.fData1 = 100.0f;
    }
    shapes[1].pt2ndPoint = {10, 200};
    test::RecordingSurface surface;
    drawHighlightedShape(surface, shapes, 1, {60.0f, 1.0f, "mm"});
    ASSERT_FALSE(surface.strokes().empty());
    for (const auto& stroke : surface.strokes()) {
        EXPECT_EQ(stroke.lineWidth, shapes[1].iLineWidth + 3);
        EXPECT_NE(stroke.color, shapes[1].ctrLColor);
        EXPECT_EQ(stroke.pieces.front().points.back().y, 200.0);  // the second shape
    }
    for (int outside : {-1, 2}) {
        test::RecordingSurface none;
        drawHighlightedShape(none, shapes, outside, {});
        EXPECT_TRUE(none.calls().empty()) << outside;
    }
}

}  // namespace
}  // namespace lumetra
