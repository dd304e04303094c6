#include "app/FramePath.h"

#include "measure/Types.h"

namespace lumetra {

FramePath chooseFramePath(bool hasShapes, uint8_t measureMode, uint8_t gridMode, uint8_t viewMode) {
    if (hasShapes || measureMode != kModeNone || gridMode != kGridNone || viewMode == kModeText) {
        return FramePath::Redraw;
    }
    return FramePath::Direct;
}

}  // namespace lumetra
