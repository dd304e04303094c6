#pragma once
// What opening a picture for measuring shows. A snapshot comes back as it was
// measured: its clean copy with the sidecar's shapes as stored shapes, under the
// sidecar's calibration. A snapshot without its clean copy shows itself with the
// calibration only, its shapes being burnt in. Any other picture shows as it is.

#include <optional>
#include <string>

#include "capture/SnapshotSidecar.h"

namespace lumetra {

struct ReopenPlan {
    std::string picture;                   // the file to show
    std::optional<SnapshotRecord> record;  // the sidecar's, when there is a readable one
    bool shapesBurntIn = false;            // the record's shapes are in the picture, not in record
    // When the picture has a sidecar that cannot be read (damaged, of another version,
    // unreadable): why it opens without its measurements and calibration, for the user.
    std::string sidecarProblem;
};

// The plan for opening path: a snapshot "<name>.jpg" or its clean copy
// "<name>.clean.jpg", with the sidecar "<name>.jpg.json"; any other file as it is.
ReopenPlan planReopening(const std::string& path);

}  // namespace lumetra
