#pragma once
// A press on a stored shape's handle and the drag that may follow: the pressed
// point follows the pointer once it has moved a few screen pixels, so a click that
// jitters a little stays a click, and the shapes from before the press are kept
// for the history.

#include <cstddef>
#include <optional>
#include <vector>

#include "measure/RQShape.h"
#include "measure/ShapeHitTest.h"
#include "measure/Types.h"

namespace lumetra {

class HandleDrag {
public:
    struct Press {
        ShapeHandle handle;
        Point at;
        std::vector<RQShape> before;
        bool moved = false;  // the point moved since the press
    };

    // Starts a press when `at` lies on a handle of `shapes` within `reach` units.
    bool press(const std::vector<RQShape>& shapes, Point at, double reach);
    // Moves the pressed point to `at`, the view showing `pixelsPerUnit`; the index of
    // the shape moved, none when nothing moved.
    std::optional<size_t> drag(std::vector<RQShape>& shapes, Point at, double pixelsPerUnit);
    // Ends the press and gives it back; none without one.
    std::optional<Press> release();
    void cancel() { press_.reset(); }

private:
    std::optional<Press> press_;
};

}  // namespace lumetra
