#include "capture/SnapshotReopening.h"

#include <sys/stat.h>

#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"

namespace lumetra {

ReopenPlan planReopening(const std::string& path) {
    ReopenPlan plan{path, std::nullopt, false};
    const std::string cleanOf = snapshotOfCleanCopy(path);
    const std::string snapshot = cleanOf.empty() ? path : cleanOf;
    if (const auto json = readWholeFile(sidecarPath(snapshot))) plan.record = parseSidecar(*json);
    if (!plan.record || plan.record->shapes.empty() || !cleanOf.empty()) return plan;
    struct stat st {};
    const std::string clean = cleanCopyPath(snapshot);
    if (::stat(clean.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        plan.picture = clean;
    } else {
        plan.shapesBurntIn = true;
        plan.record->shapes.clear();
    }
    return plan;
}

}  // namespace lumetra
