// Distance of a point from a line: two clicks place the line, the third the
// point, whose perpendicular foot on the line gives the distance; a fourth click
// stores it with the label where the mouse is.

#include "image/Translate.h"
#include "measure/RQUtility.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class ParallelLinesTool : public MeasureTool {
    // The line's two points, then the point measured from it.
    enum Step : int32_t { kLineStart = 1, kLineEnd, kPoint };

public:
    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.iToolStep = kLineStart;
    }

    void click(MeasureModel& m, Point l) const override {
        if (m.iToolStep < kLineEnd) {
            m.iToolStep = kLineEnd;
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kPoint) {
            m.iToolStep = kPoint;
            m.pt3rdPoint = l;
            m.fData1 = footDistance(m);
        } else {
            m.storeShape(kModeParallelLines);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.shapeInProgress()) return;
        if (m.iToolStep < kLineEnd) {
            m.pt2ndPoint = l;
        } else if (m.iToolStep < kPoint) {
            m.pt3rdPoint = l;
            m.fData1 = footDistance(m);
        }
        m.pt5thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress()) return translate("StepHint", "Click the first point of the line");
        if (m.iToolStep < kLineEnd)
            return translate("StepHint", "Click the second point of the line");
        if (m.iToolStep < kPoint) return translate("StepHint", "Click the point");
        return placeLabelStep();
    }

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        lines(pen, m);
        pen.stroke();
        return m.pt5thPoint.isSet() && m.pt4thPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        lines(pen, s);
        pen.stroke();
        return true;
    }

    void remeasure(RQShape& s) const override { s.fData1 = footDistance(s); }
    bool computedSlot(int k) const override { return k == 4; }

private:
    // Places the foot of the perpendicular from the point (slot 3) on the line
    // (slots 1 and 2) in slot 4 and returns the point's distance from it.
    static float footDistance(PointSlots& p) {
        p.pt4thPoint = RQUtility::perpendicular(p.pt3rdPoint, p.pt2ndPoint, p.pt1stPoint);
        return RQUtility::distance(p.pt3rdPoint, p.pt4thPoint);
    }

    // The line, and the perpendicular from the point once its foot is known.
    static void lines(ShapePen& pen, const PointSlots& p) {
        pen.segment(p.pt1stPoint, p.pt2ndPoint);
        if (p.pt4thPoint.isSet()) pen.segment(p.pt3rdPoint, p.pt4thPoint);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(parallelLinesTool, ParallelLinesTool)

}  // namespace lumetra
