#pragma once
// Where the camera and capture sides meet the window. The window holds one
// camera side per kind (USB, WiFi), at most one of them active, and one capture
// side per job (snapshots, recording). The sides call into the window only
// through the typed calls of CameraWindow (camera sides) and CaptureWindow (capture
// sides); the window calls them through the side interfaces. Until a side is attached its buttons
// say so and do nothing.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "camera/Adjustment.h"
#include "camera/CameraMode.h"
#include "capture/SnapshotSidecar.h"
#include "image/Frame.h"
#include "policy/FrameRouting.h"

namespace lumetra {

class RQVideoView;

// One of a camera's pop-up lists (devices, formats, frame rates): its items and
// the selected one (-1 none).
struct CameraList {
    QStringList items;
    int selected = -1;
};

// One picture-adjustment slider: its range and position.
struct SliderSetting {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

// A camera of one kind.
class CameraSide {
public:
    virtual ~CameraSide() = default;
    // The kind's connect button.
    virtual void connectCamera() = 0;
    // The kind's device, format and frame-rate lists: the list is about to open
    // (a device plugged in since shows up), an entry was chosen.
    virtual void refreshDevices() {}
    virtual void chooseDevice(int) {}
    virtual void chooseFormat(int) {}
    virtual void chooseFrameRate(int) {}
    // A picture-adjustment slider moved to value; the reset button.
    virtual void adjust(Adjustment, int /*value*/) {}
    virtual void resetAdjustments() {}
    // The shutter-button polling toggle.
    virtual void toggleShutterButton() {}
    // The view shows the picture at width x height device pixels (0 x 0: every frame is
    // needed at full size): a camera may deliver frames reduced to that.
    virtual void showPictureAt(int /*width*/, int /*height*/) {}
    // The open camera as its saved profiles know it (a USB device's identifier, a
    // WiFi camera's kind and host); "" when none is open.
    virtual std::string profileKey() const { return {}; }
    // Another camera became active, or the window is closing: stop streaming.
    virtual void stopCamera() = 0;
};

// Snapshots of what the view shows.
class SnapshotSide {
public:
    virtual ~SnapshotSide() = default;
    // The snapshot button: a snapshot at once.
    virtual void takePicture() = 0;
    // A snapshot asked for from elsewhere (the camera's shutter button): taken in
    // a later turn of the event loop.
    virtual void requestPicture() = 0;
    // The view wrote a snapshot to path.
    virtual void snapshotWritten(const std::string& path) = 0;
};

// Recording of the camera frames.
class RecordingSide {
public:
    virtual ~RecordingSide() = default;
    // The record button.
    virtual void toggleRecording() = 0;
    // Every frame the window routes, drawn or not.
    virtual void recordingVideo(const Frame& frame) = 0;
    // Frames stopped (the camera changed or stopped) or the window is closing:
    // a recording under way is finished.
    virtual void finishRecording() = 0;
};

// The window as the camera sides see it; every call on the main thread.
class CameraWindow {
public:
    virtual ~CameraWindow() = default;

    // A side registers itself for its kind when it is made, and detaches itself by
    // passing null before it goes.
    virtual void setCameraSide(CameraKind kind, CameraSide* side) = 0;
    virtual CameraMode cameraMode() const = 0;
    // A camera of the given mode is now active, delivering frames of that size;
    // any other active camera is stopped. status names it in the camera panel.
    virtual void cameraConnected(CameraMode mode, int width, int height, const QString& status) = 0;
    // The active camera stopped delivering frames for good (its stream ended, the
    // device was unplugged or could not be opened again): a recording is finished
    // and the camera panel says the camera is disconnected. The camera mode stays,
    // so the camera's button or lists connect again.
    virtual void cameraStopped() = 0;
    // The active camera stopped for good and needs connecting again: a recording is
    // finished, the camera shows as disconnected and the user is told message.
    virtual void cameraLost(const QString& message) = 0;
    // A decoded frame of the active camera.
    virtual void onFrame(const Frame& frame, const FrameMarks& marks) = 0;
    // A picture file became the active camera: the stored shapes are the record's
    // (none without a record), measured under its calibration, which is put in
    // force; without a record the calibration in force stays. Shapes measured on a
    // view of another size are not restored, and the user is told.
    virtual void restoreMeasurements(const std::optional<SnapshotRecord>& record) = 0;
    // The camera's shutter button was pressed.
    virtual void requestSnapshot() = 0;
    // Something the user must know (a failed connection, a setting refused).
    virtual void showFailure(const QString& message) = 0;
    // The busy indicator turns while a camera works on a request.
    virtual void setBusy(bool busy) = 0;
    // Shows the kind's three lists (and hides the other kinds').
    virtual void showCameraLists(CameraKind kind, const CameraList& devices,
                                 const CameraList& formats, const CameraList& rates) = 0;
    // Sets the six adjustment sliders (slider order) without reporting the moves.
    virtual void showAdjustments(const std::array<SliderSetting, 6>& sliders) = 0;
    // The shutter-button toggle: hidden, or shown with its image and tool tip.
    virtual void showShutterButton(bool visible, const QString& image, const QString& toolTip) = 0;
};

// The window as the capture sides see it; every call on the main thread.
class CaptureWindow {
public:
    virtual ~CaptureWindow() = default;

    // Whether a camera is active.
    virtual bool cameraActive() const = 0;
    virtual RQVideoView& videoView() = 0;
    // The frame size of the active camera (640 x 480 before any).
    virtual int frameWidth() const = 0;
    virtual int frameHeight() const = 0;
    // Something the user must know (a write that failed, a recording refused).
    virtual void showFailure(const QString& message) = 0;
    // A snapshot or a recording's thumbnail was written.
    virtual void pictureAdded(const std::string& path) = 0;
    virtual void recordingThumbnailAdded(const std::string& path) = 0;
    // The recorder's outcomes: a recording started at moviePath; it stopped (the
    // button goes back); its time so far; its file is complete, without framesLeftOut
    // frames that could not be decoded (the user is told); it failed (the reason is
    // shown).
    virtual void recordingStarted(const std::string& moviePath) = 0;
    virtual void recordingStopped() = 0;
    virtual void recordingTime(const QString& text) = 0;
    virtual void recordingFinished(const std::string& moviePath, uint64_t framesLeftOut) = 0;
    virtual void recordingFailed(const QString& reason) = 0;
};

}  // namespace lumetra
