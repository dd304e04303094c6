#pragma once
// One HTTP GET of a picture stream, read with libcurl on its own thread. The
// response body goes through a MultipartParser whose events reach the listener on
// that thread, one at a time. The request carries no credentials, has no time-out,
// keeps no cache or cookies and uses no proxy. Cancelling (or destroying) the
// client wakes the transfer at once and waits for the thread; no event arrives
// after cancel() returns. An exception out of the parser or the listener never
// crosses libcurl: the event is counted as failed and the stream goes on.
// A transfer that ends by itself (closed, failed or refused) calls `ended` once,
// on its thread, as its last event; a cancelled one never does.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "camera/MultipartParser.h"

namespace lumetra {

class StreamClient {
public:
    StreamClient(std::string url, MultipartParser::Listener& listener,
                 std::function<void()> ended = {});
    ~StreamClient();
    StreamClient(const StreamClient&) = delete;
    StreamClient& operator=(const StreamClient&) = delete;

    void cancel();

    // True once the transfer has ended by itself (closed, failed or refused).
    bool ended() const { return ended_.load(); }
    // The transfer's error text once it ended with an error; empty otherwise.
    std::string error() const;
    // Header lines and body chunks whose handling threw (and was skipped).
    uint64_t failedEvents() const { return failedEvents_.load(); }

private:
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    void run();
    void reportEnd();

    std::string url_;
    MultipartParser::Listener& listener_;
    std::function<void()> onEnded_;
    PartHeaders responseHeaders_;
    std::unique_ptr<MultipartParser> parser_;

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> ended_{false};
    std::atomic<uint64_t> failedEvents_{0};
    mutable std::mutex mutex_;  // guards multi_ and error_
    void* multi_ = nullptr;
    std::string error_;
    std::thread thread_;
};

}  // namespace lumetra
