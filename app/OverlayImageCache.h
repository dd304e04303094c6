#pragma once
// The live view's overlay kept as a transparent image between frames: the grid
// changes only when the user picks another one or the view is resized, while
// stroking hundreds of grid lines afresh would cost a good part of each frame.

#include <QImage>
#include <optional>

#include "app/LayerImage.h"
#include "app/QPainterSurface.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {

class OverlayImageCache {
public:
    // Draws the overlay of `setting` over the whole w x h view through surface,
    // rendering it first when the setting, the size or the pixel ratio changed.
    void draw(QPainterSurface& surface, const OverlaySetting& setting, double w, double h,
              double devicePixelRatio = 1.0);
    // The overlay's image, rendered first when anything changed; null when the
    // overlay draws nothing. With a window, the image of that part of the view
    // zoomed, at devicePixelRatio pixels a unit of the zoomed view.
    const QImage& layer(const OverlaySetting& setting, double w, double h,
                        double devicePixelRatio = 1.0,
                        const std::optional<ZoomWindow>& window = std::nullopt);

    // How often the image was rendered; lets tests see the reuse.
    int renderCount() const { return renders_; }

private:
    struct Key {
        OverlaySetting setting;
        double w;
        double h;
        double ratio;
        std::optional<ZoomWindow> window;
        bool operator==(const Key& o) const;
    };

    void render(const Key& key);

    std::optional<Key> key_;
    QImage image_;  // null when the overlay draws nothing
    int renders_ = 0;
};

}  // namespace lumetra
