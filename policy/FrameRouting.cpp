#include "policy/FrameRouting.h"

namespace lumetra {

FrameRoute routeFrame(const ViewFacts& facts, const FrameMarks& marks) {
    FrameRoute route;
    if (!marks.decoded) return route;
    route.relayout =
        facts.iVideoWidth != facts.iNewVideoWidth || facts.iVideoHeight != facts.iNewVideoHeight;
    route.record = true;
    const bool plain = !facts.shapesPresent && facts.iMode == kModeNone &&
                       facts.iGridMode == kGridNone && !facts.viewTextTool && !facts.scaleBar;
    if (plain)
        route.path = marks.repeated && !facts.redrawing ? FramePath::None : FramePath::Layer;
    else if (marks.changed || !facts.redrawing)
        route.path = FramePath::Image;
    return route;
}

FrameRoute displayFrame(FrameTarget& target, const Frame& frame, const FrameMarks& marks) {
    if (frame.isNull()) return {};
    const FrameRoute route = routeFrame(target.viewFacts(), marks);
    if (route.relayout) target.setWindowArea();
    if (route.path == FramePath::Layer) target.setLayerContents(frame);
    if (route.path == FramePath::Image) target.setImage(frame);
    if (route.record) target.recordingVideo(frame);
    return route;
}

}  // namespace lumetra
