#include "camera/usb/UsbCamera.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

#include "image/Translate.h"

namespace lumetra {
namespace {

constexpr int kFallbackWidth = 640;
constexpr int kFallbackHeight = 480;
constexpr const char* kDeliverAction = QT_TRANSLATE_NOOP("UsbCamera", "deliver a picture");

bool sameDevice(const VideoDevice& a, const VideoDevice& b) {
    return a.path == b.path && a.uniqueID == b.uniqueID;
}

}  // namespace

UsbCamera::UsbCamera(V4l2Io& io, DeviceDirs dirs, PostToMain postToMain)
    : io_(io),
      dirs_(std::move(dirs)),
      post_(postToMain),
      events_(std::make_shared<Events>()),
      handOver_(std::move(postToMain)) {
    events_->owner = this;
}

UsbCamera::~UsbCamera() {
    closeDevice();
    // Failure notices still queued on the main thread find the camera gone.
    events_->owner = nullptr;
}

const std::vector<VideoDevice>& UsbCamera::refreshDevices() {
    devices_ = listVideoDevices(io_, dirs_);
    // Closing the device drops its stream's own failure notice, which may be queued
    // already: the loss is reported here instead, as the unplug it is.
    if (selected_ && std::none_of(devices_.begin(), devices_.end(),
                                  [&](const VideoDevice& d) { return sameDevice(d, *selected_); }))
        deviceLost(UsbOutcome::fromErrno(ENODEV, selected_->path, kDeliverAction));
    return devices_;
}

UsbOutcome UsbCamera::setSelectedVideoDevice(std::optional<size_t> index) {
    closeDevice();
    if (!index || *index >= devices_.size()) return {};
    const VideoDevice& device = devices_[*index];
    fd_ = io_.open(device.path, O_RDWR | O_NONBLOCK);
    if (fd_ < 0) {
        const int err = errno;
        fd_ = -1;
        return UsbOutcome::fromErrno(err, device.path, QT_TRANSLATE_NOOP("UsbCamera", "open"));
    }
    formats_ = enumerateFormats(io_, fd_);
    auto withSize = [&](int w, int h) {
        return std::find_if(formats_.begin(), formats_.end(),
                            [&](const VideoFormat& f) { return f.width == w && f.height == h; });
    };
    auto chosen = withSize(presetWidth_, presetHeight_);
    if (chosen == formats_.end()) chosen = withSize(kFallbackWidth, kFallbackHeight);
    if (chosen == formats_.end()) chosen = formats_.begin();
    if (chosen == formats_.end()) {
        const std::string path = device.path;
        closeDevice();
        return {UsbError::Unsupported,
                fillIn(translate("UsbCamera", "{} offers no picture format this program can show."),
                       {path})};
    }
    presetWidth_ = chosen->width;
    presetHeight_ = chosen->height;
    selected_ = device;
    UsbOutcome outcome =
        startStreaming(static_cast<size_t>(chosen - formats_.begin()), std::nullopt);
    if (!outcome.ok()) closeDevice();
    return outcome;
}

const VideoFormat* UsbCamera::videoDeviceFormat() const {
    return formatIndex_ ? &formats_[*formatIndex_] : nullptr;
}

UsbOutcome UsbCamera::setVideoDeviceFormat(size_t index) {
    if (fd_ < 0 || index >= formats_.size())
        return {UsbError::Failed, translate("UsbCamera", "No USB microscope format to choose.")};
    const auto previous = formatIndex_;
    const auto previousInterval = interval_;
    // Drivers fall back to their default rate on a new format: the chosen one is kept
    // as nearly as the new format allows.
    std::optional<Duration> interval;
    if (previousInterval)
        if (const auto nearest =
                nearestFrameRateRange(formats_[index].frameRateRanges, *previousInterval))
            interval = nearest->minFrameDuration;
    UsbOutcome outcome = startStreaming(index, interval);
    if (outcome.ok()) {
        presetWidth_ = formats_[index].width;
        presetHeight_ = formats_[index].height;
    } else if (previous) {
        startStreaming(*previous, previousInterval);
    }
    return outcome;
}

std::optional<FrameRateRange> UsbCamera::frameRateRange() const {
    const VideoFormat* format = videoDeviceFormat();
    if (!format || !interval_) return std::nullopt;
    for (const auto& range : format->frameRateRanges)
        if (sameDuration(range.minFrameDuration, *interval_)) return range;
    return std::nullopt;
}

UsbOutcome UsbCamera::setFrameRateRange(const FrameRateRange& range) {
    const VideoFormat* format = videoDeviceFormat();
    if (!format) return {};
    const auto& ranges = format->frameRateRanges;
    if (std::find(ranges.begin(), ranges.end(), range) == ranges.end()) return {};
    const size_t index = *formatIndex_;
    const auto previousInterval = interval_;
    UsbOutcome outcome = startStreaming(index, range.minFrameDuration);
    if (!outcome.ok()) startStreaming(index, previousInterval);
    return outcome;
}

void UsbCamera::setAdjustments(const AdjustmentSettings& settings) {
    std::lock_guard lock(adjustmentsMutex_);
    adjustments_ = settings;
}

void UsbCamera::setShownSize(int width, int height) {
    shown_ = JpegInfo{std::max(width, 0), std::max(height, 0)};
}

void UsbCamera::stop() { closeDevice(); }

UsbCaptureStats UsbCamera::stats() const {
    return {delivered_.load(), brokenBefore_ + (stream_ ? stream_->brokenFrames() : 0)};
}

// Streaming (re)starts in the given format; the device's formats are set while it is
// not streaming, as drivers refuse changes during a stream.
UsbOutcome UsbCamera::startStreaming(size_t formatIndex, std::optional<Duration> interval) {
    stopStreaming();
    const std::string& path = selected_->path;
    ActiveFormat active;
    if (const int err = applyFormat(io_, fd_, formats_[formatIndex], active))
        return UsbOutcome::fromErrno(err, path,
                                     QT_TRANSLATE_NOOP("UsbCamera", "set its picture format"));
    if (!converter_.configure(active.pixelFormat, active.width, active.height, active.bytesPerLine))
        return {UsbError::Unsupported,
                fillIn(translate("UsbCamera",
                                 "{} answered with a picture format this program "
                                 "cannot show."),
                       {path})};
    if (interval) {
        if (const int err = applyFrameInterval(io_, fd_, *interval))
            return UsbOutcome::fromErrno(err, path,
                                         QT_TRANSLATE_NOOP("UsbCamera", "set its frame rate"));
    }
    auto stream = std::make_unique<V4l2Stream>(io_, fd_);
    const int err = stream->start(
        [this](const uint8_t* data, size_t size, std::chrono::steady_clock::time_point at) {
            return frameCaptured(data, size, at);
        },
        [this](int e) { captureFailed(e); });
    if (err)
        return UsbOutcome::fromErrno(err, path, QT_TRANSLATE_NOOP("UsbCamera", "start streaming"));
    stream_ = std::move(stream);
    active_ = active;
    formatIndex_ = formatIndex;
    interval_ = readFrameInterval(io_, fd_);
    return {};
}

void UsbCamera::stopStreaming() {
    if (!stream_) return;
    stream_->stop();
    brokenBefore_ += stream_->brokenFrames();
    stream_.reset();
    // Frames and failure notices of the stopped stream are not delivered any more.
    handOver_.invalidate();
    ++events_->generation;
}

void UsbCamera::closeDevice() {
    stopStreaming();
    if (fd_ >= 0) io_.close(fd_);
    fd_ = -1;
    selected_.reset();
    formats_.clear();
    formatIndex_.reset();
    interval_.reset();
}

// On the capture thread.
bool UsbCamera::frameCaptured(const uint8_t* data, size_t size,
                              std::chrono::steady_clock::time_point capturedAt) {
    AdjustmentSettings settings;
    {
        std::lock_guard lock(adjustmentsMutex_);
        settings = adjustments_;
    }
    auto frame = converter_.convert(
        data, size, shown_.load(),
        // The full picture, decoded later on another thread, gets a chain of its own.
        [settings](Frame& full) { AdjustmentChain().apply(full, settings); });
    if (!frame) return false;
    frame->capturedAt = capturedAt;
    chain_.apply(*frame, settings);
    ++delivered_;
    handOver_.offer(std::move(*frame), FrameMarks{});  // decoded and changed
    return true;
}

// On the capture thread; the loop ends after this.
void UsbCamera::captureFailed(int err) {
    UsbOutcome outcome = UsbOutcome::fromErrno(err, selected_->path, kDeliverAction);
    post_([events = std::weak_ptr<Events>(events_), generation = events_->generation.load(),
           outcome = std::move(outcome)] {
        const auto alive = events.lock();
        if (!alive || !alive->owner || alive->generation != generation) return;
        alive->owner->deviceLost(outcome);
    });
}

void UsbCamera::deviceLost(const UsbOutcome& outcome) {
    closeDevice();
    if (auto* l = events_->listener.load()) l->captureStopped(outcome);
}

}  // namespace lumetra
