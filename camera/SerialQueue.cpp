#include "camera/SerialQueue.h"

#include <pthread.h>

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
    }
    wake_.notify_all();
    worker_.join();
}

void SerialQueue::syncCall(void (*invoke)(void*), void* work) {
    if (onWorker()) {
        invoke(work);
        return;
    }
    Item item;
    item.invoke = invoke;
    item.work = work;
    std::unique_lock lock(mutex_);
    items_.push_back(&item);
    wake_.notify_one();
    finished_.wait(lock, [&] { return item.done; });
    if (item.error) std::rethrow_exception(item.error);
}

void SerialQueue::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return ending_ || !items_.empty(); });
        if (items_.empty()) return;  // ending and nothing left
        Item* item = items_.front();
        items_.pop_front();
        lock.unlock();
        try {
            item->invoke(item->work);
        } catch (...) {
            item->error = std::current_exception();
        }
        lock.lock();
        item->done = true;
        finished_.notify_all();
    }
}

}  // namespace lumetra
