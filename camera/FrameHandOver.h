#pragma once
// Carries frames from a capture thread to the main thread through a one-picture
// slot: a frame waits there until the main thread takes it, and a newer frame
// replaces one still waiting, so a busy main thread never makes frames pile up. A
// call is posted to the main thread only when the slot was empty. Frames offered
// before the last invalidate() are dropped; calls still queued after the hand-over
// is destroyed do nothing.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "camera/FrameRouting.h"
#include "image/Frame.h"
#include "image/PostToMain.h"

namespace lumetra {

class FrameHandOver {
public:
    using Sink = std::function<void(const Frame&, const FrameMarks&)>;  // main thread

    FrameHandOver(PostToMain post, Sink sink);
    ~FrameHandOver();
    FrameHandOver(const FrameHandOver&) = delete;
    FrameHandOver& operator=(const FrameHandOver&) = delete;

    // Any thread. A frame replacing a waiting one inherits its change mark.
    void offer(Frame frame, FrameMarks marks);
    // Drops the waiting frame and every frame offered so far.
    void invalidate();

private:
    struct Shared {
        Sink sink;
        std::mutex mutex;
        struct Pending {
            Frame frame;
            FrameMarks marks;
            uint64_t generation = 0;
        };
        std::optional<Pending> pending;
        std::atomic<uint64_t> generation{0};
        void deliver();
    };

    PostToMain post_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace lumetra
