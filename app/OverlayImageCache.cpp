#include "app/OverlayImageCache.h"

#include "app/LayerImage.h"
#include "measure/MeasurementPass.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {

bool OverlayImageCache::Key::operator==(const Key& o) const {
    return setting.iGridMode == o.setting.iGridMode &&
           setting.fPitchPixes == o.setting.fPitchPixes &&
           setting.iLineWidth == o.setting.iLineWidth && setting.ctrLColor == o.setting.ctrLColor &&
           w == o.w && h == o.h && ratio == o.ratio && window == o.window;
}

void OverlayImageCache::draw(QPainterSurface& surface, const OverlaySetting& setting, double w,
                             double h, double devicePixelRatio) {
    if (!layer(setting, w, h, devicePixelRatio).isNull())
        surface.drawLayer(image_, {0.0, 0.0, w, h});
}

const QImage& OverlayImageCache::layer(const OverlaySetting& setting, double w, double h,
                                       double devicePixelRatio,
                                       const std::optional<ZoomWindow>& window) {
    const Key key{setting, w, h, devicePixelRatio, window};
    if (!key_ || !(*key_ == key)) render(key);
    return image_;
}

void OverlayImageCache::render(const Key& key) {
    key_ = key;
    ++renders_;
    const double zoom = key.window ? key.window->zoom : 1.0;
    const OverlayGeometry geometry = zoomedOverlay(key.setting, key.w, key.h, zoom);
    if (geometry.empty()) {
        image_ = QImage();
        return;
    }
    const auto draw = [&](QPainterSurface& target) {
        drawOverlay(target, geometry, key.setting.iLineWidth, key.setting.ctrLColor);
    };
    image_ = key.window ? renderLayer(*key.window, key.h * zoom, key.ratio, draw)
                        : renderLayer(key.w, key.h, key.ratio, draw);
}

}  // namespace lumetra
