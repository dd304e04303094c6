#pragma once
// A camera frame: a BGRA buffer (4 bytes per pixel, blue first) with shared,
// immutable-by-convention ownership, so it can cross threads and be shown,
// recorded and composed without copies.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumetra {

struct Frame {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row, at least width * 4
    std::shared_ptr<uint8_t[]> data;
    // When the camera captured the picture, on the monotonic clock: the driver's
    // buffer time or the arrival of its stream part. The epoch when unknown.
    std::chrono::steady_clock::time_point capturedAt{};

    // A frame of the given size with uninitialised pixels; stride = width * 4.
    static Frame allocate(int width, int height);

    bool isNull() const { return !data || width <= 0 || height <= 0; }
    size_t byteCount() const { return static_cast<size_t>(stride) * static_cast<size_t>(height); }
    uint8_t* row(int y) { return data.get() + static_cast<ptrdiff_t>(y) * stride; }
    const uint8_t* row(int y) const { return data.get() + static_cast<ptrdiff_t>(y) * stride; }

    // Deep copy with its own buffer and the same capture time.
    Frame clone() const;
};

}  // namespace lumetra
