#pragma once
// Reuses the buffers of frames that nobody holds any more, so a stream of
// equally sized pictures does not allocate (and fault in) a fresh multi-megabyte
// buffer for every picture. Used from one thread; the frames it hands out may
// travel to other threads, and a buffer is reused only once every other holder
// has let go of it.

#include <cstddef>
#include <vector>

#include "image/Frame.h"

namespace lumetra {

class FramePool {
public:
    explicit FramePool(size_t capacity = 4) : capacity_(capacity) {}

    // A frame of the given size whose buffer no one else holds: a recycled one
    // when there is one, otherwise a newly allocated one (kept for reuse).
    Frame acquire(int width, int height);

private:
    size_t capacity_;
    std::vector<Frame> frames_;
};

}  // namespace lumetra
