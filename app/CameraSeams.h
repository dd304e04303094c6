#pragma once
// Where the camera and capture sides plug into the window. The window gates
// their actions on an active camera and routes frames; the sides themselves (USB
// capture, the WiFi camera controller, the recorder and snapshots) implement
// these interfaces. Until one is attached its buttons do nothing.

#include <string>

#include "image/Frame.h"

namespace lumetra {

class CameraSide {
public:
    virtual ~CameraSide() = default;
    virtual void connectUsbCamera() = 0;
    virtual void connectWiFiCamera() = 0;
    virtual void chooseWiFiFormat(int index) = 0;
    virtual void chooseWiFiFrameRate(int index) = 0;
    // The window is closing.
    virtual void stopUsbCapture() = 0;
};

class CaptureSide {
public:
    virtual ~CaptureSide() = default;
    virtual void takePicture() = 0;
    virtual void toggleRecording() = 0;
    // Every frame the window routes, drawn or not.
    virtual void recordingVideo(const Frame& frame) = 0;
    // The view wrote a snapshot to path.
    virtual void snapshotWritten(const std::string& path) = 0;
};

}  // namespace lumetra
