#pragma once
// How a camera frame reaches the measuring view: shown directly when nothing has
// to be drawn over it, otherwise through the full redraw with the measurement pass.

#include <cstdint>

namespace lumetra {

enum class FramePath {
    Direct,  // the frame alone, no measurement pass
    Redraw,  // frame, preview, overlay and stored shapes
};

// hasShapes: the view holds a stored shape; measureMode and gridMode: the
// window's tool and overlay; viewMode: the view's own tool. The text tool is
// one-shot on the window's side, so the view's text tool alone also needs the
// redraw: the picked-up text follows the mouse until it is placed.
FramePath chooseFramePath(bool hasShapes, uint8_t measureMode, uint8_t gridMode, uint8_t viewMode);

}  // namespace lumetra
