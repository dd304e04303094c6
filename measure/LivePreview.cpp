#include "measure/LivePreview.h"

#include <string>
#include <vector>

#include "measure/LabelFormat.h"
#include "measure/MeasurementPass.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {
namespace {

class Preview {
public:
    Preview(DrawingSurface& surface, const MeasureModel& model)
        : s_(surface), m_(model), cal_(calibrationOf(model)) {}

    void draw() {
        switch (m_.iMode) {
            case kModeLine:
                return line();
            case kModeContinuousLine:
                return continuousLine();
            case kModeParallelLines:
                return parallelLines();
            case kModeCircleRadius:
                return circleByRadius();
            case kModeCircleDiameter:
                return circleByDiameter();
            case kModeCircleThreePoints:
                return circleByThreePoints();
            case kModeAngleThreePoints:
                return angleByThreePoints();
            case kModeAngleFourPoints:
                return angleByFourPoints();
            case kModePolygon:
                return polygon();
            case kModeText:
                return text();
            default:
                return;
        }
    }

private:
    bool set(int k) const { return m_.pt(k).isSet(); }
    Point pt(int k) const { return m_.pt(k); }

    void begin() {
        s_.setLineWidth(m_.iLineWidth);
        s_.setStrokeColor(m_.ctrLColor);
        s_.beginPath();
    }
    void segment(int a, int b) {
        s_.moveTo(pt(a));
        s_.lineTo(pt(b));
    }
    void marker(int k) {
        begin();
        s_.addCircle(pt(k), kMarkerRadius);
        s_.closePath();
        s_.stroke();
    }
    // The label of a shape of `type` with the live value, at slot `anchor`.
    void label(uint8_t type, int anchor) {
        drawLabelBlock(s_, measurementLabel(type, m_.fData1, m_.iDecimal, cal_), pt(anchor),
                       m_.iFontSize, m_.ctrFColor);
    }

    void line() {
        if (!set(1) || !set(2)) return;
        begin();
        segment(1, 2);
        s_.stroke();
        if (set(3)) label(kModeLine, 3);
    }

    void continuousLine() {
        if (!set(1) || !set(2)) return;
        begin();
        segment(1, 2);
        for (int k = 3; k <= 9; ++k) {
            if (set(k)) s_.lineTo(pt(k));
        }
        s_.stroke();
        if (set(10)) label(kModeContinuousLine, 10);
    }

    void parallelLines() {
        if (!set(1) || !set(2)) return;
        begin();
        segment(1, 2);
        if (set(4)) segment(3, 4);
        s_.stroke();
        if (set(5) && set(4)) label(kModeParallelLines, 5);
    }

    void circleByRadius() {
        if (!set(1) || !set(2)) return;
        begin();
        s_.addCircle(pt(1), m_.fData1);
        s_.stroke();
        if (set(3)) label(kModeCircleRadius, 3);
    }

    void circleByDiameter() {
        if (!set(1) || !set(2)) return;
        begin();
        s_.addCircle({(pt(1).x + pt(2).x) / 2, (pt(1).y + pt(2).y) / 2}, m_.fData1 * 0.5);
        s_.stroke();
        if (set(3)) label(kModeCircleDiameter, 3);
    }

    void circleByThreePoints() {
        if (!set(1)) return;
        marker(1);
        if (set(2)) marker(2);
        if (set(3)) {
            begin();
            s_.addCircle(pt(5), m_.fData1);
            s_.stroke();
        }
        if (set(1) && set(2) && set(3) && set(4)) label(kModeCircleThreePoints, 4);
    }

    void angleByThreePoints() {
        if (!set(1)) return;
        marker(1);
        if (set(2)) marker(2);
        if (set(3)) {
            begin();
            s_.moveTo(pt(1));
            s_.lineTo(pt(3));
            s_.lineTo(pt(2));
            s_.stroke();
        }
        if (set(3) && set(4)) label(kModeAngleThreePoints, 4);
    }

    void angleByFourPoints() {
        if (!set(1)) return;
        if (set(2)) {
            begin();
            segment(1, 2);
            s_.stroke();
        }
        if (set(3) && set(4)) {
            begin();
            segment(3, 4);
            s_.stroke();
        }
        if (set(4) && set(5)) label(kModeAngleFourPoints, 5);
    }

    void polygon() {
        if (!set(1) || !set(2)) return;
        begin();
        segment(1, 2);
        for (int k = 3; k <= 9 && set(k); ++k) s_.lineTo(pt(k));
        s_.closePath();
        s_.stroke();
        if (set(10) && set(2) && set(3)) label(kModePolygon, 10);
    }

    void text() {
        if (!set(1)) return;
        drawLabelBlock(s_, {m_.strTextValue}, pt(1), m_.iFontSize, m_.ctrFColor);
    }

    DrawingSurface& s_;
    const MeasureModel& m_;
    const CalibrationValues cal_;
};

}  // namespace

void drawPreview(DrawingSurface& surface, const MeasureModel& model) {
    Preview(surface, model).draw();
}

}  // namespace lumetra
