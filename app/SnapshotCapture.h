#pragma once
// The window's capture side for snapshots: the snapshot buttons ask the
// measuring view for a picture at the camera's frame size, and a written
// snapshot plays the shutter sound and joins the photo list.

#include <QObject>
#include <memory>
#include <string>

#include "app/SoundPlayer.h"
#include "app/WindowSides.h"

namespace lumetra {

class RQGlobalVariables;

class SnapshotCapture : public QObject, public SnapshotSide {
    Q_OBJECT
public:
    // window: where the frame size, the view and the photo list are; settings:
    // the sounds; sounds: the player (Qt Multimedia when none is given).
    SnapshotCapture(CaptureWindow& window, const RQGlobalVariables& settings,
                    std::unique_ptr<SoundPlayer> sounds = nullptr);
    ~SnapshotCapture() override;

    // now: the snapshot is taken at once. Otherwise the request is queued onto
    // the main thread's event loop and taken in a later turn of it (the WiFi
    // camera's own button).
    void saveImage(bool now);

    void takePicture() override { saveImage(true); }
    void requestPicture() override { saveImage(false); }
    void snapshotWritten(const std::string& path) override;

private:
    CaptureWindow& window_;
    const RQGlobalVariables& settings_;
    std::unique_ptr<SoundPlayer> sounds_;
};

}  // namespace lumetra
