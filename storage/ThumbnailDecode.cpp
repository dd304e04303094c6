#include "storage/ThumbnailDecode.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "image/JpegCodec.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

// JPEG files beyond this size are not read: with the decoder's budget, one picture costs at
// most about 64 MiB. Far above a snapshot (a few MiB) or a camera's photograph.
constexpr size_t kMaxJpegFileSize = size_t{32} << 20;

}  // namespace

Frame shrinkToFit(const Frame& frame, int maxSide) {
    if (frame.isNull() || maxSide <= 0 || (frame.width <= maxSide && frame.height <= maxSide))
        return frame;
    const int longest = std::max(frame.width, frame.height);
    const int k = (longest + maxSide - 1) / maxSide;
    const int outW = std::max(1, frame.width / k);
    const int outH = std::max(1, frame.height / k);
    Frame out = Frame::allocate(outW, outH);
    if (out.isNull()) return out;
    for (int y = 0; y < outH; ++y) {
        uint8_t* dst = out.row(y);
        const int y1 = std::min(frame.height, (y + 1) * k);
        for (int x = 0; x < outW; ++x) {
            const int x1 = std::min(frame.width, (x + 1) * k);
            uint32_t sum[4] = {0, 0, 0, 0};
            uint32_t count = 0;
            for (int sy = y * k; sy < y1; ++sy) {
                const uint8_t* src = frame.row(sy) + static_cast<ptrdiff_t>(x) * k * 4;
                for (int sx = x * k; sx < x1; ++sx, src += 4) {
                    for (int c = 0; c < 4; ++c) sum[c] += src[c];
                    ++count;
                }
            }
            for (int c = 0; c < 4; ++c)
                dst[x * 4 + c] = static_cast<uint8_t>((sum[c] + count / 2) / count);
        }
    }
    return out;
}

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
    auto frame = decodePictureFile(path, maxSide);
    if (!frame) return std::nullopt;
    try {
        return shrinkToFit(*frame, maxSide);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace lumetra
