#include "camera/SerialQueue.h"

#include <pthread.h>

#include <algorithm>

namespace lumetra {

SerialQueue::SerialQueue(std::string label) : label_(std::move(label)) {
    worker_ = std::thread([this] { run(); });
    // Thread names are limited to 15 characters.
    pthread_setname_np(worker_.native_handle(), label_.substr(0, 15).c_str());
}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        std::erase_if(items_, [](const Item& item) { return item.waiting == nullptr; });
    }
    wake_.notify_all();
    worker_.join();
}

void SerialQueue::syncCall(void (*invoke)(void*), void* work) {
    if (onWorker()) {
        invoke(work);
        return;
    }
    Waiting waiting;
    waiting.invoke = invoke;
    waiting.work = work;
    std::unique_lock lock(mutex_);
    items_.push_back(Item{&waiting, {}, {}, {}});
    wake_.notify_one();
    finished_.wait(lock, [&] { return waiting.done; });
    if (waiting.error) std::rethrow_exception(waiting.error);
}

void SerialQueue::post(std::string key, std::function<void()> task, Failure failed) {
    {
        std::lock_guard lock(mutex_);
        if (ending_) return;  // posted while the queue is being destroyed
        const auto waiting = std::find_if(items_.begin(), items_.end(), [&](const Item& item) {
            return !key.empty() && item.waiting == nullptr && item.key == key;
        });
        if (waiting != items_.end()) {
            waiting->task = std::move(task);
            waiting->failed = std::move(failed);
        } else {
            items_.push_back(Item{nullptr, std::move(key), std::move(task), std::move(failed)});
        }
    }
    wake_.notify_one();
}

void SerialQueue::reportFailure(const Failure& failed, std::exception_ptr error) {
    if (!failed) return;
    try {
        failed(std::move(error));
    } catch (...) {
        // Nobody is left to tell: the worker goes on.
    }
}

void SerialQueue::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return ending_ || !items_.empty(); });
        if (items_.empty()) return;  // ending and nothing left
        Item item = std::move(items_.front());
        items_.pop_front();
        lock.unlock();
        if (item.waiting) {
            try {
                item.waiting->invoke(item.waiting->work);
            } catch (...) {
                item.waiting->error = std::current_exception();
            }
        } else {
            try {
                item.task();
            } catch (...) {
                reportFailure(item.failed, std::current_exception());
            }
            item.task = nullptr;  // release what they hold before taking the lock again
            item.failed = nullptr;
        }
        lock.lock();
        if (item.waiting) {
            item.waiting->done = true;
            finished_.notify_all();
        }
    }
}

}  // namespace lumetra
