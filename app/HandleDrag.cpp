#include "app/HandleDrag.h"

#include <cmath>

#include "measure/ShapeEditing.h"

namespace lumetra {
namespace {

// Screen pixels the pointer must move with the button held before a handle follows it.
constexpr double kDragStartPixels = 3.0;

}  // namespace

bool HandleDrag::press(const std::vector<RQShape>& shapes, Point at, double reach) {
    const auto handle = handleAt(shapes, at, reach);
    if (!handle) return false;
    press_ = Press{*handle, at, shapes};
    return true;
}

std::optional<size_t> HandleDrag::drag(std::vector<RQShape>& shapes, Point at,
                                       double pixelsPerUnit) {
    if (!press_ || press_->handle.shape >= shapes.size()) return std::nullopt;
    if (!press_->moved &&
        std::hypot(at.x - press_->at.x, at.y - press_->at.y) * pixelsPerUnit < kDragStartPixels)
        return std::nullopt;
    if (!moveShapePoint(shapes[press_->handle.shape], press_->handle.slot, at)) return std::nullopt;
    press_->moved = true;
    return press_->handle.shape;
}

std::optional<HandleDrag::Press> HandleDrag::release() {
    std::optional<Press> press = std::move(press_);
    press_.reset();
    return press;
}

}  // namespace lumetra
