#pragma once
// A serial work queue: one worker thread runs the submitted work items one at a
// time, in order. sync() waits for its item to finish (and rethrows what it threw);
// called from the worker itself it runs the item at once. The caller's callable is
// run where it lies, without being copied or allocated.

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>

namespace lumetra {

class SerialQueue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue();  // runs the items already queued, then ends the worker
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    template <class Work>
    void sync(Work&& work) {
        using W = std::remove_reference_t<Work>;
        syncCall([](void* w) { (*static_cast<W*>(w))(); },
                 const_cast<void*>(static_cast<const void*>(&work)));
    }
    bool onWorker() const { return std::this_thread::get_id() == worker_.get_id(); }
    const std::string& label() const { return label_; }

private:
    void syncCall(void (*invoke)(void*), void* work);

    struct Item {
        void (*invoke)(void*) = nullptr;
        void* work = nullptr;
        bool done = false;
        std::exception_ptr error;
    };

    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::deque<Item*> items_;
    bool ending_ = false;
    std::thread worker_;
};

}  // namespace lumetra
