#pragma once
// The measuring view's aids that read the picture itself: the search for a stage
// micrometer's ticks along a new calibration's reference line, and a click with Shift
// held landing on the nearest edge. The reading is measure/scale's
// (findTicksOnReferenceLine, snapViewPointToEdge); this keeps what it found, in view
// units, and draws it over the picture: the ticks until the picture or the
// calibration changes, the snapped point until the next click.

#include <optional>
#include <string>
#include <vector>

#include "image/Frame.h"
#include "measure/MeasureModel.h"
#include "measure/OverlayGeometry.h"
#include "measure/Types.h"
#include "policy/WindowArea.h"

class QPainter;

namespace lumetra {

class PictureAids {
public:
    // What a due reference line gets from the search: the relative uncertainty of
    // the period found (0 when there was no search), or why the line was refused.
    struct TickOutcome {
        float uncertainty = 0.0f;
        std::optional<std::string> refusal;
    };

    // While on, a due reference line is searched for ticks; either way the ticks
    // marked so far go.
    void setTickSearch(bool on);
    // The marks go: they belong to a picture no longer shown.
    void clear();

    // With the search on and model's reference line due, the ticks between its ends
    // in frame's full picture: found, the line lies on them and they are marked;
    // refused, the model is left as it was.
    TickOutcome searchTicks(MeasureModel& model, const Frame& frame);

    // Where a click at `at` (view units over frame, which fills a view of `logical`
    // shown at `scale` widget pixels per unit) lands: with snap, on the edge nearest
    // in the edge's normal within a few screen pixels, marked; otherwise, or with no
    // edge there, where it was, and no mark.
    Point click(Point at, bool snap, const Frame& frame, ViewSize logical, double scale);

    const std::vector<Segment>& tickMarks() const { return tickMarks_; }
    const std::optional<Point>& snappedPoint() const { return snapped_; }

    // The ticks found and the snapped point, in widget pixels through fit.
    void paint(QPainter& painter, const ViewFit& fit) const;

private:
    bool tickSearch_ = false;
    std::vector<Segment> tickMarks_;
    std::optional<Point> snapped_;
};

}  // namespace lumetra
