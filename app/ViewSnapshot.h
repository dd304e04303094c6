#pragma once
// Writing a snapshot of the measuring view: the frame on screen composed at the
// size asked for, with the measurements burnt in or not, encoded alongside its
// companions (sidecar, clean and analysis copies) and written into the current
// picture folder. What could not be written comes back as messages for the window.

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "app/SnapshotComposer.h"
#include "image/Frame.h"
#include "measure/MeasureModel.h"

namespace lumetra {

class RQGlobalVariables;
class StaticTextCache;

// What a snapshot is taken from; measurements null for the frame alone.
struct ViewSnapshotSource {
    const Frame& frame;
    const MeasureModel& model;
    SnapshotMeasurements measurements;
    StaticTextCache* labels = nullptr;  // the view's label cache, shared with its painting
};

struct ViewSnapshotOutcome {
    std::optional<std::string> path;  // where the picture was written; none when it was not
    std::vector<QString> failures;    // each file that could not be written, and why
};

ViewSnapshotOutcome writeViewSnapshot(const ViewSnapshotSource& source, PixelSize size,
                                      const RQGlobalVariables& settings);

}  // namespace lumetra
