#include "app/PopoverPlacement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lumetra {

QPoint keptOnAnchorsScreen(const QWidget& anchor, QPoint topLeft, QSize size) {
    const QScreen* screen = anchor.screen();
    if (!screen) return topLeft;
    const QRect area = screen->availableGeometry();
    // A popover larger than the screen keeps its top-left corner in sight.
    return {std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width())),
            std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height()))};
}

}  // namespace lumetra
