#pragma once
// Composes a snapshot picture: the frame on screen drawn over the whole picture
// at the requested pixel size, then the stored measurements and the overlay
// mapped from view units onto picture pixels. QPainter draws straight into the
// picture's BGRA buffer (QImage::Format_RGB32 has the same bytes on a
// little-endian machine), so the result is a Frame ready to be encoded.

#include <optional>
#include <string>

#include "image/Frame.h"
#include "measure/MeasureModel.h"

namespace lumetra {

class StaticTextCache;

// The picture size of a request in whole pixels (fractions are truncated);
// nullopt for sizes that are not finite or outside 1 .. 65535, the range of
// the camera's frame size.
struct PixelSize {
    int width = 0;
    int height = 0;
};
std::optional<PixelSize> snapshotPixelSize(double width, double height);

// What to burn in: the model's stored shapes and overlay as they appear on a
// view of viewWidth x viewHeight units. The shape in progress is never drawn.
struct SnapshotMeasurements {
    const MeasureModel* model = nullptr;  // null: the bare frame
    double viewWidth = 0.0;
    double viewHeight = 0.0;
    // The scale bar of the calibration in force with this name, sized to the
    // picture; none: no bar.
    std::optional<std::string> scaleBar{};
};

// True when the model holds a shape or an overlay that a snapshot burns in.
bool hasBurntInMeasurements(const MeasureModel& model);

// The frame scaled to size with the measurements drawn over it. When nothing is
// to be drawn and the frame already has that size, the frame itself is returned
// (no copy). A null frame means no picture could be made (null or malformed
// frame, no memory). Label layouts go through `labels` when given.
Frame composeSnapshot(const Frame& frame, PixelSize size, const SnapshotMeasurements& measurements,
                      StaticTextCache* labels = nullptr);

// True when composeSnapshot would return the frame itself.
bool snapshotIsTheFrame(const Frame& frame, PixelSize size,
                        const SnapshotMeasurements& measurements);

// Composes rows [top, top + band.height) of a snapshot of the given size into
// band, a frame as wide as the snapshot whose first row is the snapshot's row top:
// the same pixels composeSnapshot gives there (rows past the snapshot's last are
// left alone). The frame must be well-formed (not null, stride of at least 4 bytes
// a pixel).
void composeSnapshotRows(const Frame& frame, PixelSize size,
                         const SnapshotMeasurements& measurements, StaticTextCache* labels,
                         Frame& band, int top);

}  // namespace lumetra
