#include "camera/FrameHandOver.h"

#include <utility>

namespace lumetra {

FrameHandOver::FrameHandOver(PostToMain post)
    : post_(std::move(post)), shared_(std::make_shared<Shared>()) {}

FrameHandOver::~FrameHandOver() = default;

bool FrameHandOver::offer(Frame frame, FrameMarks marks) {
    bool replaced = false;
    const auto newer = [&replaced](Shared::Pending waiting, Shared::Pending fresh) {
        replaced = true;
        fresh.marks.changed = fresh.marks.changed || waiting.marks.changed;
        return fresh;
    };
    if (shared_->slot.put(Shared::Pending{std::move(frame), marks, shared_->generation.load()},
                          newer)) {
        post_([weak = std::weak_ptr<Shared>(shared_)] {
            if (const auto alive = weak.lock()) alive->deliver();
        });
    }
    return replaced;
}

void FrameHandOver::invalidate() {
    ++shared_->generation;
    shared_->slot.clear();
}

// On the main thread.
void FrameHandOver::Shared::deliver() {
    const auto taken = slot.take();
    if (!taken || taken->generation != generation.load()) return;
    if (auto* l = listener.load()) l->frameReady(taken->frame, taken->marks);
}

}  // namespace lumetra
