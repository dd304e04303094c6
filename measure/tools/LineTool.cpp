// Line: two clicks place the ends, a third places the label and stores it.
// While calibrating, this is the reference line.

#include "image/Translate.h"
#include "measure/RQUtility.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class LineTool : public MeasureTool {
    // The first end placed, then the second; the next click stores the line.
    enum Step : int32_t { kFirstEnd = 1, kSecondEnd };

public:
    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = m.pt2ndPoint = l;
        m.iToolStep = kFirstEnd;
        // A completion mark left by an earlier reference line that was stored
        // before any redraw completed it must not complete this new line early.
        m.bCompletedCalibration = false;
    }

    void click(MeasureModel& m, Point l) const override {
        if (m.iToolStep < kSecondEnd) {
            m.iToolStep = kSecondEnd;
            m.pt2ndPoint = l;
            m.bCompletedCalibration = true;
        } else {
            m.fData1 = length(m);
            m.storeShape(kModeLine);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.shapeInProgress()) return;
        if (m.iToolStep < kSecondEnd) {
            m.pt2ndPoint = l;
            m.fData1 = length(m);
        }
        m.pt3rdPoint = l;
    }

    // The reference line of a calibration says so until both its ends are placed.
    std::string nextStep(const MeasureModel& m) const override {
        if (!m.shapeInProgress())
            return m.bCalibration
                       ? translate("StepHint",
                                   "Calibration: click the first end of the reference line")
                       : translate("StepHint", "Click the first end");
        if (m.iToolStep < kSecondEnd)
            return m.bCalibration
                       ? translate("StepHint",
                                   "Calibration: click the second end of the reference line")
                       : translate("StepHint", "Click the second end");
        return placeLabelStep();
    }

    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (!m.pt1stPoint.isSet() || !m.pt2ndPoint.isSet()) return false;
        pen.begin();
        pen.segment(m.pt1stPoint, m.pt2ndPoint);
        pen.stroke();
        return m.pt3rdPoint.isSet();
    }

    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        pen.segment(s.pt1stPoint, s.pt2ndPoint);
        pen.stroke();
        return true;
    }

    void remeasure(RQShape& s) const override { s.fData1 = length(s); }

private:
    static float length(const PointSlots& p) {
        return RQUtility::distance(p.pt2ndPoint, p.pt1stPoint);
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(lineTool, LineTool)

}  // namespace lumetra
