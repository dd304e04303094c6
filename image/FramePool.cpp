#include "image/FramePool.h"

#include <algorithm>

namespace lumetra {

Frame FramePool::acquire(int width, int height) {
    // Frames of another size will not be asked for again soon: let them go.
    std::erase_if(frames_, [&](const Frame& f) { return f.width != width || f.height != height; });
    for (const Frame& f : frames_) {
        // Only the pool holds this buffer; no other thread can take a new reference.
        if (f.data.use_count() == 1) return f;
    }
    Frame fresh = Frame::allocate(width, height);
    if (!fresh.isNull() && frames_.size() < capacity_) frames_.push_back(fresh);
    return fresh;
}

}  // namespace lumetra
