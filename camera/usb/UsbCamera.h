#pragma once
// The USB microscope as the window's USB camera side uses it: the model behind the
// device, format and frame-rate lists, the open device streaming on the capture
// thread, and each frame converted to BGRA at the format's own size (a Motion-JPEG
// frame reduced while the screen shows it smaller, its full picture decoded on demand),
// adjusted, and handed to the main thread (always marked decoded and changed).
//
// Threads: every method belongs to the main thread. Frames are converted and
// adjusted on the capture thread "captureOutputQueue" and reach the listener only
// through the post function given at construction; the capture thread never waits
// for the main thread. A device lost mid-stream is reported once to the listener;
// the camera then holds no device and the last picture shown stays where it is.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "camera/FrameHandOver.h"
#include "camera/adjust/AdjustmentChain.h"
#include "camera/adjust/AdjustmentSettings.h"
#include "camera/usb/FrameConverter.h"
#include "camera/usb/UsbError.h"
#include "camera/usb/V4l2Io.h"
#include "camera/usb/V4l2Stream.h"
#include "camera/usb/VideoDeviceList.h"
#include "camera/usb/VideoFormat.h"
#include "image/PostToMain.h"

namespace lumetra {

// Implemented by the window; called on the main thread. Adjusted pictures arrive
// through frameReady (FrameListener).
class UsbCameraListener : public FrameListener {
public:
    // Capture ended by itself (the device was unplugged or failed): show the message.
    virtual void captureStopped(const UsbOutcome& outcome) = 0;
};

struct UsbCaptureStats {
    uint64_t framesDelivered = 0;  // converted and handed over
    uint64_t brokenFrames = 0;     // skipped: marked broken, too short or not decodable
};

class UsbCamera {
public:
    UsbCamera(V4l2Io& io, DeviceDirs dirs, PostToMain postToMain);
    ~UsbCamera();
    UsbCamera(const UsbCamera&) = delete;
    UsbCamera& operator=(const UsbCamera&) = delete;

    void setListener(UsbCameraListener* listener) {
        events_->listener = listener;
        handOver_.setListener(listener);
    }

    // Lists the attached capture devices again (call it whenever the device list is
    // opened); a selected device that is gone is closed and reported to the listener
    // as unplugged, once, like a loss the stream noticed itself.
    const std::vector<VideoDevice>& refreshDevices();
    const std::vector<VideoDevice>& videoDevices() const { return devices_; }

    // Closes the current device, then opens devices[index] and starts streaming in
    // the format of the session's size (the last chosen size, 640 x 480 at first), or
    // 640 x 480 when the device does not offer it, or its first format.
    UsbOutcome setSelectedVideoDevice(std::optional<size_t> index);
    const std::optional<VideoDevice>& selectedVideoDevice() const { return selected_; }

    // The selected device's formats (the format list) and the active one.
    const std::vector<VideoFormat>& formats() const { return formats_; }
    const VideoFormat* videoDeviceFormat() const;
    // The frame rate nearest to the current one goes with it. On failure the device
    // goes on in its previous format.
    UsbOutcome setVideoDeviceFormat(size_t index);

    // The active format's range whose shortest frame interval is the device's.
    std::optional<FrameRateRange> frameRateRange() const;
    // A range that is not one of the active format's is ignored. On failure the
    // device keeps its previous rate.
    UsbOutcome setFrameRateRange(const FrameRateRange& range);

    // The size frames arrive in (iNewVideoWidth, iNewVideoHeight); 640 x 480 before any.
    int videoWidth() const { return active_.width; }
    int videoHeight() const { return active_.height; }

    // Used from the next frame on.
    void setAdjustments(const AdjustmentSettings& settings);
    // The device pixels the screen shows the picture at, from the next frame on; 0 x 0
    // (the default) when every frame is needed at full size.
    void setShownSize(int width, int height);

    // Stops capture and closes the device (window closing).
    void stop();
    bool running() const { return stream_ != nullptr; }

    UsbCaptureStats stats() const;

private:
    struct Events {
        std::atomic<UsbCameraListener*> listener{nullptr};
        UsbCamera* owner = nullptr;  // used on the main thread only
        std::atomic<uint64_t> generation{0};
    };

    UsbOutcome startStreaming(size_t formatIndex, std::optional<Duration> interval);
    void stopStreaming();
    void closeDevice();
    bool frameCaptured(const uint8_t* data, size_t size,  // capture thread
                       std::chrono::steady_clock::time_point capturedAt);
    void captureFailed(int err);  // capture thread
    void deviceLost(const UsbOutcome& outcome);

    V4l2Io& io_;
    DeviceDirs dirs_;
    PostToMain post_;
    std::shared_ptr<Events> events_;

    std::vector<VideoDevice> devices_;
    std::optional<VideoDevice> selected_;
    int fd_ = -1;
    std::vector<VideoFormat> formats_;
    std::optional<size_t> formatIndex_;
    ActiveFormat active_{0, 640, 480, 0};
    std::optional<Duration> interval_;
    int presetWidth_ = 640;
    int presetHeight_ = 480;

    // Used by the capture thread while it runs.
    FrameConverter converter_;
    AdjustmentChain chain_;
    mutable std::mutex adjustmentsMutex_;
    AdjustmentSettings adjustments_;
    std::atomic<JpegInfo> shown_{JpegInfo{}};
    std::atomic<uint64_t> delivered_{0};
    uint64_t brokenBefore_ = 0;  // broken frames of streams already stopped

    FrameHandOver handOver_;
    std::unique_ptr<V4l2Stream> stream_;
};

}  // namespace lumetra
