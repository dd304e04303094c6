#include "app/LayerImage.h"

#include <QPainter>
#include <cmath>

namespace lumetra {
namespace {
// Larger than any screen; keeps a bogus size from allocating a huge image.
constexpr double kMaxSide = 32768.0;

double usableRatio(double ratio) { return std::isfinite(ratio) && ratio > 0.0 ? ratio : 1.0; }

}  // namespace

QImage renderLayer(double w, double h, double devicePixelRatio,
                   const std::function<void(QPainterSurface&)>& draw, StaticTextCache* textCache) {
    const double ratio = usableRatio(devicePixelRatio);
    const double pixelWidth = std::ceil(w * ratio);
    const double pixelHeight = std::ceil(h * ratio);
    if (!(pixelWidth >= 1.0 && pixelWidth <= kMaxSide) ||
        !(pixelHeight >= 1.0 && pixelHeight <= kMaxSide)) {
        return {};
    }
    return renderLayer({1.0, static_cast<int>(pixelWidth), static_cast<int>(pixelHeight)}, h, ratio,
                       draw, textCache);
}

QImage renderLayer(const ZoomWindow& window, double surfaceHeight, double devicePixelRatio,
                   const std::function<void(QPainterSurface&)>& draw, StaticTextCache* textCache) {
    if (window.width < 1 || window.width > kMaxSide || window.height < 1 ||
        window.height > kMaxSide)
        return {};
    QImage image(window.width, window.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(window.originX, window.originY);
    // Scaled by hand: QPainter applies an image's device pixel ratio only above 1,
    // and a view shown smaller than its logical size needs ratios below 1 too.
    const double ratio = usableRatio(devicePixelRatio);
    painter.scale(ratio, ratio);
    QPainterSurface surface(painter, surfaceHeight, textCache);
    draw(surface);
    return image;
}

}  // namespace lumetra
