#pragma once
// One redraw of the live view from the measurement model, and the snapshot
// variant, in the order the picture is built: frame, shape in progress,
// overlay, stored shapes, the legend of the counts per class.

#include <functional>
#include <span>

#include "image/Frame.h"
#include "measure/DrawingSurface.h"
#include "measure/LabelFormat.h"
#include "measure/MeasureModel.h"
#include "measure/OverlayGeometry.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {

// The overlay as the view holds it. The calibration the labels are read in is
// calibrationOf (MeasureModel.h).
OverlaySetting overlayOf(const MeasureModel& model);

// The overlay's geometry over a w x h view shown zoom times larger (1: at fit).
OverlayGeometry zoomedOverlay(const OverlaySetting& overlay, double w, double h, double zoom);

// Replacements for two layers of a redraw that rarely change between frames:
// the overlay and the stored shapes with their labels. A widget can hand in
// drawers that reuse images rendered earlier; empty ones draw afresh.
struct CachedLayers {
    // Draws the overlay of `setting` over a w x h view (at the pass's zoom).
    std::function<void(const OverlaySetting& setting, double w, double h)> overlay;
    // Draws the stored shapes as drawGraphit does with both scales the pass's zoom.
    std::function<void(std::span<const RQShape> shapes, const CalibrationValues& cal)> shapes;
};

// Everything of a redraw after the frame on a w x h view: the preview of the
// shape in progress, the overlay, the stored shapes and the count legend. A due
// calibration is completed before (completeCalibrationIfDue), never while drawing. A
// view shown `zoom` times larger is drawn on a surface of w * zoom x h * zoom: points,
// radii and grid pitches are multiplied by zoom, while line widths and labels keep
// their size; the layers' drawers must then draw at the same zoom.
void drawMeasurementPass(DrawingSurface& surface, const MeasureModel& model, double w, double h,
                         const CachedLayers& layers = {}, double zoom = 1.0);

// A full redraw: the frame filling the view (when there is one), then the pass.
void drawLiveView(DrawingSurface& surface, const Frame& frame, const MeasureModel& model, double w,
                  double h, const CachedLayers& layers = {});

// The two shape-drawing variants with the model's shapes, calibration and
// overlay; the snapshot's (drawShapes) adds the count legend.
void drawGraphit(DrawingSurface& surface, const MeasureModel& model, float xScale, float yScale);
void drawShapes(DrawingSurface& surface, const MeasureModel& model, float w, float h, float xScale,
                float yScale);

}  // namespace lumetra
