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

    void start(MeasureModel& m, Point l) const override;
    void click(MeasureModel& m, Point l) const override;
    void move(MeasureModel& m, Point l) const override;
    std::string nextStep(const MeasureModel& m) const override;
    void remeasure(RQShape& s) const override;

private:
    // The distance of the two points: the radius or the diameter.
    static float span(const PointSlots& p);

    // The first point placed (centre or one end), then the second.
    enum Step : int32_t { kFirst = 1, kSecond };

    bool radius_;
};

}  // namespace lumetra
