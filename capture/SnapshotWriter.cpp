#include "capture/SnapshotWriter.h"

#include <sys/stat.h>

#include <cerrno>

#include "capture/AnalysisCopy.h"
#include "capture/StampedName.h"
#include "image/AtomicFile.h"
#include "image/JpegCodec.h"
#include "image/JpegRowEncoder.h"
#include "storage/StorageLayout.h"

namespace lumetra {
namespace {
std::vector<uint8_t> encodeSnapshot(const Frame& picture) {
    return encodeJpeg(picture, qualityFromCompressionFactor(kSnapshotCompressionFactor));
}

}  // namespace

std::optional<std::string> writeSnapshotBytes(const std::string& folder, const std::string& stamp,
                                              const void* data, size_t size, WriteResult* failure) {
    WriteResult result;
    // A sidecar or other companion without its picture must not come to describe a new one.
    const StampedFile written =
        createStampedFile(folder, stamp, ".jpg", sidecarPath, [&](const std::string& path) {
            struct stat st {};
            for (const std::string& companion : {cleanCopyPath(path), analysisCopyPath(path)})
                if (::lstat(companion.c_str(), &st) == 0) return EEXIST;
            result = writeNewFileAtomically(path, data, size);
            return result.error();
        });
    if (written.error == 0) return written.path;
    // Every name passed over for its sidecar: nothing was tried, nothing is written.
    if (result) result = WriteResult(folder + snapshotFileName(stamp, 0), written.error);
    if (failure) *failure = result;
    return std::nullopt;
}

std::optional<std::string> writeSnapshot(const Frame& picture, const std::string& folder,
                                         const std::string& stamp, WriteResult* failure) {
    const auto bytes = encodeSnapshot(picture);
    if (bytes.empty()) {
        if (failure) *failure = WriteResult(folder + snapshotFileName(stamp, 0), EINVAL);
        return std::nullopt;
    }
    return writeSnapshotBytes(folder, stamp, bytes.data(), bytes.size(), failure);
}

std::optional<SavedSnapshot> writeSnapshot(const Frame& picture, const std::string& folder,
                                           const std::string& stamp, const SnapshotRecord& record,
                                           WriteResult* failure) {
    // The comment goes in as the picture is encoded: one buffer from encoder to file.
    JpegRowEncoder encoder(picture.width, picture.height,
                           qualityFromCompressionFactor(kSnapshotCompressionFactor),
                           snapshotComment(record));
    if (!picture.isNull()) encoder.writeRows(picture.data.get(), picture.height, picture.stride);
    return writeEncodedSnapshot(encoder.finish(), folder, stamp, record, failure);
}

SnapshotCompanions EncodedCompanions::view() const {
    SnapshotCompanions out;
    if (cleanCopy) out.cleanCopy = *cleanCopy;
    if (analysisCopy) out.analysisCopy = *analysisCopy;
    return out;
}

EncodedCompanions encodeSnapshotCompanions(const Frame& frame, const SnapshotRecord& record,
                                           bool clean, bool analysis) {
    EncodedCompanions out;
    if (clean) {
        out.cleanCopy.emplace();
        SnapshotRecord own = record;
        own.frameWidth = frame.width;
        own.frameHeight = frame.height;
        JpegRowEncoder encoder(frame.width, frame.height,
                               qualityFromCompressionFactor(kSnapshotCompressionFactor),
                               snapshotComment(own));
        if (!frame.isNull() && encoder.writeRows(frame.data.get(), frame.height, frame.stride))
            *out.cleanCopy = encoder.finish();
    }
    if (analysis) out.analysisCopy = encodeAnalysisCopy(frame, record);
    return out;
}

std::optional<SavedSnapshot> writeEncodedSnapshot(
    std::span<const uint8_t> jpeg, const std::string& folder, const std::string& stamp,
    const SnapshotRecord& record, WriteResult* failure, const SnapshotCompanions& companions) {
    if (jpeg.empty()) {
        if (failure) *failure = WriteResult(folder + snapshotFileName(stamp, 0), EINVAL);
        return std::nullopt;
    }
    const auto path = writeSnapshotBytes(folder, stamp, jpeg.data(), jpeg.size(), failure);
    if (!path) return std::nullopt;
    const std::string json = sidecarJson(record);
    SavedSnapshot saved;
    saved.path = *path;
    saved.sidecar = writeNewFileAtomically(sidecarPath(*path), json.data(), json.size());
    const auto writeCompanion = [](const std::string& to,
                                   const std::optional<std::span<const uint8_t>>& bytes) {
        if (!bytes) return WriteResult{};
        if (bytes->empty()) return WriteResult(to, EINVAL);  // it could not be encoded
        return writeNewFileAtomically(to, bytes->data(), bytes->size());
    };
    saved.cleanCopy = writeCompanion(cleanCopyPath(*path), companions.cleanCopy);
    saved.analysisCopy = writeCompanion(analysisCopyPath(*path), companions.analysisCopy);
    return saved;
}

}  // namespace lumetra
