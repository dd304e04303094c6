#include "capture/SnapshotWriter.h"

#include <sys/stat.h>
#include <unistd.h>

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

// Gives the picture's temporary file the first free stamped name in folder: its
// path, or nullopt with failure set.
std::optional<std::string> placePicture(TemporaryFile& picture, const std::string& folder,
                                        const std::string& stamp, WriteResult* failure) {
    std::string tried = folder + snapshotFileName(stamp, 0);
    if (picture.error() != 0) {
        if (failure) *failure = WriteResult(tried, picture.error());
        return std::nullopt;
    }
    // A sidecar or other companion without its picture must not come to describe a new one.
    const StampedFile placed =
        createStampedFile(folder, stamp, ".jpg", sidecarPath, [&](const std::string& path) {
            struct stat st {};
            for (const std::string& companion : {cleanCopyPath(path), analysisCopyPath(path)})
                if (::lstat(companion.c_str(), &st) == 0) return EEXIST;
            tried = path;
            return picture.placeWithoutReplacing(path);
        });
    if (placed.error == 0) return placed.path;
    // Every name passed over: the first one stands for them.
    if (placed.error == EEXIST) tried = folder + snapshotFileName(stamp, 0);
    if (failure) *failure = WriteResult(tried, placed.error);
    return std::nullopt;
}

// Syncs the folder of the picture at path, which makes it and its companions placed
// beside it durable; on failure all of them are removed and the picture has failed.
bool syncFolderOrUndo(const std::string& path, const std::vector<std::string>& companions,
                      WriteResult* failure) {
    const int error = syncFolderOf(path);
    if (error == 0) return true;
    for (const std::string& companion : companions) ::unlink(companion.c_str());
    ::unlink(path.c_str());
    if (failure) *failure = WriteResult(path, error);
    return false;
}

// A companion's temporary file: nullopt when not asked for, an EINVAL failure when
// its bytes could not be made.
std::optional<TemporaryFile> stage(const std::string& folder,
                                   const std::optional<std::span<const uint8_t>>& bytes) {
    if (!bytes) return std::nullopt;
    if (bytes->empty()) return TemporaryFile(EINVAL);
    return TemporaryFile(folder, bytes->data(), bytes->size());
}

// Links a staged companion to its name beside the picture; its path is remembered
// in placed for an undo.
WriteResult place(std::optional<TemporaryFile>& staged, const std::string& to,
                  std::vector<std::string>& placed) {
    if (!staged) return {};
    const int error = staged->placeWithoutReplacing(to);
    if (error != 0) return {to, error};
    placed.push_back(to);
    return {};
}

}  // namespace

std::optional<std::string> writeSnapshotBytes(const std::string& folder, const std::string& stamp,
                                              const void* data, size_t size, WriteResult* failure) {
    TemporaryFile picture(folder, data, size);
    auto path = placePicture(picture, folder, stamp, failure);
    if (path && !syncFolderOrUndo(*path, {}, failure)) return std::nullopt;
    return path;
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

StagedCompanions stageSnapshotSidecar(const std::string& folder, const SnapshotRecord& record) {
    const std::string json = sidecarJson(record);
    StagedCompanions staged;
    staged.sidecar.emplace(folder, json.data(), json.size());
    return staged;
}

void stageEncodedCompanions(StagedCompanions& staged, const std::string& folder,
                            const SnapshotCompanions& companions) {
    staged.cleanCopy = stage(folder, companions.cleanCopy);
    staged.analysisCopy = stage(folder, companions.analysisCopy);
}

StagedCompanions stageSnapshotCompanions(const std::string& folder, const SnapshotRecord& record,
                                         const SnapshotCompanions& companions) {
    StagedCompanions staged = stageSnapshotSidecar(folder, record);
    stageEncodedCompanions(staged, folder, companions);
    return staged;
}

std::optional<SavedSnapshot> placeSnapshot(std::span<const uint8_t> jpeg, const std::string& folder,
                                           const std::string& stamp, StagedCompanions staged,
                                           WriteResult* failure) {
    TemporaryFile picture =
        jpeg.empty() ? TemporaryFile(EINVAL) : TemporaryFile(folder, jpeg.data(), jpeg.size());
    const auto path = placePicture(picture, folder, stamp, failure);
    if (!path) return std::nullopt;
    SavedSnapshot saved;
    saved.path = *path;
    std::vector<std::string> placed;
    saved.sidecar = place(staged.sidecar, sidecarPath(*path), placed);
    saved.cleanCopy = place(staged.cleanCopy, cleanCopyPath(*path), placed);
    saved.analysisCopy = place(staged.analysisCopy, analysisCopyPath(*path), placed);
    if (!syncFolderOrUndo(*path, placed, failure)) return std::nullopt;
    return saved;
}

std::optional<SavedSnapshot> writeEncodedSnapshot(
    std::span<const uint8_t> jpeg, const std::string& folder, const std::string& stamp,
    const SnapshotRecord& record, WriteResult* failure, const SnapshotCompanions& companions) {
    return placeSnapshot(jpeg, folder, stamp, stageSnapshotCompanions(folder, record, companions),
                         failure);
}

}  // namespace lumetra
