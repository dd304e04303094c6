// Angle by three points: the ends of the two arms, then the vertex; a fourth
// click places the label and stores it.

#include "image/Translate.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class AngleThreePointsTool : public MeasureTool {
    // The ends of the two arms, then the vertex.
    enum Step : int32_t { kFirstArm = 1, kSecondArm, kVertex };

public:
    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.iToolStep = kFirstArm;
    }

    void click(MeasureModel& m, Point l) const override {
        if (m.iToolStep < kSecondArm) {
            m.iToolStep = kSecondArm;
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kVertex) {
            m.iToolStep = kVertex;
            m.pt3rdPoint = l;  // the vertex
            m.fData1 = angle(m);
        } else {
            m.storeShape(kModeAngleThreePoints);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.shapeInProgress()) return;
        if (m.iToolStep < kSecondArm) {
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kVertex) {
            m.pt3rdPoint = l;
            m.fData1 = angle(m);
        }
        m.pt4thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress()) return translate("StepHint", "Click the first arm's end");
        if (m.iToolStep < kSecondArm) return translate("StepHint", "Click the second arm's end");
        if (m.iToolStep < kVertex) return translate("StepHint", "Click the vertex");
        return placeLabelStep();
    }

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet()) return false;
        pen.marker(m.pt1stPoint);
        if (m.pt2ndPoint.isSet()) pen.marker(m.pt2ndPoint);
        if (m.pt3rdPoint.isSet()) {
            pen.begin();
            arms(pen, m);
            pen.stroke();
        }
        return m.pt3rdPoint.isSet() && m.pt4thPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        arms(pen, s);
        pen.stroke();
        return true;
    }

    void remeasure(RQShape& s) const override { s.fData1 = angle(s); }

private:
    // The angle at the vertex (slot 3) between the arms to slots 1 and 2.
    static float angle(const PointSlots& p) {
        return angleOf(p.pt1stPoint, p.pt3rdPoint, p.pt3rdPoint, p.pt2ndPoint);
    }

    // End 1, the vertex (point 3), end 2.
    static void arms(ShapePen& pen, const PointSlots& p) {
        pen.segment(p.pt1stPoint, p.pt3rdPoint);
        pen.lineTo(p.pt2ndPoint);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(angleThreePointsTool, AngleThreePointsTool)

}  // namespace lumetra
