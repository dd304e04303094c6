#pragma once
// Memory-mapped streaming from an open V4L2 capture device on a thread of its own,
// named "captureOutputQueue". Each filled buffer is handed to the frame callback on
// that thread and queued again afterwards; buffers the driver marks as broken, and
// those the callback refuses or runs out of memory on, are skipped and counted.
// When the device fails for good (unplugged: ENODEV) the failure callback runs once
// on that thread and the loop ends; stop() still has to be called to release the
// buffers. A driver that keeps answering "try again" although a buffer was announced
// ready is asked again after growing pauses; when that lasts the stall limit, the
// device counts as failed with ETIMEDOUT (it stopped delivering).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "camera/usb/V4l2Io.h"

namespace lumetra {

class V4l2Stream {
public:
    // Returns false when the bytes are not a usable frame (counted as broken).
    // capturedAt is the driver's capture time of the buffer on the monotonic clock
    // (the time it was taken from the driver when the driver keeps another clock).
    using FrameBytes = std::function<bool(const uint8_t* data, size_t size,
                                          std::chrono::steady_clock::time_point capturedAt)>;
    using Failure = std::function<void(int err)>;

    static constexpr std::chrono::milliseconds kStallLimit{5000};

    V4l2Stream(V4l2Io& io, int fd, std::chrono::milliseconds stallLimit = kStallLimit)
        : io_(io), fd_(fd), stallLimit_(stallLimit) {}
    ~V4l2Stream() { stop(); }
    V4l2Stream(const V4l2Stream&) = delete;
    V4l2Stream& operator=(const V4l2Stream&) = delete;

    // Requests and maps the buffers, queues them, starts streaming and the thread.
    // Returns 0, or the errno of the step that failed (nothing is left running).
    int start(FrameBytes onFrame, Failure onFailure);
    // Ends the thread, stops streaming and releases the buffers. Idempotent.
    void stop();

    uint64_t brokenFrames() const { return broken_; }

private:
    struct Buffer {
        void* start = nullptr;
        size_t length = 0;
    };

    void run();
    void release();
    bool deliver(const uint8_t* data, size_t size,
                 std::chrono::steady_clock::time_point capturedAt);
    // Sleeps for the pause or until stop() is called.
    void pause(std::chrono::milliseconds duration);

    V4l2Io& io_;
    int fd_;
    std::chrono::milliseconds stallLimit_;
    std::mutex pauseMutex_;
    std::condition_variable pauseWake_;
    std::vector<Buffer> buffers_;
    FrameBytes onFrame_;
    Failure onFailure_;
    bool streaming_ = false;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> broken_{0};
    std::thread thread_;
};

}  // namespace lumetra
