#include "app/LiveViewPainter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "image/FrameScale.h"
#include "measure/MeasurementPass.h"
#include "measure/ScaleBar.h"
#include "measure/results/ShapeHighlight.h"

namespace lumetra {

void LiveViewPainter::paint(QPainter& painter, const ViewFit& view, double zoom, double widgetWidth,
                            double widgetHeight, double devicePixelRatio,
                            const LiveViewContent& content, const QColor& margin) {
    const QRectF picture(view.left, view.top, view.logical.width * view.scale,
                         view.logical.height * view.scale);
    // The part of the picture in the widget: all of it at fit.
    const QRectF shown = picture & QRectF(0.0, 0.0, widgetWidth, widgetHeight);
    if (shown.isEmpty()) return;
    // Only the bands beside the picture: the picture itself is drawn over.
    painter.fillRect(QRectF(0.0, 0.0, widgetWidth, shown.top()), margin);
    painter.fillRect(QRectF(0.0, shown.bottom(), widgetWidth, widgetHeight - shown.bottom()),
                     margin);
    painter.fillRect(QRectF(0.0, shown.top(), shown.left(), shown.height()), margin);
    painter.fillRect(
        QRectF(shown.right(), shown.top(), widgetWidth - shown.right(), shown.height()), margin);

    if (!content.frame.isNull())
        drawFrame(painter, view, shown, devicePixelRatio, content.frame, margin);
    if (!content.model) return;
    ++passes_;
    drawPass(painter, view, zoom, shown, devicePixelRatio, content);
    drawScaleBarOver(painter, view, zoom, shown, content);
}

void LiveViewPainter::drawPass(QPainter& painter, const ViewFit& view, double zoom,
                               const QRectF& shown, double devicePixelRatio,
                               const LiveViewContent& content) {
    const MeasureModel& model = *content.model;
    const double w = view.logical.width;
    const double h = view.logical.height;
    // The fit's scale: widths and labels keep the size they have at fit, while
    // the pass multiplies the points by the zoom.
    const double fitScale = view.scale / zoom;
    // Layers are rendered at the device's resolution of the scaled picture; a
    // zoomed picture's only over the device pixels that show.
    const double ratio = devicePixelRatio * fitScale;
    const QRect pixels =
        QRectF(shown.topLeft() * devicePixelRatio, shown.size() * devicePixelRatio).toAlignedRect();
    std::optional<ZoomWindow> window;
    if (zoom != 1.0)
        window = ZoomWindow{zoom, pixels.width(), pixels.height(),
                            view.left * devicePixelRatio - pixels.left(),
                            view.top * devicePixelRatio - pixels.top()};
    painter.save();
    if (window) painter.setClipRect(shown);
    painter.translate(view.left, view.top);
    painter.scale(fitScale, fitScale);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterSurface surface(painter, h * zoom, &texts_);
    // The overlay is asked for first; both layers go on as one image.
    const QImage* overlay = nullptr;
    CachedLayers layers;
    layers.overlay = [&](const OverlaySetting& setting, double lw, double lh) {
        overlay = &overlays_.layer(setting, lw, lh, ratio, window);
    };
    layers.shapes = [&](std::span<const RQShape> shapes, const CalibrationValues& cal) {
        const QImage& shapeImage = shapeLayer_.layer(shapes, cal, w, h, ratio, window);
        const QImage& image = overlay ? composed(*overlay, shapeImage) : shapeImage;
        if (!window) {
            surface.drawLayer(image, {0.0, 0.0, w, h});
        } else if (!image.isNull()) {
            painter.save();
            painter.resetTransform();
            painter.drawImage(QRectF(QPointF(pixels.topLeft()) / devicePixelRatio,
                                     QSizeF(pixels.size()) / devicePixelRatio),
                              image);
            painter.restore();
        }
    };
    drawMeasurementPass(surface, model, w, h, layers, zoom);
    drawHighlightedShape(surface, model.oMutShapsArray, content.highlightedShape,
                         calibrationOf(model), zoom);
    painter.restore();
}

void LiveViewPainter::drawScaleBarOver(QPainter& painter, const ViewFit& view, double zoom,
                                       const QRectF& shown, const LiveViewContent& content) {
    if (!content.scaleBar) return;
    const double fitScale = view.scale / zoom;
    const double w = shown.width() / fitScale;
    const double h = shown.height() / fitScale;
    const auto bar =
        calibrationScaleBar(calibrationOf(*content.model), *content.scaleBar, w, h, zoom);
    if (!bar) return;
    painter.save();
    painter.translate(shown.topLeft());
    painter.scale(fitScale, fitScale);
    QPainterSurface surface(painter, h, &texts_);
    drawScaleBar(surface, *bar);
    painter.restore();
}

void LiveViewPainter::drawFrame(QPainter& painter, const ViewFit& view, const QRectF& shown,
                                double devicePixelRatio, const Frame& frame, const QColor& margin) {
    // The device pixels the picture touches; the scaled picture keeps the
    // fractional placement inside them, so it looks as if drawn in place.
    const double w = view.logical.width;
    const double h = view.logical.height;
    const double scale = view.scale * devicePixelRatio;
    const QRectF device(view.left * devicePixelRatio, view.top * devicePixelRatio, w * scale,
                        h * scale);
    const QRect pixels =
        (device & QRectF(shown.topLeft() * devicePixelRatio, shown.size() * devicePixelRatio))
            .toAlignedRect();
    if (pixels.isEmpty()) return;
    // Only the part of the frame under those pixels is scaled: a zoomed picture
    // is far larger than the widget.
    const double x0 = std::max(0.0, (pixels.left() - device.left()) / scale);
    const double y0 = std::max(0.0, (pixels.top() - device.top()) / scale);
    const double x1 = std::min(w, (pixels.left() + pixels.width() - device.left()) / scale);
    const double y1 = std::min(h, (pixels.top() + pixels.height() - device.top()) / scale);
    const QRectF target(x0, y0, x1 - x0, y1 - y0);
    const double framePerUnit = frame.width / w;
    const QRectF source(x0 * framePerUnit, y0 * (frame.height / h), target.width() * framePerUnit,
                        target.height() * (frame.height / h));
    if (frame.data != scaledFrom_.data || device != scaledInto_ || pixels != scaledPixels_ ||
        margin != scaledOver_) {
        if (target != QRectF(0.0, 0.0, w, h)) {
            // A part of the frame (zoomed): Qt's filter samples it at the fractional
            // place exactly.
            if (!scaleWithPainter(painter, view, devicePixelRatio, device, pixels, frame, target,
                                  source, margin))
                return;
        } else {
            scaleWhole(device, pixels, frame, margin);
        }
        scaled_.setDevicePixelRatio(devicePixelRatio);
        scaledFrom_ = frame;
        scaledInto_ = device;
        scaledPixels_ = pixels;
        scaledOver_ = margin;
    }
    painter.drawImage(QPointF(pixels.topLeft()) / devicePixelRatio, scaled_);
}

bool LiveViewPainter::scaleWithPainter(QPainter& painter, const ViewFit& view,
                                       double devicePixelRatio, const QRectF& device,
                                       const QRect& pixels, const Frame& frame,
                                       const QRectF& target, const QRectF& source,
                                       const QColor& margin) {
    const QImage image(frame.data.get(), frame.width, frame.height, frame.stride,
                       QImage::Format_RGB32);
    // A frame is mostly painted once: it is drawn in place, and kept scaled only
    // when it is painted again in the same place.
    if (frame.data != drawnFrom_.data || device != drawnInto_) {
        drawnFrom_ = frame;
        drawnInto_ = device;
        painter.save();
        painter.translate(view.left, view.top);
        painter.scale(view.scale, view.scale);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image, source);
        painter.restore();
        return false;
    }
    prepareScaled(pixels.size());
    QPainter scaler(&scaled_);
    // The edge pixels the picture covers only partly blend with the margin.
    const int pw = pixels.width();
    const int ph = pixels.height();
    for (const QRect edge :
         {QRect(0, 0, pw, 1), QRect(0, ph - 1, pw, 1), QRect(0, 0, 1, ph), QRect(pw - 1, 0, 1, ph)})
        scaler.fillRect(edge, margin);
    // The transform of the drawing in place, so that the filter samples the
    // frame exactly as it does there.
    const double scale = view.scale * devicePixelRatio;
    scaler.translate(device.topLeft() - QPointF(pixels.topLeft()));
    scaler.scale(scale, scale);
    scaler.setRenderHint(QPainter::SmoothPixmapTransform);
    scaler.drawImage(target, image, source);
    return true;
}

void LiveViewPainter::scaleWhole(const QRectF& device, const QRect& pixels, const Frame& frame,
                                 const QColor& margin) {
    prepareScaled(pixels.size());
    // The picture fills the pixels whose centres it covers, as drawing it in
    // place does; the others keep the margin.
    const auto first = [](double edge) { return static_cast<int>(std::ceil(edge - 0.5)); };
    const QRect inner(
        QPoint(first(device.left()), first(device.top())) - pixels.topLeft(),
        QPoint(first(device.right()) - 1, first(device.bottom()) - 1) - pixels.topLeft());
    QPainter edges(&scaled_);
    const QRect all = scaled_.rect();
    edges.fillRect(QRect(all.topLeft(), QPoint(all.right(), inner.top() - 1)), margin);
    edges.fillRect(QRect(QPoint(all.left(), inner.bottom() + 1), all.bottomRight()), margin);
    edges.fillRect(QRect(QPoint(all.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())),
                   margin);
    edges.fillRect(
        QRect(QPoint(inner.right() + 1, inner.top()), QPoint(all.right(), inner.bottom())), margin);
    edges.end();
    if (inner.isEmpty()) return;
    uchar* const bits = scaled_.bits() + inner.top() * scaled_.bytesPerLine() + inner.left() * 4;
    scaleBilinear({frame.data.get(), frame.width, frame.height, frame.stride},
                  {bits, inner.width(), inner.height(), static_cast<int>(scaled_.bytesPerLine())});
}

void LiveViewPainter::prepareScaled(const QSize& size) {
    if (scaled_.size() != size) scaled_ = QImage(size, QImage::Format_RGB32);
    scaled_.setDevicePixelRatio(1.0);
}

const QImage& LiveViewPainter::composed(const QImage& overlay, const QImage& shapes) {
    if (overlay.isNull()) return shapes;
    if (shapes.isNull()) return overlay;
    const std::pair renders{overlays_.renderCount(), shapeLayer_.renderCount()};
    if (renders != composedFrom_ || composite_.size() != overlay.size()) {
        composite_ = overlay.copy();
        QPainter painter(&composite_);
        painter.drawImage(0, 0, shapes);
        composedFrom_ = renders;
    }
    return composite_;
}

}  // namespace lumetra
