// Circle by radius: the centre, then a point on the circle.

#include "measure/tools/TwoPointCircle.h"

namespace lumetra {
namespace {

class CircleRadiusTool : public TwoPointCircle {
public:
    CircleRadiusTool() : TwoPointCircle(true) {}

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        pen.circle(m.pt1stPoint, pen.scaled(m.fData1));
        pen.stroke();
        return m.pt3rdPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource radii) const override {
        const double r = radii == RadiusSource::Stored
                             ? s.fData1
                             : pen.scaledDistance(s.pt1stPoint, s.pt2ndPoint);
        pen.circle(s.pt1stPoint, r);
        pen.stroke();
        return true;
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(circleRadiusTool, CircleRadiusTool)

}  // namespace lumetra
