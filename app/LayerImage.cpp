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
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterSurface surface(painter, h, textCache);
    draw(surface);
    return image;
}

}  // namespace lumetra
