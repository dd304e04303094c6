#pragma once
// The display rule: how a decoded camera frame reaches the view and the recorder
// on the main thread. Both camera paths (WiFi stream and USB capture) use it.
//
// - Relayout: when the source frame size differs from the size the view was laid
//   out for, the view is laid out again (setWindowArea).
// - Fast path: with no stored shape, no measuring tool, no overlay, no scale bar and
//   no text being placed, the frame goes straight into the view's layer, no redraw.
// - Redraw path: otherwise the frame becomes the view's image, which redraws shapes
//   and overlays, but only when it is marked changed: a frame taken as unchanged is
//   recorded without a redraw. While the view is still on the fast path, an
//   unchanged frame is given to it all the same, so that a still picture does not
//   keep a newly chosen tool or overlay off the screen.
// - Repeated: a frame marked repeated (the picture the view already shows, handed
//   over again) reaches the view only to move it onto the other path.
// - Recording: every decoded frame is passed to the recorder. A frame that did not
//   decode is neither shown nor recorded; the view keeps the last picture.

#include <cstdint>

#include "image/Frame.h"
#include "image/FrameMarks.h"
#include "measure/Types.h"

namespace lumetra {

// The facts the window owns.
struct ViewFacts {
    uint16_t iVideoWidth = 0;  // size the view is laid out for
    uint16_t iVideoHeight = 0;
    uint16_t iNewVideoWidth = 640;  // size of the active source's frames
    uint16_t iNewVideoHeight = 480;
    bool shapesPresent = false;      // getShapesCount
    MeasureMode iMode = kModeNone;   // the chosen tool
    GridMode iGridMode = kGridNone;  // the chosen overlay
    // The view's own text tool is active. The window's text tool is one-shot, so
    // only the view knows that picked-up text follows the mouse until it is placed.
    bool viewTextTool = false;
    bool scaleBar = false;   // the scale bar is shown over the picture
    bool redrawing = false;  // the view's last frame went through the redraw path
};

enum class FramePath : uint8_t {
    None,   // not shown
    Layer,  // straight into the view's layer
    Image,  // the view's image, redrawn with shapes and overlays
};

struct FrameRoute {
    bool relayout = false;
    FramePath path = FramePath::None;
    bool record = false;
    friend bool operator==(const FrameRoute&, const FrameRoute&) = default;
};

FrameRoute routeFrame(const ViewFacts& facts, const FrameMarks& marks);

// The window side of the display rule.
class FrameTarget {
public:
    virtual ~FrameTarget() = default;
    virtual ViewFacts viewFacts() const = 0;
    virtual void setWindowArea() = 0;
    virtual void setLayerContents(const Frame& frame) = 0;
    virtual void setImage(const Frame& frame) = 0;
    virtual void recordingVideo(const Frame& frame) = 0;
};

// Applies routeFrame to a target; returns the route taken.
FrameRoute displayFrame(FrameTarget& target, const Frame& frame, const FrameMarks& marks);

}  // namespace lumetra
