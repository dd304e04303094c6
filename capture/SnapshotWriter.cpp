#include "capture/SnapshotWriter.h"

#include <cerrno>

#include "capture/SnapshotNaming.h"
#include "image/AtomicFile.h"
#include "image/JpegCodec.h"

namespace lumetra {
namespace {
// More snapshots than this within one second means something else is wrong.
constexpr int kMaxSuffix = 1000;
}  // namespace

std::optional<std::string> writeSnapshotBytes(const std::string& folder, const std::string& stamp,
                                              const void* data, size_t size, WriteResult* failure) {
    WriteResult result;
    for (int n = 0; n < kMaxSuffix; ++n) {
        const std::string path = folder + snapshotFileName(stamp, n);
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
    const auto bytes =
        encodeJpeg(picture, qualityFromCompressionFactor(kSnapshotCompressionFactor));
    if (bytes.empty()) {
        if (failure) *failure = WriteResult(folder + stamp + ".jpg", EINVAL);
        return std::nullopt;
    }
    return writeSnapshotBytes(folder, stamp, bytes.data(), bytes.size(), failure);
}

}  // namespace lumetra
