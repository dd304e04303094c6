#pragma once
// A fake kernel behind the V4L2 seam that answers like a UVC microscope (Motion-JPEG
// at 640 x 480 up to 2592 x 1944, YUYV at 640 x 480 and 1280 x 720, 30 and 15 frames
// a second), and a fake /dev and /sys tree. Frames are flat pictures of the device's
// shade (or Motion-JPEG pictures given to the device), handed out only as the test feeds
// them; faults are scripted.

#include <linux/videodev2.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <vector>

#include "camera/usb/V4l2Io.h"
#include "tests/support/JpegSamples.h"

namespace lumetra::test {

// Adds <root>/dev/<node> and its sysfs entry; with ids, the USB device above it.
inline std::string addNode(const std::filesystem::path& root, const std::string& node,
                           const std::string& vendor = {}, const std::string& product = {},
                           int port = 1) {
    namespace fs = std::filesystem;
    fs::create_directories(root / "dev");
    std::ofstream(root / "dev" / node).put('\n');
    const fs::path entry = root / "sys/class/video4linux" / node;
    fs::create_directories(entry);
    std::ofstream(entry / "name") << "Camera " << node << "\n";
    if (!vendor.empty()) {
        const fs::path usb = root / "sys/devices/usb1" / ("1-" + std::to_string(port));
        fs::create_directories(usb / "1-1:1.0");
        std::ofstream(usb / "idVendor") << vendor << "\n";
        std::ofstream(usb / "idProduct") << product << "\n";
        fs::create_directory_symlink(fs::relative(usb / "1-1:1.0", entry), entry / "device");
    }
    return (root / "dev" / node).string();
}

struct FakeMode {
    uint32_t pixelFormat, width, height;
};

// Truncated: the first half of a good frame; Oversized: a picture twice the format's size.
// Stall: every later DQBUF answers EAGAIN while poll reports a buffer ready.
enum class FakeFrame { Good, Flagged, Garbage, Truncated, Oversized, Unplug, Stall };

struct FakeDevice {
    std::string path;
    std::string card = "USB Microscope";
    std::string busInfo = "usb-0000:00:14.0-1";
    uint32_t caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    uint8_t shade = 200;
    // Motion-JPEG frames handed out in turn instead of flat pictures (of the format's size).
    std::vector<std::string> pictures{};
    int openErrno = 0;
    int streamOnErrno = 0;
    bool stepwise = false;  // sizes and rates as ranges
    std::vector<FakeMode> modes{{V4L2_PIX_FMT_MJPEG, 640, 480},   {V4L2_PIX_FMT_MJPEG, 1280, 720},
                                {V4L2_PIX_FMT_MJPEG, 1920, 1080}, {V4L2_PIX_FMT_MJPEG, 2592, 1944},
                                {V4L2_PIX_FMT_YUYV, 640, 480},    {V4L2_PIX_FMT_YUYV, 1280, 720}};
    int setParmCalls = 0;
    FakeMode current{V4L2_PIX_FMT_YUYV, 640, 480};
    v4l2_fract interval{1, 30};
};

class FakeV4l2 : public V4l2Io {
public:
    FakeDevice& add(FakeDevice device) {
        std::lock_guard lock(mutex_);
        return *devices_.emplace_back(std::make_unique<FakeDevice>(std::move(device)));
    }
    // A microscope with the USB ids of `model` ("vvvvpppp") on `port`, in the tree at root.
    FakeDevice& addMicroscope(const std::filesystem::path& root, const std::string& node,
                              const std::string& model, int port) {
        FakeDevice d;
        d.path = addNode(root, node, model.substr(0, 4), model.substr(4), port);
        d.busInfo = "usb-0000:00:14.0-" + std::to_string(port);
        return add(std::move(d));
    }
    void feed(std::vector<FakeFrame> frames) {
        std::lock_guard lock(mutex_);
        script_.insert(script_.end(), frames.begin(), frames.end());
        wake_.notify_all();
    }
    // A camera running at its own pace: a good frame is ready, replacing one still waiting
    // to be taken, as a driver without a free buffer drops the frame it has.
    void offerFrame() {
        std::lock_guard lock(mutex_);
        if (script_.empty() || script_.back() != FakeFrame::Good)
            script_.push_back(FakeFrame::Good);
        wake_.notify_all();
    }
    void replug() {
        std::lock_guard lock(mutex_);
        unplugged_ = false;
    }
    bool waitForUnplug(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return wake_.wait_for(lock, timeout, [&] { return unplugged_; });
    }
    size_t dequeueCalls() {
        std::lock_guard lock(mutex_);
        return dequeueCalls_;
    }
    size_t openFds() {
        std::lock_guard lock(mutex_);
        return fds_.size();
    }

    int open(const std::string& path, int) override {
        std::lock_guard lock(mutex_);
        for (auto& d : devices_) {
            if (d->path != path) continue;
            if (unplugged_ || d->openErrno) return fail(unplugged_ ? ENODEV : d->openErrno);
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
        const auto i = static_cast<size_t>(offset / kOffsetStep);
        if (i < buffers_.size() && buffers_[i].size() >= length) return buffers_[i].data();
        errno = EINVAL;
        return MAP_FAILED;
    }
    int munmap(void*, size_t) override { return 0; }
    int poll(int, int timeoutMs, short& revents) override {
        std::unique_lock lock(mutex_);
        const bool ready = wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return unplugged_ || !streaming_ || (!script_.empty() && !queued_.empty());
        });
        revents = unplugged_ || !streaming_ ? (POLLERR | POLLHUP) : POLLIN;
        return ready ? 1 : 0;
    }
    int ioctl(int fd, unsigned long request, void* arg) override {
        std::lock_guard lock(mutex_);
        const auto it = fds_.find(fd);
        if (it == fds_.end() || unplugged_) return fail(unplugged_ ? ENODEV : EBADF);
        return handle(*it->second, request, arg);
    }

private:
    static constexpr off_t kOffsetStep = 1 << 28;

    static int fail(int err) {
        errno = err;
        return -1;
    }
    static void text(uint8_t* field, size_t size, const std::string& s) {
        std::strncpy(reinterpret_cast<char*>(field), s.c_str(), size - 1);
    }

    int handle(FakeDevice& d, unsigned long request, void* arg) {
        switch (request) {
            case VIDIOC_QUERYCAP: {
                auto* c = static_cast<v4l2_capability*>(arg);
                text(c->card, sizeof c->card, d.card);
                text(c->bus_info, sizeof c->bus_info, d.busInfo);
                c->capabilities = d.caps | V4L2_CAP_DEVICE_CAPS;
                c->device_caps = d.caps;
                return 0;
            }
            case VIDIOC_ENUM_FMT: {
                auto* f = static_cast<v4l2_fmtdesc*>(arg);
                std::vector<uint32_t> formats;
                for (const auto& m : d.modes)
                    if (std::find(formats.begin(), formats.end(), m.pixelFormat) == formats.end())
                        formats.push_back(m.pixelFormat);
                if (f->index >= formats.size() || (d.caps & V4L2_CAP_META_CAPTURE))
                    return fail(EINVAL);
                f->pixelformat = formats[f->index];
                const bool jpeg = f->pixelformat == V4L2_PIX_FMT_MJPEG;
                text(f->description, sizeof f->description, jpeg ? "Motion-JPEG" : "YUYV 4:2:2");
                return 0;
            }
            case VIDIOC_ENUM_FRAMESIZES: {
                auto* e = static_cast<v4l2_frmsizeenum*>(arg);
                e->type = d.stepwise ? V4L2_FRMSIZE_TYPE_STEPWISE : V4L2_FRMSIZE_TYPE_DISCRETE;
                if (d.stepwise) e->stepwise = {320, 1920, 16, 240, 1080, 8};
                uint32_t n = 0;
                for (const auto& m : d.modes)
                    if (m.pixelFormat == e->pixel_format && n++ == e->index && !d.stepwise)
                        e->discrete = {m.width, m.height};
                return e->index < (d.stepwise ? 1 : n) ? 0 : fail(EINVAL);
            }
            case VIDIOC_ENUM_FRAMEINTERVALS: {
                auto* e = static_cast<v4l2_frmivalenum*>(arg);
                e->type = d.stepwise ? V4L2_FRMIVAL_TYPE_CONTINUOUS : V4L2_FRMIVAL_TYPE_DISCRETE;
                if (d.stepwise)
                    e->stepwise = {{1, 30}, {1, 5}, {1, 1}};
                else
                    e->discrete = {1, e->index == 0 ? 30u : 15u};
                return e->index < (d.stepwise ? 1u : 2u) ? 0 : fail(EINVAL);
            }
            case VIDIOC_S_FMT: {
                auto& pix = static_cast<v4l2_format*>(arg)->fmt.pix;
                if (streaming_) return fail(EBUSY);
                for (const auto& m : d.modes)
                    if (m.pixelFormat == pix.pixelformat &&
                        (d.stepwise || (m.width == pix.width && m.height == pix.height)))
                        d.current = {m.pixelFormat, pix.width, pix.height};
                d.interval = {1, 30};  // a new format starts at the default rate
                pix = {};
                pix.pixelformat = d.current.pixelFormat;
                pix.width = d.current.width;
                pix.height = d.current.height;
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
            case VIDIOC_REQBUFS:
                queued_.clear();
                buffers_.assign(
                    static_cast<v4l2_requestbuffers*>(arg)->count,
                    std::vector<uint8_t>(size_t{d.current.width} * d.current.height * 2));
                return 0;
            case VIDIOC_QUERYBUF: {
                auto* b = static_cast<v4l2_buffer*>(arg);
                b->length = static_cast<uint32_t>(buffers_.at(b->index).size());
                b->m.offset = static_cast<uint32_t>(b->index * kOffsetStep);
                return 0;
            }
            case VIDIOC_QBUF:
                queued_.push_back(static_cast<v4l2_buffer*>(arg)->index);
                return 0;
            case VIDIOC_STREAMON:
                streaming_ = d.streamOnErrno == 0;
                return streaming_ ? 0 : fail(d.streamOnErrno);
            case VIDIOC_STREAMOFF:
                streaming_ = false;
                wake_.notify_all();
                return 0;
            case VIDIOC_DQBUF:
                return dequeue(d, *static_cast<v4l2_buffer*>(arg));
        }
        return fail(ENOTTY);
    }

    int dequeue(const FakeDevice& d, v4l2_buffer& b) {
        ++dequeueCalls_;
        if (!streaming_ || script_.empty() || queued_.empty()) return fail(EAGAIN);
        const FakeFrame what = script_.front();
        if (what == FakeFrame::Stall) return fail(EAGAIN);
        script_.pop_front();
        if (what == FakeFrame::Unplug) {
            unplugged_ = true;
            streaming_ = false;
            wake_.notify_all();
            return fail(ENODEV);
        }
        b.index = queued_.front();
        queued_.pop_front();
        const FakeMode& m = d.current;
        std::string bytes;
        if (m.pixelFormat == V4L2_PIX_FMT_YUYV) {
            bytes.assign(buffers_[b.index].size(), '\x80');  // neutral chroma
            for (size_t i = 0; i < bytes.size(); i += 2) bytes[i] = static_cast<char>(d.shade);
        } else if (!d.pictures.empty() && what != FakeFrame::Oversized) {
            bytes = d.pictures[static_cast<size_t>(captured_) % d.pictures.size()];
        } else {
            bytes = flatJpeg(static_cast<int>(m.width) * (what == FakeFrame::Oversized ? 2 : 1),
                             static_cast<int>(m.height) * (what == FakeFrame::Oversized ? 2 : 1),
                             d.shade);
        }
        if (what == FakeFrame::Garbage) bytes.assign(bytes.size() / 3, '\x5a');
        if (what == FakeFrame::Truncated) bytes.resize(bytes.size() / 2);
        std::memcpy(buffers_[b.index].data(), bytes.data(), bytes.size());
        b.bytesused = static_cast<uint32_t>(bytes.size());
        b.flags = (what == FakeFrame::Flagged ? V4L2_BUF_FLAG_ERROR : 0) |
                  V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC;
        // The driver's capture time: frame n of the fake at n seconds.
        b.timestamp = timeval{static_cast<time_t>(++captured_), 0};
        return 0;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::unique_ptr<FakeDevice>> devices_;
    std::map<int, FakeDevice*> fds_;
    int nextFd_ = 100;
    std::vector<std::vector<uint8_t>> buffers_;
    std::deque<uint32_t> queued_;
    std::deque<FakeFrame> script_;
    bool streaming_ = false;
    bool unplugged_ = false;
    size_t dequeueCalls_ = 0;
    int64_t captured_ = 0;  // frames handed out
};

}  // namespace lumetra::test
