#pragma once
// The stored shapes with their labels kept as a transparent image between
// frames: they change only when a shape is added or removed or the
// calibration changes, while stroking and labelling dozens of them afresh
// would cost a good part of each frame.

#include <QImage>
#include <optional>
#include <span>
#include <vector>

#include "app/LayerImage.h"
#include "app/QPainterSurface.h"
#include "measure/LabelFormat.h"
#include "measure/RQShape.h"

namespace lumetra {

class ShapeLayerCache {
public:
    // Draws the shapes as drawGraphit does (scales 1.0) over the w x h view
    // through surface, rendering them first when anything they are drawn
    // from, the calibration, the size or the pixel ratio changed.
    void draw(QPainterSurface& surface, std::span<const RQShape> shapes,
              const CalibrationValues& cal, double w, double h, double devicePixelRatio = 1.0);
    // The shapes' image, rendered first when anything changed; null without shapes.
    // With a window, the image of that part of the view zoomed (drawGraphit's scales
    // the zoom), at devicePixelRatio pixels a unit of the zoomed view.
    const QImage& layer(std::span<const RQShape> shapes, const CalibrationValues& cal, double w,
                        double h, double devicePixelRatio = 1.0,
                        const std::optional<ZoomWindow>& window = std::nullopt);

    // How often the image was rendered; lets tests see the reuse.
    int renderCount() const { return renders_; }

private:
    bool unchanged(std::span<const RQShape> shapes, const CalibrationValues& cal, double w,
                   double h, double ratio, const std::optional<ZoomWindow>& window) const;

    std::vector<RQShape> shapes_;
    std::optional<CalibrationValues> cal_;
    double w_ = 0.0, h_ = 0.0, ratio_ = 0.0;
    std::optional<ZoomWindow> window_;
    QImage image_;
    StaticTextCache texts_;
    int renders_ = 0;
};

}  // namespace lumetra
