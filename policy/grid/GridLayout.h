#pragma once
// Where the cells of the thumbnail grid lie: equal cells in rows, as many
// columns as fit the visible width, optionally centred by an inset. Answers the
// cell rectangle of an index, the index under a point, the range of indexes
// that can be visible at a scroll position and the cells a rectangle covers.
// Coordinates are the grid's content coordinates, growing downwards.
// Toolkit-free.

#include <optional>
#include <vector>

namespace lumetra {

struct GridRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct GridRange {
    int first = 0;
    int length = 0;
    bool contains(int index) const { return index >= first && index < first + length; }
};

// Keyboard moves of the selection.
enum class GridMove { Left, Right, Up, Down, Home, End };

class GridLayout {
public:
    // itemWidth, itemHeight: the cell size (at least one point is used);
    // visibleWidth, visibleHeight: the scroll view's visible size; centred: the
    // columns are centred by an inset.
    GridLayout(double itemWidth, double itemHeight, double visibleWidth, double visibleHeight,
               bool centred, int count);

    int columns() const { return columns_; }
    int rows() const;
    double inset() const { return inset_; }
    int count() const { return count_; }

    GridRect itemRect(int index) const;

    // The index of the cell under the point, none between the last column and
    // the right edge, above or left of the inset, and past the last cell.
    std::optional<int> indexAt(double x, double y) const;

    // The content height: every row plus the inset above and below, at least
    // the visible height.
    double contentHeight() const;

    // The indexes that can show with the visible rectangle's top at `top`: from
    // the first row that reaches below `top`, the visible rows plus one.
    GridRange visibleRange(double top) const;

    // Indexes of the cells that the rectangle overlaps, in order.
    std::vector<int> indexesIn(const GridRect& rect) const;

    // The index the selection moves to from `from` (none: nothing selected);
    // none when the grid is empty. Moves stop at the first and last cells.
    std::optional<int> move(std::optional<int> from, GridMove move) const;

private:
    double itemWidth_;
    double itemHeight_;
    double visibleHeight_;
    int count_;
    int columns_;
    double inset_;
};

}  // namespace lumetra
