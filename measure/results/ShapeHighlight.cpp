#include "measure/results/ShapeHighlight.h"

#include <algorithm>

#include "measure/CountMarks.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {
namespace {
constexpr RgbColor kHighlightColor{1.0, 0.85, 0.0};
// The label in a deeper amber: the highlight yellow is faint on light pictures.
constexpr RgbColor kHighlightLabelColor{0.75, 0.3, 0.0};
constexpr int kExtraWidth = 3;
}  // namespace

void drawHighlightedShape(DrawingSurface& surface, std::span<const RQShape> shapes, int index,
                          const CalibrationValues& cal, double zoom) {
    if (index < 0 || static_cast<size_t>(index) >= shapes.size()) return;
    RQShape shape = shapes[static_cast<size_t>(index)];
    shape.iLineWidth = static_cast<uint8_t>(std::min(255, shape.iLineWidth + kExtraWidth));
    shape.ctrLColor = kHighlightColor;
    shape.ctrFColor = kHighlightLabelColor;
    const auto scale = static_cast<float>(zoom);
    drawShape(surface, shape, cal, scale, scale,
              zoom == 1.0 ? RadiusSource::Stored : RadiusSource::ScaledPoints,
              markNumbers(shapes)[static_cast<size_t>(index)]);
}

}  // namespace lumetra
