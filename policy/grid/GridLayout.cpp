#include "policy/grid/GridLayout.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

GridLayout::GridLayout(double itemWidth, double itemHeight, double visibleWidth,
                       double visibleHeight, bool centred, int count)
    : itemWidth_(std::max(1.0, itemWidth)),
      itemHeight_(std::max(1.0, itemHeight)),
      visibleHeight_(std::max(0.0, visibleHeight)),
      count_(std::max(0, count)) {
    const double width = std::max(0.0, visibleWidth);
    columns_ = std::max(1, static_cast<int>(std::floor(width / itemWidth_)));
    inset_ = centred ? std::max(0.0, std::floor((width - columns_ * itemWidth_) * 0.5)) : 0.0;
}

int GridLayout::rows() const { return (count_ + columns_ - 1) / columns_; }

GridRect GridLayout::itemRect(int index) const {
    return GridRect{inset_ + (index % columns_) * itemWidth_,
                    inset_ + (index / columns_) * itemHeight_, itemWidth_, itemHeight_};
}

std::optional<int> GridLayout::indexAt(double x, double y) const {
    if (x < inset_ || y < inset_ || x >= inset_ + columns_ * itemWidth_) return std::nullopt;
    const double row = std::floor((y - inset_) / itemHeight_);
    if (row >= rows()) return std::nullopt;
    const int column = static_cast<int>(std::floor((x - inset_) / itemWidth_));
    const int index = static_cast<int>(row) * columns_ + column;
    if (index >= count_) return std::nullopt;
    return index;
}

double GridLayout::contentHeight() const {
    return std::max(rows() * itemHeight_ + 2 * inset_, visibleHeight_);
}

GridRange GridLayout::visibleRange(double top) const {
    // The inset counts: with centred columns the first row starts below it.
    const int firstRow =
        std::clamp(static_cast<int>(std::floor((top - inset_) / itemHeight_)), 0, rows());
    const int visibleRows = static_cast<int>(std::ceil(visibleHeight_ / itemHeight_));
    const int first = std::min(count_, firstRow * columns_);
    const int length = std::min(count_ - first, (visibleRows + 1) * columns_);
    return GridRange{first, length};
}

std::vector<int> GridLayout::indexesIn(const GridRect& rect) const {
    std::vector<int> out;
    if (rect.width <= 0 || rect.height <= 0 || count_ == 0) return out;
    const auto cell = [](double v, double origin, double size) {
        return static_cast<int>(std::floor((v - origin) / size));
    };
    // Half-open cell rectangles: an edge shared with a cell does not cover it.
    const int col0 = std::max(0, cell(rect.x, inset_, itemWidth_));
    const int col1 = std::min(
        columns_ - 1, static_cast<int>(std::ceil((rect.x + rect.width - inset_) / itemWidth_)) - 1);
    const int row0 = std::max(0, cell(rect.y, inset_, itemHeight_));
    const int row1 = std::min(
        rows() - 1, static_cast<int>(std::ceil((rect.y + rect.height - inset_) / itemHeight_)) - 1);
    for (int r = row0; r <= row1; ++r)
        for (int c = col0; c <= col1; ++c)
            if (const int index = r * columns_ + c; index < count_) out.push_back(index);
    return out;
}

std::optional<int> GridLayout::move(std::optional<int> from, GridMove move) const {
    if (count_ == 0) return std::nullopt;
    const int last = count_ - 1;
    if (!from) return move == GridMove::End ? last : 0;
    const int at = std::clamp(*from, 0, last);
    switch (move) {
        case GridMove::Left:
            return std::max(0, at - 1);
        case GridMove::Right:
            return std::min(last, at + 1);
        case GridMove::Up:
            return at >= columns_ ? at - columns_ : at;
        case GridMove::Down:
            return at + columns_ <= last ? at + columns_ : at;
        case GridMove::Home:
            return 0;
        case GridMove::End:
            return last;
    }
    return at;
}

}  // namespace lumetra
