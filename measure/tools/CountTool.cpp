// Count: each click stores a mark of the current class, or removes the mark it
// hits. Every click is complete in itself, so the tool never has a shape under
// way and stays chosen.

#include "image/Translate.h"
#include "measure/CountMarks.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class CountTool : public MeasureTool {
public:
    void start(MeasureModel& m, Point l) const override {
        if (const auto hit = markAt(m.oMutShapsArray, l)) {
            m.removeShapeAt(*hit);
            return;
        }
        m.pt1stPoint = l;
        m.storeShape(kModeCount);
    }

    // Never reached: no click leaves a shape under way.
    void click(MeasureModel& m, Point l) const override { start(m, l); }

    void move(MeasureModel&, Point) const override {}

    std::string nextStep(const MeasureModel& m) const override {
        const int current = isCountClass(m.iCountClass) ? m.iCountClass : 1;
        return fillIn(translate("StepHint",
                                "Counting {}: click to mark, keys 1-9 choose the class, "
                                "a click on a mark removes it"),
                      {m.countClassNames[static_cast<size_t>(current - 1)]});
    }

    bool preview(ShapePen&, const MeasureModel&) const override { return false; }

    // A ring around the point; the renderer adds the class and running number.
    bool outline(ShapePen& pen, const RQShape& s, RadiusSource) const override {
        pen.circleAt(pen.at(s.pt1stPoint), kMarkRadius);
        pen.stroke();
        return true;
    }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(countTool, CountTool)

}  // namespace lumetra
