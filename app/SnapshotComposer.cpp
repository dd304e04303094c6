#include "app/SnapshotComposer.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
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

namespace {

bool burnsIn(const SnapshotMeasurements& measurements) {
    return measurements.model && measurements.viewWidth > 0.0 && measurements.viewHeight > 0.0 &&
           (measurements.scaleBar.has_value() || hasBurntInMeasurements(*measurements.model));
}

}  // namespace

bool snapshotIsTheFrame(const Frame& frame, PixelSize size,
                        const SnapshotMeasurements& measurements) {
    return !burnsIn(measurements) && frame.width == size.width && frame.height == size.height;
}

Frame composeSnapshot(const Frame& frame, PixelSize size, const SnapshotMeasurements& measurements,
                      StaticTextCache* labels) {
    if (!wellFormed(frame) || size.width <= 0 || size.height <= 0) return {};
    if (snapshotIsTheFrame(frame, size, measurements)) return frame;
    Frame picture;
    try {
        picture = Frame::allocate(size.width, size.height);
    } catch (const std::bad_alloc&) {
        return {};
    }
    composeSnapshotRows(frame, size, measurements, labels, picture, 0);
    return picture;
}

void composeSnapshotRows(const Frame& frame, PixelSize size,
                         const SnapshotMeasurements& measurements, StaticTextCache* labels,
                         Frame& band, int top) {
    const int rows = std::min(band.height, size.height - top);
    if (band.isNull() || band.width != size.width || top < 0 || rows <= 0) return;
    const size_t rowBytes = size_t{4} * static_cast<size_t>(size.width);
    if (frame.width == size.width && frame.height == size.height) {
        // At its own size the frame is copied as it is, far cheaper than a blit.
        for (int y = 0; y < rows; ++y) std::memcpy(band.row(y), frame.row(top + y), rowBytes);
        if (!burnsIn(measurements)) return;
    }
    // The whole picture moved up by top: the same coordinates, so the same pixels,
    // as when it is drawn at once; what falls outside the band is left out (and
    // what lies wholly outside it is not drawn at all).
    QImage bitmap(band.data.get(), band.width, rows, band.stride, QImage::Format_RGB32);
    QPainter painter(&bitmap);
    painter.translate(0.0, -top);
    QPainterSurface surface(painter, size.height, labels);
    const double w = size.width;
    const double h = size.height;
    if (frame.width != size.width || frame.height != size.height)
        surface.drawImage(frame, {0.0, 0.0, w, h});
    if (!burnsIn(measurements)) return;
    const auto xScale = static_cast<float>(w / measurements.viewWidth);
    const auto yScale = static_cast<float>(h / measurements.viewHeight);
    surface.save();
    drawShapes(surface, *measurements.model, static_cast<float>(w), static_cast<float>(h), xScale,
               yScale);
    surface.restore();
    if (measurements.scaleBar) {
        if (const auto bar = calibrationScaleBar(calibrationOf(*measurements.model),
                                                 *measurements.scaleBar, w, h, xScale))
            drawScaleBar(surface, *bar);
    }
}

}  // namespace lumetra
