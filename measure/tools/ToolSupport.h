#pragma once
// Small steps that several tools share.

#include <cstdint>

#include "image/Translate.h"
#include "measure/MeasureModel.h"
#include "measure/tools/MeasureTool.h"

namespace lumetra {

// The step of every labelled figure once it is measured.
inline std::string placeLabelStep() { return translate("StepHint", "Click to place the label"); }

// Angle between line a-b and line c-d, each coordinate truncated to an integer.
float angleOf(Point a, Point b, Point c, Point d);
// Length of the path through slots 1 ... last.
float pathLength(const PointSlots& p, int32_t last);
// Area of the polygon through slots 1 ... count.
float polygonArea(const PointSlots& p, int32_t count);

// The tool function of a behaviour class, e.g. LUMETRA_TOOL_INSTANCE(lineTool, LineTool).
#define LUMETRA_TOOL_INSTANCE(function, Class) \
    const MeasureTool& function() {            \
        static const Class tool;               \
        return tool;                           \
    }

}  // namespace lumetra
