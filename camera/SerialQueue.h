#pragma once
// A serial work queue: one worker thread runs the work items one at a time, in the
// order they came.
//
// - sync() waits for its item to finish and rethrows what it threw; called from the
//   worker itself it runs the item at once. The caller's callable runs where it lies,
//   without being copied or allocated (the stream's per-chunk path).
// - post() is fire-and-forget (camera probes and commands): nobody waits for the task.
//   What a task throws goes to the failure handler posted with it, on the worker, so
//   that the task's owner still learns its outcome; without one it is dropped. Either
//   way the worker goes on. A task posted under a key replaces the waiting task of that
//   key (and its handler) in its place in line, so a stream of changes to one thing
//   keeps only its newest value pending.
//
// Destroying the queue drops the posted tasks not yet started and waits for the
// running item.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>

namespace lumetra {

class SerialQueue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    template <class Work>
    void sync(Work&& work) {
        using W = std::remove_reference_t<Work>;
        syncCall([](void* w) { (*static_cast<W*>(w))(); },
                 const_cast<void*>(static_cast<const void*>(&work)));
    }
    // Called with what a posted task threw; what the handler itself throws is dropped.
    using Failure = std::function<void(std::exception_ptr)>;

    void post(std::function<void()> task, Failure failed = {}) {
        post({}, std::move(task), std::move(failed));
    }
    void post(std::string key, std::function<void()> task, Failure failed = {});

    bool onWorker() const { return std::this_thread::get_id() == worker_.get_id(); }
    const std::string& label() const { return label_; }

private:
    // A sync() caller's item, on its stack until the worker marks it done.
    struct Waiting {
        void (*invoke)(void*) = nullptr;
        void* work = nullptr;
        bool done = false;
        std::exception_ptr error;
    };
    struct Item {
        Waiting* waiting = nullptr;  // a sync() item, else a posted task
        std::string key;             // posted under a key; empty: never replaced
        std::function<void()> task;
        Failure failed;
    };

    void syncCall(void (*invoke)(void*), void* work);
    static void reportFailure(const Failure& failed, std::exception_ptr error);
    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::deque<Item> items_;
    bool ending_ = false;
    std::thread worker_;
};

}  // namespace lumetra
