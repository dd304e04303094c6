#pragma once
// Stands in for the main thread's event loop: tasks posted from any thread wait
// in a queue until the test runs them on its own thread.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace lumetra::test {

class MainQueue {
public:
    // The "post to main thread" function.
    std::function<void(std::function<void()>)> poster() {
        return [this](std::function<void()> task) {
            {
                std::lock_guard lock(mutex_);
                tasks_.push_back(std::move(task));
            }
            cv_.notify_all();
        };
    }

    // Runs posted tasks until done() holds; false when nothing more arrives for
    // a long while (a guard against hanging, not a timing check).
    bool runUntil(const std::function<bool()>& done) {
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                if (!cv_.wait_for(lock, std::chrono::seconds(20), [&] { return !tasks_.empty(); }))
                    return false;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
        return true;
    }

    // Waits until n tasks are queued, without running them.
    bool waitForQueued(size_t n) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, std::chrono::seconds(20), [&] { return tasks_.size() >= n; });
    }

    // Runs what is queued now.
    void runPending() {
        std::deque<std::function<void()>> now;
        {
            std::lock_guard lock(mutex_);
            now.swap(tasks_);
        }
        for (auto& task : now) task();
    }

    size_t queued() {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace lumetra::test
