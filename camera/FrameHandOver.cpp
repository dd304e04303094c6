#include "camera/FrameHandOver.h"

namespace lumetra {

FrameHandOver::FrameHandOver(PostToMain post, Sink sink)
    : post_(std::move(post)), shared_(std::make_shared<Shared>()) {
    shared_->sink = std::move(sink);
}

FrameHandOver::~FrameHandOver() = default;

void FrameHandOver::offer(Frame frame, FrameMarks marks) {
    bool postNeeded = false;
    {
        std::lock_guard lock(shared_->mutex);
        auto& pending = shared_->pending;
        postNeeded = !pending;
        if (pending) marks.changed = marks.changed || pending->marks.changed;
        pending = Shared::Pending{std::move(frame), marks, shared_->generation.load()};
    }
    if (postNeeded) {
        post_([weak = std::weak_ptr<Shared>(shared_)] {
            if (const auto alive = weak.lock()) alive->deliver();
        });
    }
}

void FrameHandOver::invalidate() {
    ++shared_->generation;
    std::lock_guard lock(shared_->mutex);
    shared_->pending.reset();
}

void FrameHandOver::Shared::deliver() {
    std::optional<Pending> taken;
    {
        std::lock_guard lock(mutex);
        taken.swap(pending);
    }
    if (taken && taken->generation == generation.load()) sink(taken->frame, taken->marks);
}

}  // namespace lumetra
