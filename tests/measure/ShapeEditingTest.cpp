// Editing stored shapes: values computed again from moved points equal those of
// drawing the same points, and what the pointer is over.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "PointText.h"
#include "measure/MeasureModel.h"
#include "measure/ShapeEditing.h"
#include "measure/ShapeHitTest.h"

namespace lumetra {
namespace {

// Draws one shape with a tool from a script of "c x,y" clicks, "k x,y" Control-
// clicks and "m x,y" moves (a move before every click, as a mouse gives) and
// returns it as stored.
RQShape draw(int32_t mode, const std::string& script) {
    MeasureModel m;
    m.viewWidth = 800;
    m.viewHeight = 600;
    m.setMeasureMode(mode, "", "mm", 60.0f, 1.0f, false);
    test::playMouse(m, script, true);
    EXPECT_EQ(m.oMutShapsArray.size(), 1u) << script;
    return m.oMutShapsArray.empty() ? RQShape{} : m.oMutShapsArray[0];
}

RQShape textAt(Point p) {
    RQShape text;
    text.type = kModeText;
    text.pt1stPoint = p;
    text.textValue = "cell";
    return text;
}

uint32_t bitsOf(float v) { return std::bit_cast<uint32_t>(v); }

void expectSameMeasure(const RQShape& edited, const RQShape& drawn) {
    EXPECT_EQ(bitsOf(edited.fData1), bitsOf(drawn.fData1));
    EXPECT_EQ(bitsOf(edited.fData2), bitsOf(drawn.fData2));
    EXPECT_EQ(bitsOf(edited.fData3), bitsOf(drawn.fData3));
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(edited.pt(k), drawn.pt(k)) << "slot " << k;
}

struct Edit {
    int32_t mode;
    const char* before;  // the shape as first drawn
    int slot;            // the handle moved
    Point to;
    const char* after;  // the same shape drawn with the moved point
    const char* handles;
};

TEST(ShapeEditing, MovedPointMeasuresAsDrawingItThereWould) {
    const Edit edits[] = {
        {kModeLine,
         "c100,100 c130,140 c250,250",
         2,
         {173.3, 211.7},
         "c100,100 c173.3,211.7 c250,250",
         "1 2 3"},
        {kModeContinuousLine,
         "c10,10 c20,10 k20,40 c50,50",
         2,
         {33.5, 7.25},
         "c10,10 c33.5,7.25 k20,40 c50,50",
         "1 2 3 10"},
        {kModeParallelLines,
         "c10,10 c110,10 c60,60 c70,80",
         1,
         {10, 30},
         "c10,30 c110,10 c60,60 c70,80",
         "1 2 3 5"},
        {kModeCircleRadius,
         "c100,100 c130,140 c200,60",
         2,
         {141.1, 97.3},
         "c100,100 c141.1,97.3 c200,60",
         "1 2 3"},
        {kModeCircleDiameter,
         "c100,100 c160,180 c250,250",
         1,
         {90.5, 120},
         "c90.5,120 c160,180 c250,250",
         "1 2 3"},
        {kModeCircleThreePoints,
         "c10,10 c110,10 c10,110 c200,200",
         3,
         {20, 120},
         "c10,10 c110,10 c20,120 c200,200",
         "1 2 3 4"},
        {kModeAngleThreePoints,
         "c110,10 c10,110 c10,10 c150,150",
         3,
         {30.7, 20.2},
         "c110,10 c10,110 c30.7,20.2 c150,150",
         "1 2 3 4"},
        {kModeAngleFourPoints,
         "c10,10 c110,10 c60,60 c110,110 c300,40",
         4,
         {90, 140},
         "c10,10 c110,10 c60,60 c90,140 c300,40",
         "1 2 3 4 5"},
        {kModePolygon,
         "c10,10 c110,10 c110,110 k10,110 c220,60",
         3,
         {150.25, 130.5},
         "c10,10 c110,10 c150.25,130.5 k10,110 c220,60",
         "1 2 3 4 10"},
        {kModePolygon,
         "c10,10 c60,10 c110,10 c110,60 c110,110 c60,110 c10,110 c10,80 c10,40 c310,320",
         9,
         {5, 35},
         "c10,10 c60,10 c110,10 c110,60 c110,110 c60,110 c10,110 c10,80 c5,35 c310,320",
         "1 2 3 4 5 6 7 8 9 10"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.before);
        RQShape shape = draw(edit.mode, edit.before);
        std::string handles;
        for (int slot : handleSlots(shape)) {
            if (!handles.empty()) handles += ' ';
            handles += std::to_string(slot);
        }
        EXPECT_EQ(handles, edit.handles) << "computed points are no handles";
        ASSERT_TRUE(moveShapePoint(shape, edit.slot, edit.to));
        expectSameMeasure(shape, draw(edit.mode, edit.after));
    }
}

TEST(ShapeEditing, OnlyHandlesMoveAndOnlyToSetPoints) {
    RQShape pointToLine = draw(kModeParallelLines, "c10,10 c110,10 c60,60 c70,80");
    const RQShape drawn = pointToLine;
    EXPECT_FALSE(moveShapePoint(pointToLine, 4, {60, 30})) << "the foot is computed";
    EXPECT_FALSE(moveShapePoint(pointToLine, 7, {60, 30})) << "an empty slot";
    EXPECT_FALSE(moveShapePoint(pointToLine, 1, {0, 30})) << "outside the picture";
    expectSameMeasure(pointToLine, drawn);

    RQShape text = textAt({150, 120});
    ASSERT_TRUE(moveShapePoint(text, 1, {40, 50}));
    EXPECT_EQ(text.pt1stPoint, (Point{40, 50}));
    EXPECT_EQ(std::tuple(text.fData1, text.textValue), std::tuple(0.0f, std::string("cell")));

    RQShape unknown;
    unknown.type = kModeUnused;
    unknown.pt1stPoint = {5, 5};
    EXPECT_TRUE(handleSlots(unknown).empty());
    EXPECT_FALSE(moveShapePoint(unknown, 1, {6, 6}));
}

TEST(ShapeHitTest, NearestHandleWithinRadiusNewestShapeFirst) {
    const RQShape shapes[] = {draw(kModeLine, "c100,100 c200,100 c150,150"),
                              draw(kModeLine, "c200,100 c200,200 c250,150")};
    EXPECT_EQ(handleAt(shapes, {103, 102}, 5), (ShapeHandle{0, 1}));
    EXPECT_EQ(handleAt(shapes, {201, 101}, 5), (ShapeHandle{1, 1})) << "both ends there";
    EXPECT_EQ(handleAt(shapes, {150, 146}, 5), (ShapeHandle{0, 3})) << "the label's anchor";
    EXPECT_FALSE(handleAt(shapes, {106, 100}, 5)) << "beyond the radius";
    EXPECT_FALSE(handleAt({}, {100, 100}, 5));
}

TEST(ShapeHitTest, ShapeByItsOutlineOrHandle) {
    const RQShape shapes[] = {draw(kModeLine, "c100,100 c200,100 c150,150"),
                              draw(kModeCircleRadius, "c400,300 c450,300 c500,400"),
                              draw(kModePolygon, "c10,300 c110,300 k110,400 c50,350"),
                              textAt({650, 550})};
    EXPECT_EQ(shapeAt(shapes, {150, 103}, 4), 0u) << "beside the line";
    EXPECT_FALSE(shapeAt(shapes, {250, 100}, 4)) << "beyond its end";
    EXPECT_EQ(shapeAt(shapes, {400, 352}, 4), 1u) << "on the rim";
    EXPECT_FALSE(shapeAt(shapes, {400, 320}, 4)) << "inside the circle";
    EXPECT_EQ(shapeAt(shapes, {60, 351}, 4), 2u) << "the closing edge";
    EXPECT_EQ(shapeAt(shapes, {651, 549}, 4), 3u) << "a text by its anchor";
    EXPECT_DOUBLE_EQ(distanceToShape(shapes[0], {150, 90}), 10.0);
}

}  // namespace
}  // namespace lumetra
