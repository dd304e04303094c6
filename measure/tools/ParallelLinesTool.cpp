// Distance of a point from a line: two clicks place the line, the third the
// point, whose perpendicular foot on the line gives the distance; a fourth click
// stores it with the label where the mouse is.

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
            m.pt4thPoint = RQUtility::perpendicular(m.pt3rdPoint, m.pt2ndPoint, m.pt1stPoint);
            m.fData1 = RQUtility::distance(m.pt3rdPoint, m.pt4thPoint);
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
            m.pt4thPoint = RQUtility::perpendicular(l, m.pt2ndPoint, m.pt1stPoint);
            m.fData1 = RQUtility::distance(m.pt3rdPoint, m.pt4thPoint);
        }
        m.pt5thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress()) return "Click the first point of the line";
        if (m.iToolStep < kLineEnd) return "Click the second point of the line";
        if (m.iToolStep < kPoint) return "Click the point";
        return kPlaceLabelStep;
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

private:
    // The line, and the perpendicular from the point once its foot is known.
    static void lines(ShapePen& pen, const PointSlots& p) {
        pen.segment(p.pt1stPoint, p.pt2ndPoint);
        if (p.pt4thPoint.isSet()) pen.segment(p.pt3rdPoint, p.pt4thPoint);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(parallelLinesTool, ParallelLinesTool)

}  // namespace lumetra
