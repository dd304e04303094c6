#include "app/ViewSnapshot.h"

#include <QCoreApplication>
#include <thread>

#include "app/SnapshotEncoding.h"
#include "capture/SnapshotSidecar.h"
#include "capture/SnapshotWriter.h"
#include "capture/StampedName.h"
#include "image/JpegCodec.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {

ViewSnapshotOutcome writeViewSnapshot(const ViewSnapshotSource& source, PixelSize size,
                                      const RQGlobalVariables& settings) {
    const bool burnt = source.measurements.model != nullptr;
    const SnapshotRecord record = snapshotRecord(source.model, size.width, size.height, burnt);
    const std::string folder = settings.getStrDocumentsPicture();
    // While the snapshot is composed and encoded, a helper thread writes the sidecar to a
    // flushed temporary file, then encodes the companions (a clean copy only when
    // measurements are burnt in) and writes them too, so that their wait on the disk
    // overlaps it.
    StagedCompanions staged;
    std::vector<uint8_t> jpeg;
    {
        const std::jthread staging([&, clean = burnt && settings.snapshotCleanCopy(),
                                    analysis = settings.snapshotAnalysisCopy()] {
            staged = stageSnapshotSidecar(folder, record);
            const EncodedCompanions companions =
                encodeSnapshotCompanions(source.frame, record, clean, analysis);
            stageEncodedCompanions(staged, folder, companions.view());
        });
        jpeg = composeAndEncodeSnapshot(source.frame, size, source.measurements, source.labels,
                                        qualityFromCompressionFactor(kSnapshotCompressionFactor),
                                        snapshotComment(record));
    }
    ViewSnapshotOutcome outcome;
    WriteResult failure;
    const auto saved =
        placeSnapshot(jpeg, folder, currentTimestampName(), std::move(staged), &failure);
    if (!saved) {
        outcome.failures.push_back(QString::fromStdString(failure.message()));
        return outcome;
    }
    outcome.path = saved->path;
    const QString path = QString::fromStdString(saved->path);
    // The picture is there; the record of what it measures, or a copy, is not.
    if (!saved->sidecar)
        outcome.failures.push_back(
            QCoreApplication::translate(
                "ViewSnapshot", "The picture was saved to %1, its measurements were not. %2")
                .arg(path, QString::fromStdString(saved->sidecar.message())));
    for (const WriteResult* copy : {&saved->cleanCopy, &saved->analysisCopy})
        if (!*copy)
            outcome.failures.push_back(
                QCoreApplication::translate("ViewSnapshot",
                                            "The picture was saved to %1, its copy was not. %2")
                    .arg(path, QString::fromStdString(copy->message())));
    return outcome;
}

}  // namespace lumetra
