#include "app/LayerImage.h"

#include <QPainter>
#include <cmath>

namespace lumetra {
namespace {
// Larger than any screen; keeps a bogus size from allocating a huge image.
constexpr double kMaxSide = 32768.0;
}  // namespace

QImage renderLayer(double w, double h, double devicePixelRatio,
                   const std::function<void(QPainterSurface&)>& draw, StaticTextCache* textCache) {
    const double ratio =
        std::isfinite(devicePixelRatio) && devicePixelRatio > 0.0 ? devicePixelRatio : 1.0;
    const double pixelWidth = std::ceil(w * ratio);
    const double pixelHeight = std::ceil(h * ratio);
    if (!(pixelWidth >= 1.0 && pixelWidth <= kMaxSide) ||
        !(pixelHeight >= 1.0 && pixelHeight <= kMaxSide)) {
        return {};
    }
    QImage image(static_cast<int>(pixelWidth), static_cast<int>(pixelHeight),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Scaled by hand: QPainter applies an image's device pixel ratio only above 1,
    // and a view shown smaller than its logical size needs ratios below 1 too.
    painter.scale(ratio, ratio);
    QPainterSurface surface(painter, h, textCache);
    draw(surface);
    return image;
}

}  // namespace lumetra
