#pragma once
// A fake kernel behind the V4L2 seam that answers like a UVC microscope: Motion-JPEG
// at 640 x 480, 1280 x 720, 1920 x 1080 and 2592 x 1944 and YUYV at 640 x 480 and
// 1280 x 720, each at 30 and 15 frames a second, plus a metadata node. Frames are
// flat pictures of the device's shade (JPEG from libjpeg-turbo, YUYV written
// directly) and are handed out only as the test allows them; faults are scripted.

#include <linux/videodev2.h>
#include <sys/mman.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "camera/usb/V4l2Io.h"
#include "support/JpegSamples.h"

namespace lumetra::test {

struct FakeMode {
    uint32_t pixelFormat;
    uint32_t width;
    uint32_t height;
};

// What a dequeued buffer carries.
enum class FakeFrame { Good, Flagged, Garbage, Unplug };

struct FakeDevice {
    std::string path;
    std::string card = "USB Microscope";
    std::string busInfo = "usb-0000:00:14.0-1";
    uint32_t caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    uint8_t shade = 200;
    int openErrno = 0;      // open fails with this
    int streamOnErrno = 0;  // STREAMON fails with this
    bool stepwise = false;  // sizes and rates as ranges instead of lists
    std::vector<FakeMode> modes{{V4L2_PIX_FMT_MJPEG, 640, 480},   {V4L2_PIX_FMT_MJPEG, 1280, 720},
                                {V4L2_PIX_FMT_MJPEG, 1920, 1080}, {V4L2_PIX_FMT_MJPEG, 2592, 1944},
                                {V4L2_PIX_FMT_YUYV, 640, 480},    {V4L2_PIX_FMT_YUYV, 1280, 720}};
    // Calls seen.
    int setParmCalls = 0;
    FakeMode current{V4L2_PIX_FMT_YUYV, 640, 480};
    v4l2_fract interval{1, 30};
};

class FakeV4l2 : public V4l2Io {
public:
    FakeDevice& add(FakeDevice device) {
        std::lock_guard lock(mutex_);
        devices_.push_back(std::make_unique<FakeDevice>(std::move(device)));
        return *devices_.back();
    }

    // Lets the next frames through, in order; each Good one carries a picture.
    void feed(std::vector<FakeFrame> frames) {
        std::lock_guard lock(mutex_);
        script_.insert(script_.end(), frames.begin(), frames.end());
        wake_.notify_all();
    }
    void replug() {
        std::lock_guard lock(mutex_);
        unplugged_ = false;
    }
    int openFds() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(fds_.size());
    }

    int open(const std::string& path, int) override {
        std::lock_guard lock(mutex_);
        for (auto& d : devices_) {
            if (d->path != path) continue;
            if (unplugged_) return fail(ENODEV);
            if (d->openErrno) return fail(d->openErrno);
            fds_[nextFd_] = d.get();
            return nextFd_++;
        }
        return fail(ENOENT);
    }
    int close(int fd) override {
        std::lock_guard lock(mutex_);
        return fds_.erase(fd) ? 0 : fail(EBADF);
    }
    void* mmap(size_t length, int, off_t offset) override {
        std::lock_guard lock(mutex_);
        const auto index = static_cast<size_t>(offset / kOffsetStep);
        if (index >= buffers_.size() || buffers_[index].size() < length) {
            errno = EINVAL;
            return MAP_FAILED;
        }
        return buffers_[index].data();
    }
    int munmap(void*, size_t) override { return 0; }
    int poll(int fd, int timeoutMs, short& revents) override {
        std::unique_lock lock(mutex_);
        if (!fds_.count(fd)) return fail(EBADF);
        const bool ready = wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return unplugged_ || !streaming_ || (!script_.empty() && !queued_.empty());
        });
        revents = unplugged_ || !streaming_ ? (POLLERR | POLLHUP) : (ready ? POLLIN : 0);
        return ready ? 1 : 0;
    }
    int ioctl(int fd, unsigned long request, void* arg) override {
        std::lock_guard lock(mutex_);
        const auto it = fds_.find(fd);
        if (it == fds_.end()) return fail(EBADF);
        if (unplugged_) return fail(ENODEV);
        return handle(*it->second, request, arg);
    }

private:
    static constexpr off_t kOffsetStep = 1 << 28;

    static int fail(int err) {
        errno = err;
        return -1;
    }

    int handle(FakeDevice& d, unsigned long request, void* arg) {
        switch (request) {
            case VIDIOC_QUERYCAP: {
                auto* c = static_cast<v4l2_capability*>(arg);
                *c = {};
                std::strncpy(reinterpret_cast<char*>(c->card), d.card.c_str(), sizeof c->card - 1);
                std::strncpy(reinterpret_cast<char*>(c->bus_info), d.busInfo.c_str(),
                             sizeof c->bus_info - 1);
                c->capabilities = d.caps | V4L2_CAP_DEVICE_CAPS;
                c->device_caps = d.caps;
                return 0;
            }
            case VIDIOC_ENUM_FMT: {
                auto* f = static_cast<v4l2_fmtdesc*>(arg);
                const auto formats = pixelFormats(d);
                if (f->index >= formats.size()) return fail(EINVAL);
                f->pixelformat = formats[f->index];
                std::strcpy(reinterpret_cast<char*>(f->description),
                            f->pixelformat == V4L2_PIX_FMT_MJPEG ? "Motion-JPEG" : "YUYV 4:2:2");
                return 0;
            }
            case VIDIOC_ENUM_FRAMESIZES: {
                auto* e = static_cast<v4l2_frmsizeenum*>(arg);
                if (d.stepwise) {
                    if (e->index > 0) return fail(EINVAL);
                    e->type = V4L2_FRMSIZE_TYPE_STEPWISE;
                    e->stepwise = {320, 1920, 16, 240, 1080, 8};
                    return 0;
                }
                uint32_t n = 0;
                for (const auto& m : d.modes)
                    if (m.pixelFormat == e->pixel_format && n++ == e->index) {
                        e->type = V4L2_FRMSIZE_TYPE_DISCRETE;
                        e->discrete = {m.width, m.height};
                        return 0;
                    }
                return fail(EINVAL);
            }
            case VIDIOC_ENUM_FRAMEINTERVALS: {
                auto* e = static_cast<v4l2_frmivalenum*>(arg);
                if (e->index > (d.stepwise ? 0u : 1u)) return fail(EINVAL);
                if (d.stepwise) {
                    e->type = V4L2_FRMIVAL_TYPE_CONTINUOUS;
                    e->stepwise = {{1, 30}, {1, 5}, {1, 1}};
                    return 0;
                }
                e->type = V4L2_FRMIVAL_TYPE_DISCRETE;
                e->discrete = {1, e->index == 0 ? 30u : 15u};
                return 0;
            }
            case VIDIOC_S_FMT: {
                auto& pix = static_cast<v4l2_format*>(arg)->fmt.pix;
                if (streaming_) return fail(EBUSY);
                for (const auto& m : d.modes)
                    if (m.pixelFormat == pix.pixelformat &&
                        (d.stepwise || (m.width == pix.width && m.height == pix.height)))
                        d.current = {m.pixelFormat, pix.width, pix.height};
                pix.pixelformat = d.current.pixelFormat;
                pix.width = d.current.width;
                pix.height = d.current.height;
                pix.bytesperline = d.current.pixelFormat == V4L2_PIX_FMT_YUYV ? pix.width * 2 : 0;
                return 0;
            }
            case VIDIOC_S_PARM:
                if (streaming_) return fail(EBUSY);
                ++d.setParmCalls;
                d.interval = static_cast<v4l2_streamparm*>(arg)->parm.capture.timeperframe;
                return 0;
            case VIDIOC_G_PARM:
                static_cast<v4l2_streamparm*>(arg)->parm.capture.timeperframe = d.interval;
                return 0;
            case VIDIOC_REQBUFS: {
                auto* r = static_cast<v4l2_requestbuffers*>(arg);
                queued_.clear();
                buffers_.assign(r->count, std::vector<uint8_t>(bufferSize(d.current)));
                return 0;
            }
            case VIDIOC_QUERYBUF: {
                auto* b = static_cast<v4l2_buffer*>(arg);
                if (b->index >= buffers_.size()) return fail(EINVAL);
                b->length = static_cast<uint32_t>(buffers_[b->index].size());
                b->m.offset = static_cast<uint32_t>(b->index * kOffsetStep);
                return 0;
            }
            case VIDIOC_QBUF:
                queued_.push_back(static_cast<v4l2_buffer*>(arg)->index);
                wake_.notify_all();
                return 0;
            case VIDIOC_STREAMON:
                if (d.streamOnErrno) return fail(d.streamOnErrno);
                streaming_ = true;
                return 0;
            case VIDIOC_STREAMOFF:
                streaming_ = false;
                wake_.notify_all();
                return 0;
            case VIDIOC_DQBUF:
                return dequeue(d, *static_cast<v4l2_buffer*>(arg));
            default:
                return fail(ENOTTY);
        }
    }

    int dequeue(const FakeDevice& d, v4l2_buffer& b) {
        if (!streaming_ || script_.empty() || queued_.empty()) return fail(EAGAIN);
        const FakeFrame what = script_.front();
        script_.pop_front();
        if (what == FakeFrame::Unplug) {
            unplugged_ = true;
            streaming_ = false;
            wake_.notify_all();
            return fail(ENODEV);
        }
        b.index = queued_.front();
        queued_.pop_front();
        auto& buffer = buffers_[b.index];
        std::string bytes = content(d);
        if (what == FakeFrame::Garbage) bytes.assign(bytes.size() / 3, '\x5a');
        std::memcpy(buffer.data(), bytes.data(), std::min(bytes.size(), buffer.size()));
        b.bytesused = static_cast<uint32_t>(std::min(bytes.size(), buffer.size()));
        b.flags = what == FakeFrame::Flagged ? V4L2_BUF_FLAG_ERROR : 0;
        return 0;
    }

    static std::vector<uint32_t> pixelFormats(const FakeDevice& d) {
        std::vector<uint32_t> formats;
        if (d.caps & V4L2_CAP_META_CAPTURE) return formats;
        for (const auto& m : d.modes)
            if (std::find(formats.begin(), formats.end(), m.pixelFormat) == formats.end())
                formats.push_back(m.pixelFormat);
        return formats;
    }
    static size_t bufferSize(const FakeMode& m) { return size_t{m.width} * m.height * 2; }

    std::string content(const FakeDevice& d) {
        const FakeMode& m = d.current;
        if (m.pixelFormat == V4L2_PIX_FMT_YUYV) {
            std::string yuyv(bufferSize(m), '\x80');
            for (size_t i = 0; i < yuyv.size(); i += 2) yuyv[i] = static_cast<char>(d.shade);
            return yuyv;
        }
        auto& jpeg = jpegs_[{m.width, m.height, d.shade}];
        if (jpeg.empty())
            jpeg = flatJpeg(static_cast<int>(m.width), static_cast<int>(m.height), d.shade);
        return jpeg;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::unique_ptr<FakeDevice>> devices_;
    std::map<int, FakeDevice*> fds_;
    int nextFd_ = 100;
    std::vector<std::vector<uint8_t>> buffers_;
    std::deque<uint32_t> queued_;
    std::deque<FakeFrame> script_;
    std::map<std::tuple<uint32_t, uint32_t, uint8_t>, std::string> jpegs_;
    bool streaming_ = false;
    bool unplugged_ = false;
};

}  // namespace lumetra::test
