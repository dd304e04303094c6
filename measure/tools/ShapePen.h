#pragma once
// Draws the pieces of one shape onto a drawing surface: points mapped by the
// x and y scales (1 on the live view, pixels per view unit on a snapshot), one
// line width and colour, and the label block at a point.

#include <string>
#include <vector>

#include "measure/DrawingSurface.h"

namespace lumetra {

// Radius of the small circle marking a clicked point in a preview.
inline constexpr double kMarkerRadius = 3.0;

inline constexpr const char* kLabelFontFamily = "Arial";

// A label block: the first line with its lower-left corner at anchor, each
// further line fontSize lower.
void drawLabelBlock(DrawingSurface& surface, const std::vector<std::string>& lines, Point anchor,
                    double fontSize, RgbColor color);

class ShapePen {
public:
    ShapePen(DrawingSurface& surface, double lineWidth, RgbColor color, double xScale = 1.0,
             double yScale = 1.0)
        : s_(surface), width_(lineWidth), color_(color), xs_(xScale), ys_(yScale) {}

    Point at(Point p) const { return {p.x * xs_, p.y * ys_}; }
    // A length in the surface's units, for the live view, which scales both axes alike.
    double scaled(double length) const { return length * xs_; }
    // Distance of a and b after scaling, computed in float.
    double scaledDistance(Point a, Point b) const;

    // Sets the width and colour and starts a new path.
    void begin();
    void moveTo(Point p) { s_.moveTo(at(p)); }
    void lineTo(Point p) { s_.lineTo(at(p)); }
    void segment(Point a, Point b) {
        moveTo(a);
        lineTo(b);
    }
    // A circle around the scaled centre; the radius is used as given.
    void circle(Point centre, double radius) { s_.addCircle(at(centre), radius); }
    // A circle around a point given in the surface's own units.
    void circleAt(Point surfaceCentre, double radius) { s_.addCircle(surfaceCentre, radius); }
    void closePath() { s_.closePath(); }
    void stroke() { s_.stroke(); }
    // A small stroked circle on a clicked point.
    void marker(Point p);
    // A label block in the given font size and colour with its first line at the
    // scaled anchor.
    void label(const std::vector<std::string>& lines, Point anchor, double fontSize,
               RgbColor color);

private:
    DrawingSurface& s_;
    double width_;
    RgbColor color_;
    double xs_;
    double ys_;
};

}  // namespace lumetra
