#include "measure/scale/TickCalibration.h"

#include <cmath>

#include "image/Translate.h"
#include "measure/CalibrationCompletion.h"
#include "measure/scale/FindScale.h"
#include "measure/scale/ViewToFrame.h"

namespace lumetra {
namespace {

constexpr double kMarkHalfLength = 8.0;  // frame pixels either side of the line

}  // namespace

std::optional<TickSearch> findTicksOnReferenceLine(MeasureModel& m, const Frame& frame) {
    if (!calibrationLineDue(m)) return std::nullopt;
    if (frame.isNull() || !(m.viewWidth > 0.0) || !(m.viewHeight > 0.0))
        return ScaleRefusal{translate("ScaleSearch", "There is no picture to search")};
    const ViewToFrame map(frame.width, frame.height, m.viewWidth, m.viewHeight);
    const ScaleSearch search =
        findScale(frame, map.toFrame(m.pt1stPoint), map.toFrame(m.pt2ndPoint));
    if (const auto* refusal = std::get_if<ScaleRefusal>(&search)) return *refusal;
    const ScaleFound& found = std::get<ScaleFound>(search);

    TicksOnLine ticks;
    ticks.pixelsPerDivision = found.periodPx;
    ticks.relativeUncertainty = found.sigmaPx / found.periodPx;
    for (const PixelPoint& t : found.tickPoints) {
        const PixelPoint d{found.along.x * kMarkHalfLength, found.along.y * kMarkHalfLength};
        ticks.marks.push_back(
            {map.toView({t.x - d.x, t.y - d.y}), map.toView({t.x + d.x, t.y + d.y})});
    }
    m.pt1stPoint = map.toView(found.firstTick);
    m.pt2ndPoint = map.toView(found.lastTick);
    m.fData1 = static_cast<float>(
        std::hypot(m.pt2ndPoint.x - m.pt1stPoint.x, m.pt2ndPoint.y - m.pt1stPoint.y));
    m.fActualLength *= static_cast<float>(found.divisions);
    return ticks;
}

}  // namespace lumetra
