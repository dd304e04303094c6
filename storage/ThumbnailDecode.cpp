#include "storage/ThumbnailDecode.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "image/ExifThumbnail.h"
#include "image/FrameShrink.h"
#include "image/JpegCodec.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

// JPEG files beyond this size are not read: with the decoder's budget, one picture costs at
// most about 64 MiB. Far above a snapshot (a few MiB) or a camera's photograph.
constexpr size_t kMaxJpegFileSize = size_t{32} << 20;

// The start of a file that is searched for an embedded thumbnail: the JFIF header and
// one whole EXIF segment.
constexpr size_t kThumbnailHeadSize = 68 * 1024;

// The file's embedded thumbnail, decoded, when it is there and large enough.
std::optional<Frame> embeddedThumbnail(const std::string& path, int maxSide) {
    const auto head = readFileStart(path, kThumbnailHeadSize);
    if (!head) return std::nullopt;
    const auto bytes =
        exifThumbnail(std::span(reinterpret_cast<const uint8_t*>(head->data()), head->size()));
    if (!bytes) return std::nullopt;
    auto frame = decodeJpegScaled(bytes->data(), bytes->size(), maxSide);
    if (!frame || 4 * std::max(frame->width, frame->height) < 3 * maxSide) return std::nullopt;
    return frame;
}

}  // namespace

std::optional<Frame> decodePictureFile(const std::string& path, int maxSide) {
    // The workers go on after any file: running out of memory is a failed decode, not an
    // exception that ends the worker.
    try {
        const auto bytes = readWholeFile(path, kMaxJpegFileSize);
        if (!bytes) return std::nullopt;
        return decodeJpegScaled(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size(),
                                maxSide);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<Frame> decodeThumbnail(const std::string& path, int maxSide) {
    try {
        if (auto embedded = embeddedThumbnail(path, maxSide))
            return shrinkToFit(*embedded, maxSide);
        auto frame = decodePictureFile(path, maxSide);
        if (!frame) return std::nullopt;
        return shrinkToFit(*frame, maxSide);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace lumetra
