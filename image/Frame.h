#pragma once
// A camera frame: a BGRA buffer (4 bytes per pixel, blue first) with shared,
// immutable-by-convention ownership, so it can cross threads and be shown,
// recorded and composed without copies. A live picture may be held reduced for the
// screen, its full-size picture decoded only when needed (FullPicture).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumetra {

class FullPicture;

struct Frame {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row, at least width * 4
    std::shared_ptr<uint8_t[]> data;
    // When the camera captured the picture, on the monotonic clock: the driver's
    // buffer time or the arrival of its stream part. The epoch when unknown.
    std::chrono::steady_clock::time_point capturedAt{};
    // Set when these pixels are the picture reduced for the screen: the full-size
    // picture, decoded on demand. Everything that reads pixels in the picture's own
    // coordinates (snapshots, recordings, measuring) uses full().
    std::shared_ptr<const FullPicture> fullPicture;

    // A frame of the given size with uninitialised pixels; stride = width * 4.
    static Frame allocate(int width, int height);

    bool isNull() const { return !data || width <= 0 || height <= 0; }
    size_t byteCount() const { return static_cast<size_t>(stride) * static_cast<size_t>(height); }
    uint8_t* row(int y) { return data.get() + static_cast<ptrdiff_t>(y) * stride; }
    const uint8_t* row(int y) const { return data.get() + static_cast<ptrdiff_t>(y) * stride; }

    // Deep copy of these pixels with its own buffer and the same capture time.
    Frame clone() const;

    // The picture's own size, whether these pixels are reduced or not.
    int fullWidth() const;
    int fullHeight() const;
    // The full-size picture: this frame when it is not reduced, else the decoded one
    // (with this frame's capture time); a null frame when that does not decode.
    Frame full() const;
};

}  // namespace lumetra
