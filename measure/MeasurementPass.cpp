#include "measure/MeasurementPass.h"

#include "measure/CountLegend.h"
#include "measure/LivePreview.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {

OverlaySetting overlayOf(const MeasureModel& model) {
    return {model.iGridMode, model.fPitchPixes, model.iLineWidth, model.ctrLColor};
}

OverlayGeometry zoomedOverlay(const OverlaySetting& overlay, double w, double h, double zoom) {
    if (zoom == 1.0) return viewOverlay(overlay.iGridMode, w, h, overlay.fPitchPixes);
    return imageOverlay(overlay.iGridMode, w * zoom, h * zoom, overlay.fPitchPixes, zoom, zoom);
}

void drawMeasurementPass(DrawingSurface& surface, const MeasureModel& model, double w, double h,
                         const CachedLayers& layers, double zoom) {
    drawPreview(surface, model, zoom);
    const OverlaySetting overlay = overlayOf(model);
    if (layers.overlay) {
        layers.overlay(overlay, w, h);
    } else {
        drawOverlay(surface, zoomedOverlay(overlay, w, h, zoom), overlay.iLineWidth,
                    overlay.ctrLColor);
    }
    if (layers.shapes) {
        layers.shapes(model.oMutShapsArray, calibrationOf(model));
    } else {
        const auto scale = static_cast<float>(zoom);
        drawGraphit(surface, model, scale, scale);
    }
    drawCountLegend(surface, model.oMutShapsArray, model.countClassNames, w, h, model.iFontSize);
}

void drawLiveView(DrawingSurface& surface, const Frame& frame, const MeasureModel& model, double w,
                  double h, const CachedLayers& layers) {
    if (!frame.isNull()) surface.drawImage(frame, {0.0, 0.0, w, h});
    drawMeasurementPass(surface, model, w, h, layers);
}

void drawGraphit(DrawingSurface& surface, const MeasureModel& model, float xScale, float yScale) {
    drawGraphit(surface, model.oMutShapsArray, calibrationOf(model), xScale, yScale);
}

void drawShapes(DrawingSurface& surface, const MeasureModel& model, float w, float h, float xScale,
                float yScale) {
    drawShapes(surface, model.oMutShapsArray, calibrationOf(model), overlayOf(model), w, h, xScale,
               yScale);
    drawCountLegend(surface, model.oMutShapsArray, model.countClassNames, w, h, model.iFontSize);
}

}  // namespace lumetra
