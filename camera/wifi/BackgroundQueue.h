#pragma once
// A worker thread for fire-and-forget work (camera probes and commands): posted tasks
// run one at a time, in order. Destroying the queue drops the tasks not yet started and
// waits for the running one; a task that throws is dropped and the worker goes on.
// A task posted under a key replaces the waiting task of that key in its place in line,
// so a stream of changes to one thing keeps only its newest value pending.

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
    void post(std::string key, std::function<void()> task);

private:
    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    struct Task {
        std::string key;  // empty: never replaced
        std::function<void()> work;
    };
    std::deque<Task> tasks_;
    bool ending_ = false;
    std::thread worker_;
};

}  // namespace lumetra
