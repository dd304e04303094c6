#include "policy/WindowArea.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

std::optional<ViewSize> computeWindowArea(const WindowGeometry& geometry, uint16_t w, uint16_t h) {
    if (w == 0 || h == 0) return std::nullopt;
    const double scale = geometry.fScreenWidth / w;
    return ViewSize{w * scale, h * scale};
}

bool ViewFit::contains(double px, double py) const {
    return px >= left && py >= top && px <= left + logical.width * scale &&
           py <= top + logical.height * scale;
}

ViewFit fitView(ViewSize logical, double widgetWidth, double widgetHeight) {
    ViewFit fit{logical};
    if (logical.width <= 0.0 || logical.height <= 0.0 || widgetWidth <= 0.0 || widgetHeight <= 0.0)
        return fit;
    fit.scale = std::min(widgetWidth / logical.width, widgetHeight / logical.height);
    // Whole pixels, so that layers cached at the device's resolution blit onto it.
    fit.left = std::floor((widgetWidth - logical.width * fit.scale) * 0.5);
    fit.top = std::floor((widgetHeight - logical.height * fit.scale) * 0.5);
    return fit;
}

}  // namespace lumetra
