#include "app/LiveViewPainter.h"

#include <QPainter>

#include "measure/MeasurementPass.h"
#include "measure/ScaleBar.h"
#include "measure/results/ShapeHighlight.h"

namespace lumetra {

void LiveViewPainter::paint(QPainter& painter, const ViewFit& fit, double widgetWidth,
                            double widgetHeight, double devicePixelRatio,
                            const LiveViewContent& content, const QColor& margin) {
    const double w = fit.logical.width;
    const double h = fit.logical.height;
    const QRectF picture(fit.left, fit.top, w * fit.scale, h * fit.scale);
    // Only the bands beside the picture: the picture itself is drawn over.
    painter.fillRect(QRectF(0.0, 0.0, widgetWidth, picture.top()), margin);
    painter.fillRect(QRectF(0.0, picture.bottom(), widgetWidth, widgetHeight - picture.bottom()),
                     margin);
    painter.fillRect(QRectF(0.0, picture.top(), picture.left(), picture.height()), margin);
    painter.fillRect(
        QRectF(picture.right(), picture.top(), widgetWidth - picture.right(), picture.height()),
        margin);

    if (!content.frame.isNull()) drawFrame(painter, fit, devicePixelRatio, content.frame, margin);

    painter.save();
    painter.translate(fit.left, fit.top);
    painter.scale(fit.scale, fit.scale);
    if (const MeasureModel* model = content.model) {
        ++passes_;
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterSurface surface(painter, h, &texts_);
        // Layers are rendered at the device's resolution of the scaled picture.
        const double ratio = devicePixelRatio * fit.scale;
        // The overlay is asked for first; both layers go on as one image.
        const QImage* overlay = nullptr;
        CachedLayers layers;
        layers.overlay = [&](const OverlaySetting& setting, double lw, double lh) {
            overlay = &overlays_.layer(setting, lw, lh, ratio);
        };
        layers.shapes = [&](std::span<const RQShape> shapes, const CalibrationValues& cal) {
            const QImage& shapeImage = shapeLayer_.layer(shapes, cal, w, h, ratio);
            surface.drawLayer(overlay ? composed(*overlay, shapeImage) : shapeImage,
                              {0.0, 0.0, w, h});
        };
        drawMeasurementPass(surface, *model, w, h, layers);
        drawHighlightedShape(surface, model->oMutShapsArray, content.highlightedShape,
                             calibrationOf(*model));
        if (content.scaleBar) {
            if (const auto bar =
                    calibrationScaleBar(calibrationOf(*model), *content.scaleBar, w, h, 1.0))
                drawScaleBar(surface, *bar);
        }
    }
    painter.restore();
}

void LiveViewPainter::drawFrame(QPainter& painter, const ViewFit& fit, double devicePixelRatio,
                                const Frame& frame, const QColor& margin) {
    // The device pixels the picture touches; the scaled picture keeps the
    // fractional placement inside them, so it looks as if drawn in place.
    const double scale = fit.scale * devicePixelRatio;
    const QRectF device(fit.left * devicePixelRatio, fit.top * devicePixelRatio,
                        fit.logical.width * scale, fit.logical.height * scale);
    const QRect pixels = device.toAlignedRect();
    if (pixels.isEmpty()) return;
    const QImage image(frame.data.get(), frame.width, frame.height, frame.stride,
                       QImage::Format_RGB32);
    if (frame.data != scaledFrom_.data || device != scaledInto_ || margin != scaledOver_) {
        // A live frame is mostly painted once: it is drawn in place, and kept
        // scaled only when it is painted again in the same place.
        if (frame.data != drawnFrom_.data || device != drawnInto_) {
            drawnFrom_ = frame;
            drawnInto_ = device;
            painter.save();
            painter.translate(fit.left, fit.top);
            painter.scale(fit.scale, fit.scale);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0.0, 0.0, fit.logical.width, fit.logical.height), image);
            painter.restore();
            return;
        }
        if (scaled_.size() != pixels.size()) scaled_ = QImage(pixels.size(), QImage::Format_RGB32);
        scaled_.setDevicePixelRatio(1.0);
        QPainter scaler(&scaled_);
        // The edge pixels the picture covers only partly blend with the margin.
        const int w = pixels.width();
        const int h = pixels.height();
        for (const QRect edge :
             {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h)})
            scaler.fillRect(edge, margin);
        // The transform of the drawing in place, so that the filter samples
        // the frame exactly as it does there.
        scaler.translate(device.topLeft() - QPointF(pixels.topLeft()));
        scaler.scale(scale, scale);
        scaler.setRenderHint(QPainter::SmoothPixmapTransform);
        scaler.drawImage(QRectF(0.0, 0.0, fit.logical.width, fit.logical.height), image);
        scaler.end();
        scaled_.setDevicePixelRatio(devicePixelRatio);
        scaledFrom_ = frame;
        scaledInto_ = device;
        scaledOver_ = margin;
    }
    painter.drawImage(QPointF(pixels.topLeft()) / devicePixelRatio, scaled_);
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
