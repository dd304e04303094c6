#pragma once
// What the measuring view draws over and around the picture besides the frame and
// the measurement pass: the placeholder before the first frame, the stored shapes'
// handles, and the FROZEN and zoom badges (app/PictureAids draws what it found).
// Free functions taking what they draw, in widget pixels through the view's fit.

#include <QRectF>
#include <vector>

#include "measure/RQShape.h"
#include "measure/Types.h"
#include "policy/WindowArea.h"

class QFont;
class QPainter;

namespace lumetra {

// The dark placeholder with its reticle and the hint to connect a microscope, over `area`.
void drawPlaceholder(QPainter& painter, const QRectF& area, const QFont& font);

// The handles of the shapes at `hovered` and `chosen` (either -1 or out of range: none).
void drawHandles(QPainter& painter, const ViewFit& fit, const std::vector<RQShape>& shapes,
                 int hovered, int chosen);

// The part of the picture inside `widget`.
QRectF shownPicture(const ViewFit& fit, const QRectF& widget);

// The badges at the top corners of the picture's `shown` part, in a bold `font`.
void drawFrozenBadge(QPainter& painter, const QFont& font, const QRectF& shown);
void drawZoomBadge(QPainter& painter, const QFont& font, const QRectF& shown, double factor);

}  // namespace lumetra
