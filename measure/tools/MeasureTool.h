#pragma once
// One measuring tool's behaviour: how clicks and mouse moves build its shape in
// the measurement model, how the shape in progress is previewed, and how a
// stored shape of its type is outlined. Each tool implements this in a file of
// its own; the tool table (ToolTable.h) pairs it with the tool's data. A tool
// keeps its progress in the model's step count (MeasureModel::iToolStep) and
// gives the steps their meaning itself.

#include <string>

#include "measure/RQShape.h"
#include "measure/tools/ShapePen.h"

namespace lumetra {

class MeasureModel;

// Where circle radii come from: the stored value (live view) or the distance of
// the scaled points (snapshot bitmap, whose scale differs from the view's).
enum class RadiusSource { Stored, ScaledPoints };

class MeasureTool {
public:
    virtual ~MeasureTool() = default;

    // The first click of an idle tool.
    virtual void start(MeasureModel& m, Point l) const = 0;
    // Every later click of the shape under way.
    virtual void click(MeasureModel& m, Point l) const = 0;
    // A Control-click on the shape under way; only figures ended that way take it.
    virtual void controlClick(MeasureModel&, Point) const {}
    // A mouse move without a button.
    virtual void move(MeasureModel& m, Point l) const = 0;
    // What the next click does, in the user's words, for the hint line.
    virtual std::string nextStep(const MeasureModel& m) const = 0;

    // The outline of the shape under way, in the model's style; returns whether
    // its live label is due (drawn by the caller at the tool's label slot).
    virtual bool preview(ShapePen& pen, const MeasureModel& m) const = 0;
    // A stored shape's outline, the path begun in the shape's style; returns
    // whether its label may be drawn.
    virtual bool outline(ShapePen& pen, const RQShape& shape, RadiusSource radii) const = 0;

    // A stored shape's value and computed points again from its placed points,
    // exactly as placing them computed them; a tool without a value keeps it.
    virtual void remeasure(RQShape&) const {}
    // Whether slot k of a stored shape is computed from the others rather than placed.
    virtual bool computedSlot(int) const { return false; }
};

}  // namespace lumetra
