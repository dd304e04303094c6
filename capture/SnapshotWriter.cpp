#include "capture/SnapshotWriter.h"

#include <sys/stat.h>

#include <cerrno>

#include "capture/SnapshotNaming.h"
#include "image/AtomicFile.h"
#include "image/JpegCodec.h"
#include "image/JpegRowEncoder.h"
#include "storage/StorageLayout.h"

namespace lumetra {
namespace {
// More snapshots than this within one second means something else is wrong.
constexpr int kMaxSuffix = 1000;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<uint8_t> encodeSnapshot(const Frame& picture) {
    return encodeJpeg(picture, qualityFromCompressionFactor(kSnapshotCompressionFactor));
}

}  // namespace

std::optional<std::string> writeSnapshotBytes(const std::string& folder, const std::string& stamp,
                                              const void* data, size_t size, WriteResult* failure) {
    WriteResult result;
    for (int n = 0; n < kMaxSuffix; ++n) {
        const std::string path = folder + snapshotFileName(stamp, n);
        // A sidecar without its picture must not come to describe a new one.
        if (exists(sidecarPath(path))) continue;
        result = writeNewFileAtomically(path, data, size);
        if (result) return path;
        // Only a taken name is worth another try; any other failure is final.
        if (result.error() != EEXIST) break;
    }
    if (failure) *failure = result;
    return std::nullopt;
}

std::optional<std::string> writeSnapshot(const Frame& picture, const std::string& folder,
                                         const std::string& stamp, WriteResult* failure) {
    const auto bytes = encodeSnapshot(picture);
    if (bytes.empty()) {
        if (failure) *failure = WriteResult(folder + stamp + ".jpg", EINVAL);
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

std::optional<SavedSnapshot> writeEncodedSnapshot(std::span<const uint8_t> jpeg,
                                                  const std::string& folder,
                                                  const std::string& stamp,
                                                  const SnapshotRecord& record,
                                                  WriteResult* failure) {
    if (jpeg.empty()) {
        if (failure) *failure = WriteResult(folder + stamp + ".jpg", EINVAL);
        return std::nullopt;
    }
    const auto path = writeSnapshotBytes(folder, stamp, jpeg.data(), jpeg.size(), failure);
    if (!path) return std::nullopt;
    const std::string json = sidecarJson(record);
    return SavedSnapshot{*path,
                         writeNewFileAtomically(sidecarPath(*path), json.data(), json.size())};
}

}  // namespace lumetra
