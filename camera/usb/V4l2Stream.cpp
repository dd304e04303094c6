#include "camera/usb/V4l2Stream.h"

#include <linux/videodev2.h>
#include <pthread.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>
#include <string_view>

namespace lumetra {
namespace {

constexpr uint32_t kBufferCount = 4;
constexpr std::string_view kThreadName = "captureOutputQueue";
// How long the thread waits for a frame before it looks at the stop request again
// (stop() also wakes it at once by ending the stream).
constexpr int kPollMs = 500;
// Internal errors (EIO) in a row after which the device counts as failed.
constexpr int kMaxErrorsInRow = 30;
// Pauses between the questions to a driver that answers "try again" to a ready buffer.
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{100};

v4l2_buffer mmapBuffer(uint32_t index = 0) {
    v4l2_buffer b{};
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    b.index = index;
    return b;
}

// The driver's time of a filled buffer when it keeps the monotonic clock (the
// clock of std::chrono::steady_clock on Linux); else the moment it is taken.
std::chrono::steady_clock::time_point captureTime(const v4l2_buffer& b) {
    const bool monotonic =
        (b.flags & V4L2_BUF_FLAG_TIMESTAMP_MASK) == V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC;
    if (!monotonic || (b.timestamp.tv_sec == 0 && b.timestamp.tv_usec == 0))
        return std::chrono::steady_clock::now();
    return std::chrono::steady_clock::time_point(std::chrono::seconds(b.timestamp.tv_sec) +
                                                 std::chrono::microseconds(b.timestamp.tv_usec));
}

}  // namespace

int V4l2Stream::start(FrameBytes onFrame, Failure onFailure) {
    stop();
    v4l2_requestbuffers req{};
    req.count = kBufferCount;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (const int err = xioctl(io_, fd_, VIDIOC_REQBUFS, &req)) return err;
    if (req.count == 0 || req.count > 32) {
        release();
        return ENOMEM;
    }
    for (uint32_t i = 0; i < req.count; ++i) {
        v4l2_buffer b = mmapBuffer(i);
        int err = xioctl(io_, fd_, VIDIOC_QUERYBUF, &b);
        void* start = MAP_FAILED;
        if (!err) {
            start = io_.mmap(b.length, fd_, static_cast<off_t>(b.m.offset));
            if (start == MAP_FAILED) err = errno ? errno : ENOMEM;
        }
        if (!err) {
            buffers_.push_back({start, b.length});
            err = xioctl(io_, fd_, VIDIOC_QBUF, &b);
        }
        if (err) {
            release();
            return err;
        }
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (const int err = xioctl(io_, fd_, VIDIOC_STREAMON, &type)) {
        release();
        return err;
    }
    streaming_ = true;
    onFrame_ = std::move(onFrame);
    onFailure_ = std::move(onFailure);
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    // Thread names are limited to 15 characters.
    pthread_setname_np(thread_.native_handle(), std::string(kThreadName).substr(0, 15).c_str());
    return 0;
}

void V4l2Stream::stop() {
    {
        std::lock_guard lock(pauseMutex_);
        stopping_ = true;
    }
    pauseWake_.notify_all();
    if (thread_.joinable()) {
        // Stopping the stream wakes the thread out of its wait for the next frame.
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        xioctl(io_, fd_, VIDIOC_STREAMOFF, &type);
        thread_.join();
    }
    release();
}

void V4l2Stream::release() {
    if (streaming_) {
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        xioctl(io_, fd_, VIDIOC_STREAMOFF, &type);  // fails harmlessly on an unplugged device
        streaming_ = false;
    }
    for (const Buffer& b : buffers_) io_.munmap(b.start, b.length);
    if (!buffers_.empty()) {
        v4l2_requestbuffers req{};
        req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        req.memory = V4L2_MEMORY_MMAP;
        xioctl(io_, fd_, VIDIOC_REQBUFS, &req);
    }
    buffers_.clear();
}

// Out of memory while converting or adjusting costs the frame, not the program.
bool V4l2Stream::deliver(const uint8_t* data, size_t size,
                         std::chrono::steady_clock::time_point capturedAt) {
    try {
        return onFrame_(data, size, capturedAt);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void V4l2Stream::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(pauseMutex_);
    pauseWake_.wait_for(lock, duration, [this] { return stopping_.load(); });
}

void V4l2Stream::run() {
    using Clock = std::chrono::steady_clock;
    int errorsInRow = 0;
    std::chrono::milliseconds pauseLength{0};
    Clock::time_point stalledSince;
    // Errors met because stop() ended the stream are no failures.
    auto fail = [this](int err) {
        if (!stopping_) onFailure_(err);
    };
    while (!stopping_) {
        short revents = 0;
        const int ready = io_.poll(fd_, kPollMs, revents);
        if (ready < 0) return fail(errno ? errno : EIO);
        if (ready == 0 || stopping_) continue;
        v4l2_buffer b = mmapBuffer();
        const int err = xioctl(io_, fd_, VIDIOC_DQBUF, &b);
        if (err == EAGAIN) {
            const Clock::time_point now = Clock::now();
            if (pauseLength.count() == 0) stalledSince = now;
            if (now - stalledSince >= stallLimit_) return fail(ETIMEDOUT);
            pauseLength = std::clamp(2 * pauseLength, kFirstPause, kLongestPause);
            pause(pauseLength);
            continue;
        }
        pauseLength = std::chrono::milliseconds(0);
        if (err == EIO && ++errorsInRow < kMaxErrorsInRow) {
            ++broken_;  // a transient fault of the device; the buffer stays with the driver
            continue;
        }
        if (err) return fail(err);
        errorsInRow = 0;
        if (b.index >= buffers_.size()) return fail(EIO);
        const Buffer& buffer = buffers_[b.index];
        const size_t used = std::min<size_t>(b.bytesused, buffer.length);
        const bool whole = !(b.flags & V4L2_BUF_FLAG_ERROR) && used > 0;
        if (!whole || !deliver(static_cast<const uint8_t*>(buffer.start), used, captureTime(b)))
            ++broken_;
        if (const int qerr = xioctl(io_, fd_, VIDIOC_QBUF, &b)) return fail(qerr);
    }
}

}  // namespace lumetra
