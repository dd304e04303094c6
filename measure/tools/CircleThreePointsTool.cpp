// Circle through three points: three clicks on the circle, a fourth places the
// label and stores it. Point 5 holds the centre, the live value the radius.

#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class CircleThreePointsTool : public MeasureTool {
public:
    bool inProgress(const MeasureModel& m) const override { return m.bTCircle1stPoint; }

    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.bTCircle1stPoint = true;
    }

    void click(MeasureModel& m, Point l) const override {
        if (!m.bTCircle2ndPoint) {
            m.bTCircle2ndPoint = true;
            m.pt2ndPoint = l;
        } else if (!m.bTCircle3thPoint) {
            m.bTCircle3thPoint = true;
            m.pt3rdPoint = l;
            m.updateThreePointCircle(l);
        } else {
            m.storeShape(kModeCircleThreePoints);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.bTCircle1stPoint) return;
        if (m.bTCircle2ndPoint && !m.bTCircle3thPoint) {
            m.pt3rdPoint = l;
            m.updateThreePointCircle(l);
        }
        m.pt4thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.bTCircle1stPoint) return "Click a first point on the circle";
        if (!m.bTCircle2ndPoint) return "Click a second point on the circle";
        if (!m.bTCircle3thPoint) return "Click a third point on the circle";
        return kPlaceLabelStep;
    }

    void preview(ShapePen& pen, const MeasureModel& m,
                 const CalibrationValues& cal) const override {
        if (!m.pt1stPoint.isSet()) return;
        pen.marker(m.pt1stPoint);
        if (m.pt2ndPoint.isSet()) pen.marker(m.pt2ndPoint);
        if (m.pt3rdPoint.isSet()) {
            pen.begin();
            pen.circle(m.pt5thPoint, m.fData1);
            pen.stroke();
        }
        if (m.pt2ndPoint.isSet() && m.pt3rdPoint.isSet() && m.pt4thPoint.isSet())
            previewLabel(pen, m, cal, kModeCircleThreePoints, 4);
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource radii) const override {
        const double r = radii == RadiusSource::Stored
                             ? s.fData1
                             : pen.scaledDistance(s.pt1stPoint, s.pt5thPoint);
        pen.circle(s.pt5thPoint, r);
        pen.stroke();
        return true;
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(circleThreePointsTool, CircleThreePointsTool)

}  // namespace lumetra
