#pragma once
// The hint line's text while measuring: what the next click on the picture does
// with the view's current tool and the shape under way.

#include <string>

namespace lumetra {

class MeasureModel;

// The current tool's next step; "" when no tool is chosen. While a calibration
// is under way the reference line's steps say so.
std::string toolStepHint(const MeasureModel& m);

}  // namespace lumetra
