#pragma once
// The sidecar of a snapshot: a JSON file beside the JPEG (its name plus
// ".json") with what is needed to audit or redo the measurements: the picture
// and view sizes, the calibration in force and the stored shapes with their
// points, types and values. docs/sidecar.md describes the format.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measure/CountMarks.h"
#include "measure/LabelFormat.h"
#include "measure/MeasureModel.h"
#include "measure/RQShape.h"

namespace lumetra {

inline constexpr int kSidecarVersion = 1;

// What a snapshot shows: shape points are in view units (origin lower left,
// y up) of a view of viewWidth x viewHeight shown as frameWidth x frameHeight
// picture pixels.
struct SnapshotRecord {
    int frameWidth = 0;
    int frameHeight = 0;
    double viewWidth = 0.0;
    double viewHeight = 0.0;
    std::string calibrationName;
    CalibrationValues calibration;
    std::vector<RQShape> shapes;
    // The names of the count classes, for the counts written beside the shapes.
    CountClassNames countClassNames = defaultCountClassNames();
};

// The record of a frameWidth x frameHeight snapshot of a view of the model:
// its calibration, its count class names, and its stored shapes when
// withShapes (the snapshot burns them in).
SnapshotRecord snapshotRecord(const MeasureModel& model, int frameWidth, int frameHeight,
                              bool withShapes);

// The record as JSON text (UTF-8; invalid bytes in texts become U+FFFD).
std::string sidecarJson(const SnapshotRecord& record);

// The record a sidecar holds; nullopt for text that is not a sidecar of this
// version (malformed JSON, missing or mistyped fields, unknown shape types,
// more points than a shape keeps, a mark without a class of the nine). The
// class names stay the defaults: the counts are informative. Values missing from the file or
// written as null (not a number) read as NaN.
std::optional<SnapshotRecord> parseSidecar(std::string_view json);

// The JPEG comment of a snapshot: the calibration's name and the picture's
// scale in the unit per picture pixel.
std::string snapshotComment(const SnapshotRecord& record);

}  // namespace lumetra
