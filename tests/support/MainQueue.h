#pragma once
// A stand-in for the application's main thread in tests: work posted from any
// thread is queued and runs on the test's own thread while the test waits.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace lumetra::test {

class MainQueue {
public:
    using Work = std::function<void()>;

    void post(Work work) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(work));
        }
        wake_.notify_all();
    }

    // The post function to hand to the code under test.
    std::function<void(Work)> poster() {
        return [this](Work work) { post(std::move(work)); };
    }

    // Runs queued work until done() holds or the time-out passes; returns done().
    // done() is also checked every few milliseconds, for conditions set by other threads.
    // A wait that succeeds ends with its event; the generous default only bounds how long
    // a failing test hangs, and leaves room for sanitizer builds on a busy machine.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            Work work;
            {
                std::unique_lock lock(mutex_);
                const auto until = std::min(
                    deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(5));
                if (!wake_.wait_until(lock, until, [this] { return !queue_.empty(); })) continue;
                work = std::move(queue_.front());
                queue_.pop_front();
            }
            work();
        }
        return true;
    }

    // Runs whatever is queued now.
    void drain() {
        while (true) {
            Work work;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty()) return;
                work = std::move(queue_.front());
                queue_.pop_front();
            }
            work();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Work> queue_;
};

}  // namespace lumetra::test
