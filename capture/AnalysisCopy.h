#pragma once
// A picture for image-analysis programs: the frame without measurements as a TIFF
// whose resolution tags and ImageJ-style description carry the calibration's pixel
// size and unit, so that such programs open it calibrated.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/SnapshotSidecar.h"
#include "image/AtomicFile.h"
#include "image/Frame.h"
#include "image/TiffEncoder.h"

namespace lumetra {

// The calibration of a frameWidth x frameHeight picture of the record's view as
// TIFF tags: pixels per unit on each axis and the unit as those programs name it
// ("micron" for µm; centimetres and inches, mils counted in inches, also as the
// TIFF resolution unit). No tags (empty description, no resolution) for an
// uncalibrated record or a unit that is not plain ASCII.
struct AnalysisTags {
    std::string description;  // "ImageJ=1.11a\nunit=<unit>\n"
    std::optional<TiffResolution> resolution;
};
AnalysisTags analysisTags(const SnapshotRecord& record, int frameWidth, int frameHeight);

// The frame as such a TIFF; empty when it cannot be encoded.
std::vector<uint8_t> encodeAnalysisCopy(const Frame& frame, const SnapshotRecord& record);

// Writes encodeAnalysisCopy's bytes into folder (ending with '/') as "<stamp>.tif",
// "<stamp>-1.tif", ... never replacing a file; the path written, or nullopt with
// failure (when given) saying why.
std::optional<std::string> writeAnalysisCopy(const Frame& frame, const SnapshotRecord& record,
                                             const std::string& folder, const std::string& stamp,
                                             WriteResult* failure = nullptr);

}  // namespace lumetra
