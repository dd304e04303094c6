// Circle by diameter: both ends of a diameter.

#include "measure/tools/TwoPointCircle.h"

namespace lumetra {
namespace {

class CircleDiameterTool : public TwoPointCircle {
public:
    CircleDiameterTool() : TwoPointCircle(false) {}

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        const Point a = pen.at(m.pt1stPoint);
        const Point b = pen.at(m.pt2ndPoint);
        pen.circleAt({(a.x + b.x) / 2, (a.y + b.y) / 2}, pen.scaled(m.fData1 * 0.5));
        pen.stroke();
        return m.pt3rdPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource radii) const override {
        const Point a = pen.at(s.pt1stPoint);
        const Point b = pen.at(s.pt2ndPoint);
        const double r = radii == RadiusSource::Stored
                             ? s.fData1 * 0.5
                             : pen.scaledDistance(s.pt1stPoint, s.pt2ndPoint) * 0.5;
        pen.circleAt({(a.x + b.x) / 2, (a.y + b.y) / 2}, r);
        pen.stroke();
        return true;
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(circleDiameterTool, CircleDiameterTool)

}  // namespace lumetra
