#include "measure/tools/VertexFigure.h"

#include <algorithm>

#include "image/Translate.h"
#include "measure/RQUtility.h"

namespace lumetra {

void VertexFigure::start(MeasureModel& m, Point l) const {
    m.pt1stPoint = m.pt2ndPoint = l;
    m.iToolStep = kDrawing;
    m.iCLineAuvariable = 2;
}

void VertexFigure::click(MeasureModel& m, Point l) const {
    if (ended(m)) {
        m.pt10thPoint = l;  // this click places the label
        if (!polygon_) m.fData1 = pathLength(m, std::min(m.iCLineAuvariable, int32_t{9}));
        m.storeShape(type());
        return;
    }
    int32_t& k = m.iCLineAuvariable;
    if (k >= 2 && k <= 9) m.pt(k) = l;
    ++k;
    if (k >= 10) {  // the ninth vertex ends the figure
        m.iToolStep = kEnded;
        if (polygon_) m.fData1 = polygonArea(m, 9);
    }
}

void VertexFigure::controlClick(MeasureModel& m, Point l) const {
    // Only an unfinished figure takes a Control-click.
    if (!m.shapeInProgress() || ended(m)) return;
    // The clicked point becomes the last vertex and the label's place, and the figure
    // is measured with it, wherever the mouse last moved.
    move(m, l);
    m.iToolStep = kEnded;
}

std::string VertexFigure::nextStep(const MeasureModel& m) const {
    if (!m.shapeInProgress()) return translate("StepHint", "Click the first point");
    if (ended(m)) return placeLabelStep();
    // The ninth vertex ends the figure by itself.
    if (m.iCLineAuvariable >= 9) return translate("StepHint", "Click the ninth and last point");
    return translate("StepHint", "Click the next point, Ctrl + Click to end");
}

void VertexFigure::move(MeasureModel& m, Point l) const {
    if (!m.shapeInProgress()) return;
    const int32_t k = m.iCLineAuvariable;
    if (!ended(m) && k >= 2 && k <= 9) {
        m.pt(k) = l;
        if (!polygon_) {
            m.auxVariable(k - 1) = RQUtility::distance(m.pt(k), m.pt(k - 1));
        } else if (k >= 3) {
            m.fData1 = polygonArea(m, k);
        }
    }
    m.pt10thPoint = l;  // the label follows the mouse, also after the end
    if (!polygon_) {
        m.fData1 = m.AuxVariable1 + m.AuxVariable2 + m.AuxVariable3 + m.AuxVariable4 +
                   m.AuxVariable5 + m.AuxVariable6 + m.AuxVariable7 + m.AuxVariable8;
    }
}

// The placed vertices are the slots 1 ... last set one; slot 10 is the label.
void VertexFigure::remeasure(RQShape& s) const {
    int32_t last = 1;
    for (int32_t k = 2; k <= 9; ++k) {
        if (s.pt(k).isSet()) last = k;
    }
    s.fData1 = polygon_ ? polygonArea(s, last) : pathLength(s, last);
}

}  // namespace lumetra
