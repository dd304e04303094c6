#pragma once
// Draws stored measurements with their value labels onto a drawing surface, in
// two variants: the live view's (drawGraphit) and the snapshot bitmap's
// (drawShapes, which also draws the overlay).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "measure/DrawingSurface.h"
#include "measure/LabelFormat.h"
#include "measure/RQShape.h"
#include "measure/tools/MeasureTool.h"
#include "measure/tools/ShapePen.h"

namespace lumetra {

// The overlay as the view holds it, drawn with the view's current style.
struct OverlaySetting {
    uint8_t iGridMode = kGridNone;
    double fPitchPixes = 0.0;
    uint8_t iLineWidth = 2;
    RgbColor ctrLColor = kPureRed;
};

// Outline and label of one shape; point coordinates are multiplied by the
// scales, widths and font sizes are used as stored. A count mark is drawn in its
// class's colour and labelled with its running number markNumber (CountMarks.h).
void drawShape(DrawingSurface& surface, const RQShape& shape, const CalibrationValues& cal,
               float xScale, float yScale, RadiusSource radii, int markNumber);

// View variant: every shape in list order; radii as stored at scales of 1, from
// the scaled points on a zoomed view.
void drawGraphit(DrawingSurface& surface, std::span<const RQShape> shapes,
                 const CalibrationValues& cal, float xScale, float yScale);

// Bitmap variant for snapshots: every shape at scaled coordinates with radii
// recomputed from the scaled points, then the overlay over the w x h bitmap.
void drawShapes(DrawingSurface& surface, std::span<const RQShape> shapes,
                const CalibrationValues& cal, const OverlaySetting& overlay, float w, float h,
                float xScale, float yScale);

}  // namespace lumetra
