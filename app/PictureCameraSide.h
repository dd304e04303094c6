#pragma once
// The window's picture side: a picture file stands in for the camera. Its button
// ("Open", also Ctrl+O) asks for a file; the command line, a file dropped on the
// window and "Measure" in the album open one directly. The file is read off the main
// thread (app/PictureFile); then the picture becomes the active camera, a snapshot's
// shapes and calibration come back (capture/SnapshotReopening), and its one frame is
// handed to the window's display rule again every kRepeat (marked unchanged and
// repeated after the first), as a camera's frames are, so that tools, overlays,
// freezing, snapshots and recording work on it as on a live picture; the view itself
// gets it again only when a tool, an overlay or shapes move it to the other path. A
// file that cannot be read is shown as a failure naming it; the picture on screen stays.
//
// Create it after the window, destroy it before.

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/WindowSides.h"

namespace lumetra {

class PictureCameraSide : public QObject, public CameraSide {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRepeat{100};
    // Asks the user for a picture file; "" when none was chosen.
    using FileChooser = std::function<QString()>;

    // Registers itself as the window's picture side until it is destroyed.
    explicit PictureCameraSide(CameraWindow& window);
    ~PictureCameraSide() override;

    // Replaces the file dialog.
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // Reads path and shows it when it could be read.
    void openPicture(const QString& path);
    // The file shown ("" none).
    const QString& shownFile() const { return shown_; }

    void connectCamera() override;
    void stopCamera() override;

signals:
    // path is shown now (its first frame was handed to the window).
    void pictureShown(const QString& path);
    // path could not be shown; the window was told why.
    void pictureRefused(const QString& path);

private:
    struct Link;
    struct Loaded;
    void loaded(uint64_t request, const Loaded& picture);
    void repeat();

    CameraWindow& window_;
    std::shared_ptr<Link> link_;
    uint64_t request_ = 0;
    FileChooser chooser_;
    QTimer repeat_;
    Frame frame_;
    QString shown_;
};

}  // namespace lumetra
