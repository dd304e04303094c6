#include "camera/wifi/BackgroundQueue.h"

#include <pthread.h>

#include <algorithm>

namespace lumetra {

BackgroundQueue::BackgroundQueue(std::string label) : label_(std::move(label)) {
    worker_ = std::thread([this] { run(); });
    // Thread names are limited to 15 characters.
    pthread_setname_np(worker_.native_handle(), label_.substr(0, 15).c_str());
}

BackgroundQueue::~BackgroundQueue() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        tasks_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void BackgroundQueue::post(std::function<void()> task) { post({}, std::move(task)); }

void BackgroundQueue::post(std::string key, std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        const auto waiting = std::find_if(tasks_.begin(), tasks_.end(), [&](const Task& t) {
            return !key.empty() && t.key == key;
        });
        if (waiting != tasks_.end())
            waiting->work = std::move(task);
        else
            tasks_.push_back({std::move(key), std::move(task)});
    }
    wake_.notify_one();
}

void BackgroundQueue::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return ending_ || !tasks_.empty(); });
        if (ending_) return;
        std::function<void()> task = std::move(tasks_.front().work);
        tasks_.pop_front();
        lock.unlock();
        try {
            task();
        } catch (...) {
            // Fire-and-forget: nobody waits for the outcome.
        }
        task = nullptr;  // release what it holds before waiting again
        lock.lock();
    }
}

}  // namespace lumetra
