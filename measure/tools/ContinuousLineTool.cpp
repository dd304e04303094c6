// Continuous line: a path through up to nine vertices, labelled with its length.

#include "measure/tools/VertexFigure.h"

namespace lumetra {
namespace {

class ContinuousLineTool : public VertexFigure {
public:
    ContinuousLineTool() : VertexFigure(false) {}

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        path(pen, m);
        pen.stroke();
        return m.pt10thPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        path(pen, s);
        pen.stroke();
        return true;
    }

private:
    // Vertex 1 to 2, then on through every later vertex that is set.
    static void path(ShapePen& pen, const PointSlots& p) {
        pen.segment(p.pt1stPoint, p.pt2ndPoint);
        for (int k = 3; k <= 9; ++k) {
            if (p.pt(k).isSet()) pen.lineTo(p.pt(k));
        }
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(continuousLineTool, ContinuousLineTool)

}  // namespace lumetra
