#pragma once
// A transparent image the size of the view, drawn once through a
// QPainterSurface and then reused as a layer of later frames.

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

}  // namespace lumetra
