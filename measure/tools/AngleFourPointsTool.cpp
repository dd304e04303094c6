// Angle between two lines: two clicks for each line, a fifth places the label
// and stores it.

#include "image/Translate.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class AngleFourPointsTool : public MeasureTool {
    // Both ends of the first line, then both ends of the second.
    enum Step : int32_t { kFirstStart = 1, kFirstEnd, kSecondStart, kSecondEnd };

public:
    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.iToolStep = kFirstStart;
    }

    void click(MeasureModel& m, Point l) const override {
        if (m.iToolStep < kFirstEnd) {
            m.iToolStep = kFirstEnd;
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kSecondStart) {
            m.iToolStep = kSecondStart;
            m.pt3rdPoint = l;
        } else if (m.iToolStep < kSecondEnd) {
            m.iToolStep = kSecondEnd;
            m.pt4thPoint = l;
            m.fData1 = angle(m);
        } else {
            m.storeShape(kModeAngleFourPoints);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.shapeInProgress()) return;
        if (m.iToolStep < kFirstEnd) {
            m.pt2ndPoint = l;
        } else if (m.iToolStep == kSecondStart) {
            m.pt4thPoint = l;
            m.fData1 = angle(m);
        }
        m.pt5thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress()) return translate("StepHint", "Click the first line's first end");
        if (m.iToolStep < kFirstEnd)
            return translate("StepHint", "Click the first line's second end");
        if (m.iToolStep < kSecondStart)
            return translate("StepHint", "Click the second line's first end");
        if (m.iToolStep < kSecondEnd)
            return translate("StepHint", "Click the second line's second end");
        return placeLabelStep();
    }

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet()) return false;
        if (m.pt2ndPoint.isSet()) {
            pen.begin();
            pen.segment(m.pt1stPoint, m.pt2ndPoint);
            pen.stroke();
        }
        if (m.pt3rdPoint.isSet() && m.pt4thPoint.isSet()) {
            pen.begin();
            pen.segment(m.pt3rdPoint, m.pt4thPoint);
            pen.stroke();
        }
        return m.pt4thPoint.isSet() && m.pt5thPoint.isSet();
    }

    // Two separate strokes; no label without the second line's end.
    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        pen.segment(s.pt1stPoint, s.pt2ndPoint);
        pen.stroke();
        pen.segment(s.pt3rdPoint, s.pt4thPoint);
        pen.stroke();
        return s.pt4thPoint.isSet();
    }

    void remeasure(RQShape& s) const override { s.fData1 = angle(s); }

private:
    // The angle between line 1-2 and line 3-4.
    static float angle(const PointSlots& p) {
        return angleOf(p.pt1stPoint, p.pt2ndPoint, p.pt4thPoint, p.pt3rdPoint);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(angleFourPointsTool, AngleFourPointsTool)

}  // namespace lumetra
