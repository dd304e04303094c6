#include "app/OverlayImageCache.h"

#include <QPainter>
#include <cmath>

#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {
namespace {
// Larger than any screen; keeps a bogus size from allocating a huge image.
constexpr double kMaxSide = 32768.0;
}  // namespace

bool OverlayImageCache::Key::operator==(const Key& o) const {
    return setting.iGridMode == o.setting.iGridMode &&
           setting.fPitchPixes == o.setting.fPitchPixes &&
           setting.iLineWidth == o.setting.iLineWidth && setting.ctrLColor == o.setting.ctrLColor &&
           w == o.w && h == o.h && ratio == o.ratio;
}

void OverlayImageCache::draw(QPainterSurface& surface, const OverlaySetting& setting, double w,
                             double h, double devicePixelRatio) {
    const Key key{setting, w, h, devicePixelRatio};
    if (!key_ || !(*key_ == key)) render(key);
    if (!image_.isNull()) surface.drawLayer(image_, {0.0, 0.0, w, h});
}

void OverlayImageCache::render(const Key& key) {
    key_ = key;
    ++renders_;
    image_ = QImage();
    const OverlayGeometry geometry =
        viewOverlay(key.setting.iGridMode, key.w, key.h, key.setting.fPitchPixes);
    const double ratio = std::isfinite(key.ratio) && key.ratio > 0.0 ? key.ratio : 1.0;
    const double pixelWidth = std::ceil(key.w * ratio);
    const double pixelHeight = std::ceil(key.h * ratio);
    if (geometry.empty() || !(pixelWidth >= 1.0 && pixelWidth <= kMaxSide) ||
        !(pixelHeight >= 1.0 && pixelHeight <= kMaxSide)) {
        return;
    }
    const int pw = static_cast<int>(pixelWidth);
    const int ph = static_cast<int>(pixelHeight);

    QImage image(pw, ph, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterSurface target(painter, key.h);
    drawOverlay(target, geometry, key.setting.iLineWidth, key.setting.ctrLColor);
    painter.end();
    image_ = std::move(image);
}

}  // namespace lumetra
