#pragma once
// The clicks and moves shared by the circle by radius (centre, then a point on
// the circle) and the circle by diameter (both ends of a diameter): two clicks
// place the points, a third places the label and stores the circle. The live
// value is the distance of the two points.

#include "measure/tools/ToolSupport.h"

namespace lumetra {

class TwoPointCircle : public MeasureTool {
public:
    explicit TwoPointCircle(bool radius) : radius_(radius) {}

    bool inProgress(const MeasureModel& m) const override {
        return radius_ ? m.bRCircle1stPoint : m.bDCircle1stPoint;
    }
    void start(MeasureModel& m, Point l) const override;
    void click(MeasureModel& m, Point l) const override;
    void move(MeasureModel& m, Point l) const override;
    std::string nextStep(const MeasureModel& m) const override;

private:
    // The second point's flag, writable through a writable model.
    template <class Model>
    auto& second(Model& m) const {
        return radius_ ? m.bRCircle2ndPoint : m.bDCircle2ndPoint;
    }

    bool radius_;
};

}  // namespace lumetra
