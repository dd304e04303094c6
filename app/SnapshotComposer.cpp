#include "app/SnapshotComposer.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <new>

#include "app/QPainterSurface.h"
#include "measure/MeasurementPass.h"
#include "measure/ScaleBar.h"

namespace lumetra {
namespace {

constexpr double kMaxSide = 65535.0;

bool wellFormed(const Frame& frame) { return !frame.isNull() && frame.stride >= frame.width * 4; }

}  // namespace

std::optional<PixelSize> snapshotPixelSize(double width, double height) {
    if (!std::isfinite(width) || !std::isfinite(height)) return std::nullopt;
    const double w = std::trunc(width);
    const double h = std::trunc(height);
    if (w < 1.0 || h < 1.0 || w > kMaxSide || h > kMaxSide) return std::nullopt;
    return PixelSize{static_cast<int>(w), static_cast<int>(h)};
}

bool hasBurntInMeasurements(const MeasureModel& model) {
    const bool overlay = model.iGridMode >= kGridSquare && model.iGridMode <= kGridScale;
    return overlay || !model.oMutShapsArray.empty();
}

Frame composeSnapshot(const Frame& frame, PixelSize size, const SnapshotMeasurements& measurements,
                      StaticTextCache* labels) {
    if (!wellFormed(frame) || size.width <= 0 || size.height <= 0) return {};
    const bool burnIn =
        measurements.model && measurements.viewWidth > 0.0 && measurements.viewHeight > 0.0 &&
        (measurements.scaleBar.has_value() || hasBurntInMeasurements(*measurements.model));
    if (!burnIn && frame.width == size.width && frame.height == size.height) return frame;

    Frame picture;
    try {
        picture = Frame::allocate(size.width, size.height);
    } catch (const std::bad_alloc&) {
        return {};
    }
    QImage bitmap(picture.data.get(), picture.width, picture.height, picture.stride,
                  QImage::Format_RGB32);
    QPainter painter(&bitmap);
    QPainterSurface surface(painter, picture.height, labels);
    const double w = picture.width;
    const double h = picture.height;
    surface.drawImage(frame, {0.0, 0.0, w, h});
    if (burnIn) {
        const auto xScale = static_cast<float>(w / measurements.viewWidth);
        const auto yScale = static_cast<float>(h / measurements.viewHeight);
        surface.save();
        drawShapes(surface, *measurements.model, static_cast<float>(w), static_cast<float>(h),
                   xScale, yScale);
        surface.restore();
        const MeasureModel& model = *measurements.model;
        if (measurements.scaleBar) {
            if (const auto bar =
                    calibrationScaleBar(calibrationOf(model), *measurements.scaleBar, w, h, xScale))
                drawScaleBar(surface, *bar);
        }
    }
    painter.end();
    return picture;
}

}  // namespace lumetra
