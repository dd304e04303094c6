#include "app/PictureAids.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <variant>

#include "measure/scale/EdgeSnap.h"
#include "measure/scale/TickCalibration.h"

namespace lumetra {
namespace {

// Screen pixels either side of a Shift-click searched for an edge.
constexpr double kSnapPixels = 6.0;
// At most this many of the frame's pixels, however far the view is zoomed out.
constexpr double kSnapMaxFramePixels = 32.0;

}  // namespace

void PictureAids::setTickSearch(bool on) {
    tickSearch_ = on;
    tickMarks_.clear();
}

void PictureAids::clear() {
    tickMarks_.clear();
    snapped_.reset();
}

PictureAids::TickOutcome PictureAids::searchTicks(MeasureModel& model, const Frame& frame) {
    if (!tickSearch_ || !model.bCalibration) return {};
    const auto search = findTicksOnReferenceLine(model, frame.full());
    if (!search) return {};
    if (const auto* refused = std::get_if<ScaleRefusal>(&*search)) return {0.0f, refused->reason};
    const auto& found = std::get<TicksOnLine>(*search);
    tickMarks_ = found.marks;
    return {static_cast<float>(found.relativeUncertainty), std::nullopt};
}

Point PictureAids::click(Point at, bool snap, const Frame& frame, ViewSize logical, double scale) {
    snapped_.reset();
    if (snap) {
        const Frame full = frame.full();
        const double reach =
            std::min(kSnapPixels * full.width / (logical.width * scale), kSnapMaxFramePixels);
        snapped_ = snapViewPointToEdge(full, at, logical.width, logical.height, reach);
    }
    return snapped_.value_or(at);
}

void PictureAids::paint(QPainter& painter, const ViewFit& f) const {
    if (tickMarks_.empty() && !snapped_) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 200, 255), 2.0));
    for (const Segment& s : tickMarks_)
        painter.drawLine(QPointF(f.pixelX(s.a.x), f.pixelY(s.a.y)),
                         QPointF(f.pixelX(s.b.x), f.pixelY(s.b.y)));
    if (snapped_) {
        // A small diamond: the point sits on an edge.
        const QPointF c(f.pixelX(snapped_->x), f.pixelY(snapped_->y));
        painter.drawPolygon(QPolygonF(
            {c + QPointF(0, -6), c + QPointF(6, 0), c + QPointF(0, 6), c + QPointF(-6, 0)}));
    }
    painter.restore();
}

}  // namespace lumetra
