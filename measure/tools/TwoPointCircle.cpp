#include "measure/tools/TwoPointCircle.h"

#include "image/Translate.h"
#include "measure/RQUtility.h"

namespace lumetra {

void TwoPointCircle::start(MeasureModel& m, Point l) const {
    m.pt1stPoint = m.pt2ndPoint = l;
    m.iToolStep = kFirst;
}

void TwoPointCircle::click(MeasureModel& m, Point l) const {
    if (m.iToolStep < kSecond) {
        m.iToolStep = kSecond;
        m.pt2ndPoint = l;
    } else {
        m.fData1 = span(m);
        m.storeShape(radius_ ? kModeCircleRadius : kModeCircleDiameter);
    }
}

std::string TwoPointCircle::nextStep(const MeasureModel& m) const {
    if (!m.shapeInProgress())
        return radius_ ? translate("StepHint", "Click the centre")
                       : translate("StepHint", "Click one end of a diameter");
    if (m.iToolStep < kSecond)
        return radius_ ? translate("StepHint", "Click a point on the circle")
                       : translate("StepHint", "Click the other end");
    return placeLabelStep();
}

void TwoPointCircle::move(MeasureModel& m, Point l) const {
    if (!m.shapeInProgress()) return;
    if (m.iToolStep < kSecond) {
        m.pt2ndPoint = l;
        m.fData1 = span(m);
    }
    m.pt3rdPoint = l;
}

void TwoPointCircle::remeasure(RQShape& s) const { s.fData1 = span(s); }

float TwoPointCircle::span(const PointSlots& p) {
    return RQUtility::distance(p.pt2ndPoint, p.pt1stPoint);
}

}  // namespace lumetra
