#pragma once
// The window's WiFi camera side, as far as the picture stream goes: it owns the
// stream receiver and the camera's photo counter (iSnapNumber), connects to the
// camera a probe finds, routes every picture through the window's display rule
// and turns a press of the camera's shutter button into a snapshot.
//
// The receiver's results come to the main thread through the Qt event loop, queued
// on this object: hand-overs still queued when it is destroyed are dropped.
// Create it after the window and the snapshot side, destroy it before them.

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/WindowSides.h"
#include "camera/CameraHost.h"
#include "camera/SnapCounter.h"
#include "camera/StreamReceiver.h"

namespace lumetra {

class ViewController;

// What connecting learned about a WiFi camera.
struct WiFiCamera {
    CameraHost host;
    CameraMode cameraMode = CameraMode::WiFiCgi;
    uint16_t width = 640;  // current frame size
    uint16_t height = 480;
    int64_t photoCount = 0;  // the camera's photo counter at connect
};

class WiFiCameraSide : public QObject, public CameraSide, public StreamReceiverListener {
    Q_OBJECT
public:
    // Finds the camera; nullopt when none answers.
    using Probe = std::function<std::optional<WiFiCamera>()>;

    // host: where the stream is opened until a probe names a camera. Registers
    // itself as the window's WiFi camera side until it is destroyed.
    WiFiCameraSide(ViewController& window, CameraHost host);
    ~WiFiCameraSide() override;

    // Without a probe the WiFi button does nothing.
    void setProbe(Probe probe) { probe_ = std::move(probe); }

    // The WiFi button: probes, takes the camera's mode, frame size and photo
    // counter, and opens its stream (replacing any open one).
    void connectCamera() override;
    void stopCamera() override { receiver_.stopVideoView(); }
    void startVideoView() { receiver_.startVideoView(); }
    void stopVideoView() { receiver_.stopVideoView(); }

    const StreamReceiver& receiver() const { return receiver_; }
    const SnapCounter& snapCounter() const { return iSnapNumber_; }

private:
    void frameReady(const Frame& frame, const FrameMarks& marks) override;
    void snapshotRequested(int64_t photoCount) override;

    ViewController& window_;
    Probe probe_;
    SnapCounter iSnapNumber_;
    StreamReceiver receiver_;  // after the counter it uses
};

}  // namespace lumetra
