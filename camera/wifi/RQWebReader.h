#pragma once
// The shutter-button poller of the wizard camera: while switched on, a thread of its
// own asks the camera for its photo counter once a second, without waiting for earlier
// answers, and reports each rise of the counter (and the first failed request) to its
// delegate on the main thread.
//
// Each thread has its own stop request: switching off and on again at once never leaves
// two threads polling, and a stopped thread's requests are abandoned, its results not
// delivered. The counter's compare-and-store is atomic. startThread, stopThread,
// initValue, setDelegate and destruction belong to the main thread; destruction waits
// for the threads (each wakes at once when stopped).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "camera/CameraHost.h"
#include "camera/SnapCounter.h"
#include "camera/wifi/CameraGet.h"
#include "image/PostToMain.h"

namespace lumetra {

class RQWebReaderDelegate {
public:
    virtual ~RQWebReaderDelegate() = default;
    // grown: the counter rose to number; false: a request failed (number: the last seen).
    virtual void didFinishReadingContent(bool grown, int64_t number) = 0;
};

class RQWebReader {
public:
    struct Options {
        CameraHost host;
        PostToMain postToMain;
        std::chrono::milliseconds interval = std::chrono::seconds(1);
        // One request's limit; the first one to run out switches the poller off.
        std::chrono::milliseconds requestTimeout = std::chrono::seconds(5);
    };

    explicit RQWebReader(Options options);
    ~RQWebReader();
    RQWebReader(const RQWebReader&) = delete;
    RQWebReader& operator=(const RQWebReader&) = delete;

    void setDelegate(RQWebReaderDelegate* delegate) { delegate_ = delegate; }
    RQWebReaderDelegate* delegate() const { return delegate_; }
    void setHost(CameraHost host) { options_.host = std::move(host); }

    // The value from which a rise is counted.
    void initValue(int64_t value) { iSnapNumber_.set(value); }
    int64_t iSnapNumber() const { return iSnapNumber_.value(); }

    // Starts a polling thread unless one is running.
    void startThread();
    // Asks the running thread to end and forgets it; does not wait for it.
    void stopThread();

    bool running() const { return current_ != nullptr; }
    // Threads that have not ended yet, the stopped ones included.
    int livingThreads() const { return living_->load(); }

private:
    struct Poll;
    void threadEntryPoint(const std::shared_ptr<Poll>& poll, const std::string& url);
    void answered(const std::shared_ptr<Poll>& poll, const HttpAnswer& answer);
    void report(const std::shared_ptr<Poll>& poll, bool grown, int64_t number);
    void joinEnded();

    Options options_;
    SnapCounter iSnapNumber_;
    RQWebReaderDelegate* delegate_ = nullptr;
    std::shared_ptr<Poll> current_;
    std::vector<std::pair<std::shared_ptr<Poll>, std::thread>> threads_;
    std::shared_ptr<std::atomic<int>> living_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumetra
