#pragma once
// A serial work queue: one worker thread runs the submitted work items one at a
// time, in order. sync() waits for its item to finish (and rethrows what it threw);
// called from the worker itself it runs the item at once.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace lumetra {

class SerialQueue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue();  // runs the items already queued, then ends the worker
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void sync(const std::function<void()>& work);
    bool onWorker() const { return std::this_thread::get_id() == worker_.get_id(); }
    const std::string& label() const { return label_; }

private:
    struct Item {
        const std::function<void()>* work = nullptr;
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
