#include "app/OverlayImageCache.h"

#include "app/LayerImage.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {

bool OverlayImageCache::Key::operator==(const Key& o) const {
    return setting.iGridMode == o.setting.iGridMode &&
           setting.fPitchPixes == o.setting.fPitchPixes &&
           setting.iLineWidth == o.setting.iLineWidth && setting.ctrLColor == o.setting.ctrLColor &&
           w == o.w && h == o.h && ratio == o.ratio;
}

void OverlayImageCache::draw(QPainterSurface& surface, const OverlaySetting& setting, double w,
                             double h, double devicePixelRatio) {
    if (!layer(setting, w, h, devicePixelRatio).isNull())
        surface.drawLayer(image_, {0.0, 0.0, w, h});
}

const QImage& OverlayImageCache::layer(const OverlaySetting& setting, double w, double h,
                                       double devicePixelRatio) {
    const Key key{setting, w, h, devicePixelRatio};
    if (!key_ || !(*key_ == key)) render(key);
    return image_;
}

void OverlayImageCache::render(const Key& key) {
    key_ = key;
    ++renders_;
    const OverlayGeometry geometry =
        viewOverlay(key.setting.iGridMode, key.w, key.h, key.setting.fPitchPixes);
    if (geometry.empty()) {
        image_ = QImage();
        return;
    }
    image_ = renderLayer(key.w, key.h, key.ratio, [&](QPainterSurface& target) {
        drawOverlay(target, geometry, key.setting.iLineWidth, key.setting.ctrLColor);
    });
}

}  // namespace lumetra
