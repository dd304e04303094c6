#pragma once
// The small set of 2-D operations that shapes, labels and overlays are drawn
// with. Coordinates have their origin at the lower-left corner, x to the right
// and y upward, in view points on the live view and pixels on a bitmap.
// Implementations: a QPainter surface in the application (widget and bitmap)
// and a recording surface in the tests.

#include <string>

#include "image/Frame.h"
#include "measure/Types.h"

namespace lumetra {

struct RectF {
    double x = 0.0;  // lower-left corner
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const RectF&, const RectF&) = default;
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Path building. stroke() draws every piece of the current path with the
    // current width and colour (butt caps) and leaves the path empty; separate
    // moveTo()s make separate pieces of one stroke.
    virtual void beginPath() = 0;
    virtual void moveTo(Point p) = 0;
    virtual void lineTo(Point p) = 0;
    virtual void addCircle(Point centre, double radius) = 0;  // a full circle, its own piece
    virtual void closePath() = 0;
    virtual void stroke() = 0;

    // Stroke state.
    virtual void setLineWidth(double width) = 0;
    virtual void setStrokeColor(RgbColor color) = 0;

    // Fills rect with color; an opacity below 1 lets what is under it show.
    virtual void fillRect(RectF rect, RgbColor color, double opacity) = 0;

    // Draws text in the given font family and size; origin is the lower-left
    // corner of the text's box, so the text extends up and to the right.
    virtual void drawText(const std::string& utf8, Point origin, const std::string& fontFamily,
                          double fontSize, RgbColor color) = 0;

    // Draws a BGRA frame scaled into rect, replacing the pixels beneath.
    virtual void drawImage(const Frame& frame, RectF rect) = 0;

    // Saves and restores the path, width and colour.
    virtual void save() = 0;
    virtual void restore() = 0;
};

}  // namespace lumetra
