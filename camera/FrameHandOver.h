#pragma once
// Carries decoded frames of either camera kind (the WiFi stream's serial worker, the
// USB capture thread) to the main thread through a one-picture slot: a frame waits
// there until the main thread takes it, and a newer frame replaces one still
// waiting, inheriting its change mark so that a redraw it asked for is not lost. A
// busy main thread therefore never makes frames pile up. A call is posted to the
// main thread only when the slot was empty. Frames offered before the last
// invalidate() are dropped; calls still queued after the hand-over is destroyed do
// nothing.

#include <atomic>
#include <cstdint>
#include <memory>

#include "camera/HandOverSlot.h"
#include "image/Frame.h"
#include "image/FrameMarks.h"
#include "image/PostToMain.h"

namespace lumetra {

// Implemented by the window's camera sides; called on the main thread.
class FrameListener {
public:
    virtual ~FrameListener() = default;
    // A decoded picture of the current stream or capture; pass it to displayFrame().
    virtual void frameReady(const Frame& frame, const FrameMarks& marks) = 0;
};

class FrameHandOver {
public:
    explicit FrameHandOver(PostToMain post);
    ~FrameHandOver();
    FrameHandOver(const FrameHandOver&) = delete;
    FrameHandOver& operator=(const FrameHandOver&) = delete;

    // Main thread. Frames reach nobody while no listener is set.
    void setListener(FrameListener* listener) { shared_->listener = listener; }
    // Any thread. Returns true when the frame replaced one that was still waiting.
    bool offer(Frame frame, FrameMarks marks);
    // Drops the waiting frame and every frame offered so far.
    void invalidate();

private:
    struct Shared {
        std::atomic<FrameListener*> listener{nullptr};
        std::atomic<uint64_t> generation{0};
        struct Pending {
            Frame frame;
            FrameMarks marks;
            uint64_t generation = 0;
        };
        HandOverSlot<Pending> slot;
        void deliver();
    };

    PostToMain post_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace lumetra
