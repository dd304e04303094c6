#pragma once
// A one-value hand-over from a background thread to the main thread. The
// background side puts values in; only the put into an empty slot asks for a
// hand-over to be posted, and a value put while one still waits is merged into
// it. However late the main thread runs, at most one value and one posted call
// are on their way. Safe from any thread.

#include <mutex>
#include <optional>
#include <utility>

namespace lumetra {

template <class T>
class HandOverSlot {
public:
    // Puts value in. When a value waits already, it becomes merge(waiting, value).
    // Returns true when the slot was empty: the caller posts one hand-over then.
    template <class Merge>
    bool put(T value, Merge merge) {
        std::lock_guard lock(mutex_);
        if (waiting_) {
            waiting_ = merge(std::move(*waiting_), std::move(value));
            return false;
        }
        waiting_ = std::move(value);
        return true;
    }

    // Takes the waiting value, if any (the main thread's side of the hand-over).
    std::optional<T> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(waiting_, std::nullopt);
    }

    void clear() {
        std::lock_guard lock(mutex_);
        waiting_.reset();
    }

private:
    std::mutex mutex_;
    std::optional<T> waiting_;
};

}  // namespace lumetra
