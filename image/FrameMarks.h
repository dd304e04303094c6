#pragma once
// What a camera path knows about a frame it hands to the main thread, read by the
// display rule (policy/FrameRouting.h) and the stream benchmarks.

#include <chrono>
#include <cstdint>

namespace lumetra {

struct FrameMarks {
    bool decoded = true;
    bool changed = true;
    // The very picture handed over last, handed over again: a still picture's source
    // repeats it so that recording and the view's change of path go on. The view
    // already shows it.
    bool repeated = false;
    int64_t partBytes = 0;  // bytes of the part received when the picture was cut
    std::chrono::steady_clock::time_point lastByteAt{};  // when those bytes arrived
};

}  // namespace lumetra
