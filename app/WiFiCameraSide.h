#pragma once
// The window's WiFi camera side: it owns the picture stream, the camera's photo
// counter (iSnapNumber), the control side (connect, resolution and frame-rate
// choices, picture controls) and the shutter-button poller, and turns their
// results into the window's typed calls.
//
// The core's results come to the main thread through the Qt event loop, queued on
// this object, and its timers run on this object: hand-overs and timers still
// pending when it is destroyed are dropped. Create it after the window and the
// snapshot side, destroy it before them.

#include <QObject>
#include <array>
#include <optional>
#include <string_view>

#include "app/WindowSides.h"
#include "camera/CameraHost.h"
#include "camera/SnapCounter.h"
#include "camera/StreamReceiver.h"
#include "camera/wifi/SnapButtonController.h"
#include "camera/wifi/WiFiCameraController.h"

namespace lumetra {

class WiFiCameraSide : public QObject,
                       public CameraSide,
                       private StreamReceiverListener,
                       private WiFiCameraListener,
                       private SnapButtonListener {
    Q_OBJECT
public:
    // host: where the camera is probed and its stream opened. Registers itself as
    // the window's WiFi camera side until it is destroyed.
    WiFiCameraSide(CameraWindow& window, const CameraHost& host);
    ~WiFiCameraSide() override;

    // Takes effect at the next connect.
    void setHost(const CameraHost& host);
    // When the stream opens again after a resolution or frame-rate change.
    void setRestartTiming(const StreamRestartTiming& timing);

    // The WiFi button: probes the camera in the background; when one answers it
    // becomes the active camera (a USB camera in use stops), its stream opens and its
    // lists and sliders show.
    void connectCamera() override;
    // Items of the lists this side filled, by index.
    void chooseFormat(int index) override;
    void chooseFrameRate(int index) override;
    void adjust(Adjustment adjustment, int value) override;
    void resetAdjustments() override;
    void toggleShutterButton() override;
    // Closes the stream, switches the poller off and hides the shutter toggle; a
    // stream restart still pending is not carried out.
    void stopCamera() override;
    void showPictureAt(int width, int height) override { receiver_.setShownSize({width, height}); }
    std::string profileKey() const override;

    const StreamReceiver& receiver() const { return receiver_; }
    const SnapCounter& snapCounter() const { return iSnapNumber_; }
    const SnapButtonController& snapButton() const { return snap_; }

private:
    // StreamReceiverListener
    void frameReady(const Frame& frame, const FrameMarks& marks) override;
    void snapshotRequested(int64_t photoCount) override;
    void streamEnded() override;
    // WiFiCameraListener
    void showAlert(std::string_view text) override;
    void setBusy(bool busy) override;
    void cameraConnected(CameraMode kind) override;
    void setFrameSize(FrameSize size) override;
    void startVideoView() override;
    void stopVideoView() override;
    void fillWiFiLists(const WiFiLists& lists) override;
    void initSliderControl(bool setRanges, const WiFiControls& controls) override;
    // SnapButtonListener
    void showSnapButton(const SnapButtonLook& look) override;
    void takeSnapshot() override;

    void post(std::function<void()> work);
    void switchPollerOff();
    void allowPictureSize(FrameSize size);

    CameraWindow& window_;
    std::string hostName_;
    std::optional<CameraMode> kind_;  // the camera this side streams from; none when stopped
    bool announcing_ = false;         // a connect waits for its frame size to tell the window
    WiFiLists lists_;                 // what the window's WiFi lists show
    FrameSize largestSize_;           // the largest picture size the connected camera announced
    std::array<SliderSetting, 6> sliders_{};  // in slider order

    SnapCounter iSnapNumber_;
    // After the counter they share; destroyed first, so their threads end first.
    StreamReceiver receiver_;
    WiFiCameraController controller_;
    SnapButtonController snap_;
};

}  // namespace lumetra
