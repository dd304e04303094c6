#include "policy/WindowArea.h"

namespace lumetra {

std::optional<ViewFrame> computeWindowArea(const WindowGeometry& geometry, uint16_t w, uint16_t h) {
    if (w == 0 || h == 0) return std::nullopt;
    const double scale = geometry.fScreenWidth / w;
    ViewFrame frame;
    frame.width = w * scale;
    frame.height = h * scale;
    frame.x = (geometry.fWindowWidth - frame.width) * 0.5;
    frame.y = (geometry.fWindowHeight - frame.height) * 0.5 - 38.0;
    return frame;
}

double topFromParentTop(const ViewFrame& frame, double parentHeight) {
    return parentHeight - frame.y - frame.height;
}

}  // namespace lumetra
