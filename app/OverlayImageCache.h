#pragma once
// The live view's overlay kept as a transparent image between frames: the grid
// changes only when the user picks another one or the view is resized, while
// stroking hundreds of grid lines afresh would cost a good part of each frame.

#include <QImage>
#include <optional>

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
    // overlay draws nothing.
    const QImage& layer(const OverlaySetting& setting, double w, double h,
                        double devicePixelRatio = 1.0);

    // How often the image was rendered; lets tests see the reuse.
    int renderCount() const { return renders_; }

private:
    struct Key {
        OverlaySetting setting;
        double w;
        double h;
        double ratio;
        bool operator==(const Key& o) const;
    };

    void render(const Key& key);

    std::optional<Key> key_;
    QImage image_;  // null when the overlay draws nothing
    int renders_ = 0;
};

}  // namespace lumetra
