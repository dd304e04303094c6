#pragma once
// The scale bar overlay: a bar of a round length (1, 2 or 5 times a power of
// ten in the calibration unit) spanning about a fifth of the picture's width,
// its length above it and the calibration's name below, white on a
// half-translucent black plate (labels under it stay readable) in the lower
// right corner. Every size is a fraction of the picture, so
// a snapshot at the camera's resolution shows it as the view does.

#include <array>
#include <optional>
#include <string>

#include "measure/DrawingSurface.h"
#include "measure/LabelFormat.h"
#include "measure/OverlayGeometry.h"

namespace lumetra {

struct ScaleBar {
    double length = 0.0;     // in the unit
    std::string lengthText;  // e.g. "500 µm"
    std::string name;        // the calibration's name; "" draws no second line
    Segment bar;
    std::array<Segment, 2> ends;  // the end ticks
    RectF plate;
    Point lengthOrigin;  // lower-left corners of the two texts
    Point nameOrigin;
    double fontSize = 0.0;
    double lineWidth = 0.0;
};

// The 1, 2, 5 x 10^n value nearest to target (by ratio); 0 when target is not
// a positive finite number.
double roundScaleLength(double target);

// The bar over a w x h surface (view units or picture pixels) where one unit
// of the surface reads unitsPerPixel in unit. Nothing for an empty surface or
// a scale that is not a positive finite number, or one so extreme that the
// length would need more than twelve decimals.
std::optional<ScaleBar> scaleBar(double w, double h, double unitsPerPixel, const std::string& unit,
                                 const std::string& name);

// The bar of a calibration named name over a w x h surface that shows one
// view unit as pixelsPerViewUnit surface units (1 on the view; the picture's
// width over the view's for a snapshot).
std::optional<ScaleBar> calibrationScaleBar(const CalibrationValues& cal, const std::string& name,
                                            double w, double h, double pixelsPerViewUnit);

void drawScaleBar(DrawingSurface& surface, const ScaleBar& bar);

}  // namespace lumetra
