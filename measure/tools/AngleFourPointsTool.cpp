// Angle between two lines: two clicks for each line, a fifth places the label
// and stores it.

#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class AngleFourPointsTool : public MeasureTool {
public:
    bool inProgress(const MeasureModel& m) const override { return m.bFAngle1stPoint; }

    void start(MeasureModel& m, Point l) const override {
        m.pt1stPoint = l;
        m.bFAngle1stPoint = true;
    }

    void click(MeasureModel& m, Point l) const override {
        if (!m.bFAngle2ndPoint) {
            m.bFAngle2ndPoint = true;
            m.pt2ndPoint = l;
        } else if (!m.bFAngle3thPoint) {
            m.bFAngle3thPoint = true;
            m.pt3rdPoint = l;
        } else if (!m.bFAngle4thPoint) {
            m.bFAngle4thPoint = true;
            m.pt4thPoint = l;
            m.fData1 = angleOf(m.pt1stPoint, m.pt2ndPoint, m.pt4thPoint, m.pt3rdPoint);
        } else {
            m.storeShape(kModeAngleFourPoints);
        }
    }

    void move(MeasureModel& m, Point l) const override {
        if (!m.bFAngle1stPoint) return;
        if (!m.bFAngle2ndPoint) {
            m.pt2ndPoint = l;
        } else if (m.bFAngle3thPoint && !m.bFAngle4thPoint) {
            m.pt4thPoint = l;
            m.fData1 = angleOf(m.pt1stPoint, m.pt2ndPoint, l, m.pt3rdPoint);
        }
        m.pt5thPoint = l;
    }

    std::string nextStep(const MeasureModel& m) const override {
        if (!m.bFAngle1stPoint) return "Click the first line's first end";
        if (!m.bFAngle2ndPoint) return "Click the first line's second end";
        if (!m.bFAngle3thPoint) return "Click the second line's first end";
        if (!m.bFAngle4thPoint) return "Click the second line's second end";
        return kPlaceLabelStep;
    }

    void preview(ShapePen& pen, const MeasureModel& m,
                 const CalibrationValues& cal) const override {
        if (!m.pt1stPoint.isSet()) return;
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
        if (m.pt4thPoint.isSet() && m.pt5thPoint.isSet())
            previewLabel(pen, m, cal, kModeAngleFourPoints, 5);
    }

    // Two separate strokes; no label without the second line's end.
    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        pen.segment(s.pt1stPoint, s.pt2ndPoint);
        pen.stroke();
        pen.segment(s.pt3rdPoint, s.pt4thPoint);
        pen.stroke();
        return s.pt4thPoint.isSet();
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(angleFourPointsTool, AngleFourPointsTool)

}  // namespace lumetra
