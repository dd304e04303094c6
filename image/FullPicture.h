#pragma once
// The full-size picture behind a frame that was decoded reduced for the screen: the
// picture's JPEG bytes, decoded at full size the first time someone needs the full
// pixels (a snapshot, a recording, freezing, zooming in, reading the picture) and kept.
// Safe on any thread: the first caller decodes, callers meanwhile wait for it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "image/Frame.h"
#include "image/FramePool.h"
#include "image/JpegCodec.h"

namespace lumetra {

class FullPicture {
public:
    // What the reduced picture went through after decoding (the picture adjustments),
    // done to the full one alike so that both look the same.
    using Finish = std::function<void(Frame&)>;

    // `size` is the picture's size from its header, `limit` the decode's size limit.
    FullPicture(std::vector<uint8_t> jpeg, JpegInfo size, JpegInfo limit, Finish finish);

    JpegInfo size() const { return size_; }
    // The full-size picture, finished; a null frame when it does not decode.
    Frame picture() const;

private:
    std::vector<uint8_t> jpeg_;
    JpegInfo size_;
    JpegInfo limit_;
    Finish finish_;
    mutable std::once_flag decoded_;
    mutable Frame picture_;
};

// A live picture decoded for a screen showing it at `shown` device pixels
// (decodeJpegForScreen, 0 x 0: full size) within `limit`; when reduced, it carries its
// full picture (the bytes copied), finished by `finish` once decoded.
std::optional<Frame> decodeLivePicture(const uint8_t* data, size_t size, FramePool* pool,
                                       JpegInfo limit, JpegInfo shown,
                                       const FullPicture::Finish& finish = {});

}  // namespace lumetra
