#include "capture/SnapshotReopening.h"

#include <sys/stat.h>

#include "image/Translate.h"
#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"

namespace lumetra {

ReopenPlan planReopening(const std::string& path) {
    ReopenPlan plan;
    plan.picture = path;
    const std::string cleanOf = snapshotOfCleanCopy(path);
    const std::string snapshot = cleanOf.empty() ? path : cleanOf;
    const std::string sidecar = sidecarPath(snapshot);
    if (const auto json = readWholeFile(sidecar)) plan.record = parseSidecar(*json);
    struct stat st {};
    if (!plan.record && ::lstat(sidecar.c_str(), &st) == 0)
        plan.sidecarProblem = fillIn(translate("SnapshotReopening",
                                               "The measurements kept with the picture in \"{}\" "
                                               "cannot be read; it opens without them."),
                                     {sidecar});
    if (!plan.record || plan.record->shapes.empty() || !cleanOf.empty()) return plan;
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
