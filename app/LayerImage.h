#pragma once
// A transparent image the size of the view, or of the part of a zoomed view
// that shows, drawn once through a QPainterSurface and then reused as a layer
// of later frames.

#include <QImage>
#include <functional>

#include "app/QPainterSurface.h"

namespace lumetra {

// Renders `draw` into a transparent w x h image (logical units) at the given
// device pixel ratio, laying out texts through textCache when given. A null
// image when the size is not a usable one.
QImage renderLayer(double w, double h, double devicePixelRatio,
                   const std::function<void(QPainterSurface&)>& draw,
                   StaticTextCache* textCache = nullptr);

// The part of a view shown `zoom` times larger that a layer covers: width x
// height device pixels, with the zoomed view's top-left corner at (originX,
// originY) of them.
struct ZoomWindow {
    double zoom = 1.0;
    int width = 0;
    int height = 0;
    double originX = 0.0;
    double originY = 0.0;
    friend bool operator==(const ZoomWindow&, const ZoomWindow&) = default;
};

// Renders `draw` into a transparent image of the window's pixels, the surface
// being `surfaceHeight` units high at `devicePixelRatio` pixels a unit. A null
// image when the window's size is not a usable one.
QImage renderLayer(const ZoomWindow& window, double surfaceHeight, double devicePixelRatio,
                   const std::function<void(QPainterSurface&)>& draw,
                   StaticTextCache* textCache = nullptr);

}  // namespace lumetra
