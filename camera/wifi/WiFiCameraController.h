#pragma once
// The WiFi camera's control side of the window, without the toolkit: connecting
// (probes and settings read), the resolution and frame-rate choices with the stream
// restart after the camera's delay, the six picture controls and their reset.
//
// Threads: every public call and every listener call happen on the main thread.
// Probes and the settings read run on a worker of their own, so a connect never waits
// behind commands to a camera that stopped answering; commands run on a second worker,
// in order, with only the newest value of each picture control waiting while another
// request is in flight. Results come back through the post function given at
// construction, so the main thread never waits for the network. A connect whose work fails
// (throws) ends with an alert like an unanswered one. Every command's answer is
// examined (CommandAnswer): a change the camera refused is alerted and the window's
// control goes back to what the camera last took, unless a newer change of the same
// setting is still on its way; a change it did not answer is alerted as unanswered and
// the control keeps it, since the camera may have taken it. Restarts are scheduled through the
// given timer function; a restarted stream that ends before its first picture (the camera
// is still restarting) is opened again a few times before it counts as lost. Work still queued when
// the controller is destroyed is dropped; a running probe is cut short.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "camera/CameraHost.h"
#include "camera/CameraMode.h"
#include "camera/SerialQueue.h"
#include "camera/SnapCounter.h"
#include "camera/wifi/CommandAnswer.h"
#include "camera/wifi/WiFiLists.h"
#include "camera/wifi/WiFiProbe.h"
#include "camera/wifi/WiFiRequests.h"
#include "camera/wifi/WiFiSettings.h"
#include "image/PostToMain.h"
#include "image/Translate.h"

namespace lumetra {

inline constexpr const char* kAlertNoWiFiCamera =
    QT_TRANSLATE_NOOP("WiFiCamera", "Please connect WiFi Microscope");
inline constexpr const char* kAlertStreamStopped = QT_TRANSLATE_NOOP(
    "WiFiCamera", "The microscope stopped sending pictures. Press WiFi to connect again.");
inline constexpr const char* kAlertChangeRefused = QT_TRANSLATE_NOOP(
    "WiFiCamera", "The microscope did not take the change; the control shows its setting again.");
inline constexpr const char* kAlertChangeUnanswered = QT_TRANSLATE_NOOP(
    "WiFiCamera", "The microscope did not answer the change; it may not have taken it.");
// {}: what went wrong, as the error says it.
inline constexpr const char* kAlertConnectFailed =
    QT_TRANSLATE_NOOP("WiFiCamera", "Connecting to the WiFi microscope failed: {}");

// When the stream opens again after a resolution or frame-rate command: once the camera's
// restart delay has passed (restartDelay replaces it when set), then, while the stream
// ends before its first picture, every retryInterval, at most retryAttempts times.
struct StreamRestartTiming {
    std::optional<std::chrono::milliseconds> restartDelay;
    std::chrono::milliseconds retryInterval = std::chrono::seconds(1);
    int retryAttempts = 15;
};

// Implemented by the window's WiFi side; called on the main thread.
class WiFiCameraListener {
public:
    virtual ~WiFiCameraListener() = default;
    virtual void showAlert(std::string_view text) = 0;
    // The busy indicator (ctrSpinner): on while a connect or a restart is pending.
    virtual void setBusy(bool busy) = 0;
    // A camera answered: the window's camera mode becomes 2 (wizard) or 3 (CGI).
    virtual void cameraConnected(CameraMode kind) = 0;
    // The camera's current frame size (iNewVideoWidth, iNewVideoHeight).
    virtual void setFrameSize(FrameSize size) = 0;
    virtual void startVideoView() = 0;
    virtual void stopVideoView() = 0;
    // Hide the USB pop-up lists, show the WiFi ones with these items and selections.
    virtual void fillWiFiLists(const WiFiLists& lists) = 0;
    // The six sliders take the records' values, and with setRanges their limits too.
    virtual void initSliderControl(bool setRanges, const WiFiControls& controls) = 0;
};

class WiFiCameraController {
public:
    // Runs the function once on the main thread after the delay.
    using ScheduleAfter = std::function<void(std::chrono::milliseconds, std::function<void()>)>;

    struct Options {
        CameraHost host;
        PostToMain postToMain;
        ScheduleAfter scheduleAfter;
        ProbeLog log = logToStandardError;
    };

    // iSnapNumber: the photo counter shared with the stream; it must outlive the controller.
    WiFiCameraController(Options options, SnapCounter& iSnapNumber);
    ~WiFiCameraController();
    WiFiCameraController(const WiFiCameraController&) = delete;
    WiFiCameraController& operator=(const WiFiCameraController&) = delete;

    void setListener(WiFiCameraListener* listener) { listener_ = listener; }
    void setHost(CameraHost host) { host_ = std::move(host); }
    // Takes effect at the next change.
    void setRestartTiming(StreamRestartTiming timing) { timing_ = timing; }

    // The WiFi button. Another camera streaming meanwhile is the window's to stop.
    void onWiFiCamAction();
    // A resolution item ("width x height") or a frame-rate item ("fps") was chosen.
    void handleVideoFormatPopBtn(std::string_view title);
    void handleFpsPopBtn(std::string_view title);
    // A picture-control slider reported value; one request per report unless coalesced.
    void onSliderAction(Adjustment adjustment, double value);
    // Every control back to the camera's default: six requests.
    void onDefaultAction();
    // Sends one picture-control change (the CGI camera sends the record's iValue).
    void setPropertyCommand(int32_t controlNumber, int32_t value);

    // The stream delivered a picture: a change's restart has settled.
    void streamDelivered() { reopensLeft_ = 0; }
    // The stream ended. True when it opens again (a change's restart is still settling,
    // attempts are left); false when it stays down.
    bool reopenEndedStream();

    uint8_t iCameraMode() const { return kind_ ? static_cast<uint8_t>(*kind_) : 0; }
    bool connecting() const { return connecting_; }
    bool busy() const { return busyCount_ > 0; }
    const WiFiSettings& settings() const { return settings_; }
    FrameSize frameSize() const { return frameSize_; }

private:
    // The setting a command changes, and the value it sends: the resolution (its entry
    // index, frame size and list position), the frame rate (its value and list
    // position) or one picture control's value.
    enum class Setting : uint8_t { Resolution, FrameRate, Control };
    struct Sent {
        Setting setting = Setting::Control;
        Adjustment adjustment = Adjustment::Brightness;  // of a Control
        int32_t value = 0;
        FrameSize size;
        int listPosition = -1;
        uint64_t generation = 0;  // newest of its setting when sent
    };
    static constexpr size_t kSettingSlots = 2 + kAdjustments.size();
    static size_t slot(const Sent& sent);

    // A connected camera that no connect is re-examining: what commands may go to.
    bool ready() const { return kind_ && !connecting_; }
    void probed(std::optional<WiFiDevice> device, WiFiSettings settings);
    void connectFailed(const std::string& alert);
    void changeStarted(const CameraRequest& request, Sent sent);
    void delayedMethod();
    // key: the picture control a request sets (replaced while waiting), or empty.
    // sent: the setting the request changes, when it is one the window shows.
    void send(const CameraRequest& request, std::string key, std::optional<Sent> sent);
    // The camera's answer to a command: taken, refused or not answered.
    void answered(const std::optional<Sent>& sent, const CommandVerdict& verdict);
    // The window's control of a refused setting goes back to what the camera has.
    void putBack(const Sent& sent);
    void adjustBusy(int delta);
    // Wraps main-thread work so that it does nothing once the controller is gone.
    std::function<void()> guarded(std::function<void()> work);

    CameraHost host_;
    PostToMain post_;
    ScheduleAfter schedule_;
    ProbeLog log_;
    SnapCounter& iSnapNumber_;
    WiFiCameraListener* listener_ = nullptr;

    std::optional<CameraMode> kind_;
    bool connecting_ = false;
    int busyCount_ = 0;
    int reopensLeft_ = 0;  // stream reopens allowed until a change's restart delivers
    StreamRestartTiming timing_;
    FrameSize frameSize_{640, 480};
    WiFiSettings settings_;
    // What the camera has: read at connect, then each change it took.
    WiFiSettings taken_;
    FrameSize takenSize_;
    WiFiLists takenLists_;
    std::array<uint64_t, kSettingSlots> newestSent_{};

    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::atomic<bool> ending_{false};
    // Last members: stopped before the others go.
    SerialQueue connectWorker_;
    SerialQueue commandWorker_;
};

}  // namespace lumetra
