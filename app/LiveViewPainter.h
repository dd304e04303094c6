#pragma once
// Paints the live view into a widget: the camera frame and, on the redraw path,
// the measurement pass (preview, overlay, stored shapes, highlight), all in the
// view's logical units, scaled to fit the widget and centred, or zoomed. The
// frame is scaled bilinearly to the device's pixels once per frame and placement,
// so repaints without a new frame (the pointer's preview, a highlight) only copy
// it; only the part of the frame that shows is scaled. The overlay and the
// stored shapes are kept as layers at the device's resolution between frames
// (zoomed, of the part that shows); zoomed, line widths and labels keep the size
// they have at fit.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>
#include <utility>

#include "app/OverlayImageCache.h"
#include "app/QPainterSurface.h"
#include "app/ShapeLayerCache.h"
#include "image/Frame.h"
#include "measure/MeasureModel.h"
#include "policy/WindowArea.h"

class QPainter;

namespace lumetra {

// What one paint shows.
struct LiveViewContent {
    Frame frame;                            // null: nothing under the measurements
    const MeasureModel* model = nullptr;    // null: no measurement pass
    int highlightedShape = -1;              // a stored shape drawn highlighted; -1 none
    const std::string* scaleBar = nullptr;  // the scale bar with this calibration name
};

class LiveViewPainter {
public:
    // Fills the widget's `widgetWidth` x `widgetHeight` pixels around the picture
    // with `margin`, then draws the content over the picture, which lies at
    // `view`, `zoom` times as large as at fit (1: fitted).
    void paint(QPainter& painter, const ViewFit& view, double zoom, double widgetWidth,
               double widgetHeight, double devicePixelRatio, const LiveViewContent& content,
               const QColor& margin);

    // How many measurement passes have been drawn.
    uint64_t measurementPasses() const { return passes_; }
    // The label layouts, shared with the snapshots of the same view.
    StaticTextCache& texts() { return texts_; }

private:
    // Draws the part of `frame` inside `shown` (widget pixels) bilinearly scaled
    // into the picture's place, the device pixels `device` of the whole picture.
    void drawFrame(QPainter& painter, const ViewFit& view, const QRectF& shown,
                   double devicePixelRatio, const Frame& frame, const QColor& margin);
    // The part `source` of the frame, drawn by Qt's smooth filter at `target`
    // (view units): in place the first time (false: nothing kept), into the
    // kept picture over `pixels` when painted again in the same place.
    bool scaleWithPainter(QPainter& painter, const ViewFit& view, double devicePixelRatio,
                          const QRectF& device, const QRect& pixels, const Frame& frame,
                          const QRectF& target, const QRectF& source, const QColor& margin);
    // The whole frame scaled into the kept picture over `pixels` at once.
    void scaleWhole(const QRectF& device, const QRect& pixels, const Frame& frame,
                    const QColor& margin);
    // The kept picture at this size, of one device pixel per pixel while drawn into.
    void prepareScaled(const QSize& size);
    // The measurement pass over the part of the picture that shows, its overlay
    // and stored shapes from the layers.
    void drawPass(QPainter& painter, const ViewFit& view, double zoom, const QRectF& shown,
                  double devicePixelRatio, const LiveViewContent& content);
    // The scale bar in the lower right corner of the part that shows.
    void drawScaleBarOver(QPainter& painter, const ViewFit& view, double zoom, const QRectF& shown,
                          const LiveViewContent& content);
    // The overlay's and the shapes' layers as one image (a frame then blends one
    // layer, not two), composed again only when either was rendered again.
    const QImage& composed(const QImage& overlay, const QImage& shapes);

    StaticTextCache texts_;
    OverlayImageCache overlays_;
    ShapeLayerCache shapeLayer_;
    QImage composite_;
    // The frame scaled to the device's pixels covered by the picture, and what it
    // was made from; the frame is held so that its buffer, part of the key, is
    // not reused for another frame meanwhile.
    QImage scaled_;
    Frame scaledFrom_;
    QRectF scaledInto_;
    QRect scaledPixels_;
    QColor scaledOver_;
    // The frame drawn in place last, and where; held for the same reason.
    Frame drawnFrom_;
    QRectF drawnInto_;
    std::pair<int, int> composedFrom_{-1, -1};  // the layers' render counts
    uint64_t passes_ = 0;
};

}  // namespace lumetra
