// Circle by radius: the centre, then a point on the circle.

#include "measure/tools/TwoPointCircle.h"

namespace lumetra {
namespace {

class CircleRadiusTool : public TwoPointCircle {
public:
    CircleRadiusTool() : TwoPointCircle(true) {}

    void preview(ShapePen& pen, const MeasureModel& m,
                 const CalibrationValues& cal) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return;
        pen.begin();
        pen.circle(m.pt1stPoint, m.fData1);
        pen.stroke();
        if (m.pt3rdPoint.isSet()) previewLabel(pen, m, cal, kModeCircleRadius, 3);
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
