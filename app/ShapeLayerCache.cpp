#include "app/ShapeLayerCache.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "app/LayerImage.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {
namespace {

// Compared bit for bit, so a value that is not a number still equals itself.
bool sameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
bool sameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }
bool sameBits(Point a, Point b) { return sameBits(a.x, b.x) && sameBits(a.y, b.y); }

// Whether two shapes are drawn alike: everything drawShape reads.
bool drawnAlike(const RQShape& a, const RQShape& b) {
    if (a.type != b.type || a.iLineWidth != b.iLineWidth || a.iFontSize != b.iFontSize ||
        a.iDecimal != b.iDecimal || a.ctrLColor != b.ctrLColor || a.ctrFColor != b.ctrFColor ||
        !sameBits(a.fData1, b.fData1) || a.textValue != b.textValue || a.markClass != b.markClass) {
        return false;
    }
    for (int k = 1; k <= 10; ++k) {
        if (!sameBits(a.pt(k), b.pt(k))) return false;
    }
    return true;
}

}  // namespace

bool ShapeLayerCache::unchanged(std::span<const RQShape> shapes, const CalibrationValues& cal,
                                double w, double h, double ratio,
                                const std::optional<ZoomWindow>& window) const {
    return cal_ && sameBits(cal_->fScale, cal.fScale) &&
           sameBits(cal_->fUnitLength, cal.fUnitLength) && cal_->strUnit == cal.strUnit &&
           w_ == w && h_ == h && ratio_ == ratio && window_ == window &&
           std::equal(shapes.begin(), shapes.end(), shapes_.begin(), shapes_.end(), drawnAlike);
}

void ShapeLayerCache::draw(QPainterSurface& surface, std::span<const RQShape> shapes,
                           const CalibrationValues& cal, double w, double h,
                           double devicePixelRatio) {
    if (!layer(shapes, cal, w, h, devicePixelRatio).isNull())
        surface.drawLayer(image_, {0.0, 0.0, w, h});
}

const QImage& ShapeLayerCache::layer(std::span<const RQShape> shapes, const CalibrationValues& cal,
                                     double w, double h, double devicePixelRatio,
                                     const std::optional<ZoomWindow>& window) {
    if (!unchanged(shapes, cal, w, h, devicePixelRatio, window)) {
        shapes_.assign(shapes.begin(), shapes.end());
        cal_ = cal;
        w_ = w;
        h_ = h;
        ratio_ = devicePixelRatio;
        window_ = window;
        ++renders_;
        const auto zoom = static_cast<float>(window ? window->zoom : 1.0);
        const auto drawShapesOnLayer = [&](QPainterSurface& target) {
            drawGraphit(target, shapes, cal, zoom, zoom);
        };
        if (shapes.empty())
            image_ = QImage();
        else if (window)
            image_ = renderLayer(*window, h * window->zoom, devicePixelRatio, drawShapesOnLayer,
                                 &texts_);
        else
            image_ = renderLayer(w, h, devicePixelRatio, drawShapesOnLayer, &texts_);
    }
    return image_;
}

}  // namespace lumetra
