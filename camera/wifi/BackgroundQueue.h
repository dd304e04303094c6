#pragma once
// A worker thread for fire-and-forget work (camera probes and commands): posted tasks
// run one at a time, in order. Destroying the queue drops the tasks not yet started and
// waits for the running one; a task that throws is dropped and the worker goes on.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace lumetra {

class BackgroundQueue {
public:
    explicit BackgroundQueue(std::string label);
    ~BackgroundQueue();
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;

    void post(std::function<void()> task);

private:
    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool ending_ = false;
    std::thread worker_;
};

}  // namespace lumetra
