// Circle through three points: three clicks on the circle, a fourth places the
// label and stores it. Point 5 holds the centre, the live value the radius.

#include "image/Translate.h"
#include "measure/RQUtility.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class CircleThreePointsTool : public MeasureTool {
    // The three points on the circle, in click order.
    enum Step : int32_t { kFirst = 1, kSecond, kThird };

public:
    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.iToolStep = kFirst;
    }

    void click(MeasureModel& m, Point l) const override {
        if (m.iToolStep < kSecond) {
            m.iToolStep = kSecond;
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kThird) {
            m.iToolStep = kThird;
            m.pt3rdPoint = l;
            m.fData1 = circleThrough(m);
        } else {
            m.storeShape(kModeCircleThreePoints);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.shapeInProgress()) return;
        if (m.iToolStep == kSecond) {
            m.pt3rdPoint = l;
            m.fData1 = circleThrough(m);
        }
        m.pt4thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress()) return translate("StepHint", "Click a first point on the circle");
        if (m.iToolStep < kSecond)
            return translate("StepHint", "Click a second point on the circle");
        if (m.iToolStep < kThird) return translate("StepHint", "Click a third point on the circle");
        return placeLabelStep();
    }

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet()) return false;
        pen.marker(m.pt1stPoint);
        if (m.pt2ndPoint.isSet()) pen.marker(m.pt2ndPoint);
        if (m.pt3rdPoint.isSet()) {
            pen.begin();
            pen.circle(m.pt5thPoint, pen.scaled(m.fData1));
            pen.stroke();
        }
        return m.pt2ndPoint.isSet() && m.pt3rdPoint.isSet() && m.pt4thPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource radii) const override {
        const double r = radii == RadiusSource::Stored
                             ? s.fData1
                             : pen.scaledDistance(s.pt1stPoint, s.pt5thPoint);
        pen.circle(s.pt5thPoint, r);
        pen.stroke();
        return true;
    }

    void remeasure(RQShape& s) const override { s.fData1 = circleThrough(s); }
    bool computedSlot(int k) const override { return k == 5; }

private:
    // Places the centre of the circle through slots 1, 2 and 3 in slot 5 and
    // returns its radius.
    static float circleThrough(PointSlots& p) {
        const Point a = p.pt1stPoint, b = p.pt2ndPoint, c = p.pt3rdPoint;
        const CircleRect circle = RQUtility::cocircle(a.x, a.y, b.x, b.y, c.x, c.y);
        p.pt5thPoint = circle.origin;
        return static_cast<float>(circle.width);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(circleThreePointsTool, CircleThreePointsTool)

}  // namespace lumetra
