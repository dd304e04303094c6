#include <gtest/gtest.h>

#include "policy/grid/GridLayout.h"

using namespace lumetra;

TEST(GridLayout, ColumnsInsetAndPlaces) {
    const GridLayout plain(80, 80, 250, 400, false, 10);
    const GridLayout centred(80, 80, 250, 400, true, 10);
    EXPECT_EQ(plain.columns(), 3);
    EXPECT_EQ(plain.inset(), 0);
    EXPECT_EQ(centred.inset(), 5);
    EXPECT_EQ(GridLayout(80, 80, 50, 400, true, 1).columns(), 1);  // too narrow: still one
    const GridRect r = plain.itemRect(7);
    EXPECT_EQ(r.x, 80);
    EXPECT_EQ(r.y, 160);
    EXPECT_EQ(centred.itemRect(7).x, 85);
    EXPECT_EQ(plain.contentHeight(), 400);  // 4 rows, shorter than the view
    EXPECT_EQ(GridLayout(80, 80, 250, 100, true, 10).contentHeight(), 330);
}

TEST(GridLayout, HitTesting) {
    const GridLayout grid(80, 80, 250, 400, true, 7);  // inset 5, last cell in row 2
    struct Case {
        double x, y;
        std::optional<int> index;
    } cases[] = {
        {6, 6, 0},      {84, 6, 0},    {86, 86, 4},
        {10, 170, 6},   {246, 10, {}},  // right of the last column
        {100, 170, {}},                 // below the last cell, in its row
        {10, 250, {}},                  // below the last row
        {2, 10, {}},                    // in the inset
    };
    for (const auto& c : cases) EXPECT_EQ(grid.indexAt(c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST(GridLayout, VisibleRangeAtScrollPositions) {
    // 3 columns of 80, a view 200 high: 3 visible rows plus one.
    const GridLayout grid(80, 80, 250, 200, false, 100);
    struct Case {
        double top;
        int first, length;
    } cases[] = {{0, 0, 12}, {50, 0, 12}, {100, 3, 12}, {2600, 96, 4}};
    for (const auto& c : cases) {
        const GridRange r = grid.visibleRange(c.top);
        EXPECT_EQ(r.first, c.first) << c.top;
        EXPECT_EQ(r.length, c.length) << c.top;
    }
    // With an inset the first row reaches below a top inside it.
    EXPECT_EQ(GridLayout(80, 80, 250, 200, true, 100).visibleRange(84).first, 0);
    EXPECT_EQ(GridLayout(80, 80, 250, 200, false, 0).visibleRange(0).length, 0);
}

TEST(GridLayout, RectanglesAndKeyboardMoves) {
    const GridLayout grid(80, 80, 250, 400, false, 8);
    EXPECT_EQ(grid.indexesIn({70, 70, 20, 20}), (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(grid.indexesIn({0, 170, 240, 100}), (std::vector<int>{6, 7}));
    EXPECT_TRUE(grid.indexesIn({0, 0, 0, 50}).empty());
    EXPECT_EQ(grid.move(std::nullopt, GridMove::Down), 0);
    EXPECT_EQ(grid.move(4, GridMove::Up), 1);
    EXPECT_EQ(grid.move(1, GridMove::Up), 1);
    EXPECT_EQ(grid.move(4, GridMove::Down), 7);
    EXPECT_EQ(grid.move(5, GridMove::Down), 5);  // no cell below
    EXPECT_EQ(grid.move(0, GridMove::Left), 0);
    EXPECT_EQ(grid.move(2, GridMove::End), 7);
    EXPECT_EQ(GridLayout(80, 80, 250, 400, false, 0).move(std::nullopt, GridMove::Home),
              std::nullopt);
}
