// Polygon: a closed outline through up to nine vertices, labelled with its area.

#include "measure/tools/VertexFigure.h"

namespace lumetra {
namespace {

class PolygonTool : public VertexFigure {
public:
    PolygonTool() : VertexFigure(true) {}

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        path(pen, m);
        pen.stroke();
        return m.pt10thPoint.isSet() && m.pt2ndPoint.isSet() && m.pt3rdPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        path(pen, s);
        pen.stroke();
        return true;
    }

private:
    // Vertex 1 to 2, on through the consecutive set vertices, back to vertex 1.
    static void path(ShapePen& pen, const PointSlots& p) {
        pen.segment(p.pt1stPoint, p.pt2ndPoint);
        for (int k = 3; k <= 9 && p.pt(k).isSet(); ++k) pen.lineTo(p.pt(k));
        pen.closePath();
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(polygonTool, PolygonTool)

}  // namespace lumetra
