#pragma once
// The tool bar's capture group: freeze, snapshot, record and time-lapse. It holds the snapshot
// and recording sides and is the window as they see it (CaptureWindow): the view to
// compose from, the active camera's frame size, the album that lists what they
// write, and the hint line that tells what was saved or how long a recording runs.

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

#include "app/WindowSides.h"

class QHBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

namespace lumetra {

class AlbumPanel;
class AlertPresenter;
class TimeLapseCapture;
class TimeLapseSheet;

class CaptureBar : public QObject, public CaptureWindow {
    Q_OBJECT
public:
    struct Widgets {
        QToolButton* btFreeze = nullptr;
        QToolButton* btSnapshot = nullptr;
        QToolButton* btTakevideo = nullptr;
        QToolButton* btTimeLapse = nullptr;
        QLabel* timeLapseProgress =
            nullptr;  // under the hint line, hidden until a time-lapse starts
    };

    // Builds the "CAPTURE" group into the tool bar's row.
    static Widgets build(QWidget* toolbar, QHBoxLayout* bar);
    // The time-lapse's progress line (timeLapseProgress), placed by the caller.
    static QLabel* buildProgressLine(QWidget* parent);

    // What the bar reads of the window: whether a camera is active (cameraReady also
    // says on the hint line when none is) and the active camera's frame size.
    struct WindowFacts {
        std::function<bool()> cameraReady;
        std::function<bool()> cameraActive;
        std::function<QSize()> frameSize;
        std::function<std::string()> videoFolder;  // where a time-lapse's movie goes
    };

    CaptureBar(const Widgets& widgets, RQVideoView& view, QLabel& hintLine, AlbumPanel& album,
               AlertPresenter& alerts, WindowFacts facts, QObject* parent);

    // The sides, not owned; null until they exist. A side detaches itself by
    // passing null before it goes.
    void setSnapshotSide(SnapshotSide* side) { snapshots_ = side; }
    void setRecordingSide(RecordingSide* side) { recorder_ = side; }

    // The freeze button and Space: holds the picture on screen, or goes back to live.
    void toggleFreeze();
    void setFrozen(bool frozen);
    // The view wrote a snapshot.
    void snapshotWritten(const std::string& path);
    // The camera's shutter button: a snapshot in a later turn of the event loop.
    void requestSnapshot();
    // Every frame the window routes, drawn or not.
    void recordFrame(const Frame& frame);
    // Frames stopped or the window is closing: a recording under way is finished.
    void finishRecording();
    // The hint line's "saved to" goes once the file it names was deleted.
    void forgetDeletedSave();
    // The window is asked to close: a time-lapse under way ends, and while its movie is
    // being assembled the window stays open, says so and closes once the movie is saved
    // (or failed). True while it stays.
    bool keepOpenForMovie();
    // The time-lapse of the window (the button's, or one the command line starts).
    TimeLapseCapture& timeLapse() { return *timeLapse_; }

    // CaptureWindow
    bool cameraActive() const override { return facts_.cameraActive(); }
    RQVideoView& videoView() override { return view_; }
    int frameWidth() const override { return facts_.frameSize().width(); }
    int frameHeight() const override { return facts_.frameSize().height(); }
    void showFailure(const QString& message) override;
    void pictureAdded(const std::string& path) override;
    void recordingThumbnailAdded(const std::string& path) override;
    void recordingStarted(const std::string& moviePath) override;
    void recordingStopped() override;
    void recordingTime(const QString& text) override;
    void recordingFinished(const std::string& moviePath, uint64_t framesLeftOut) override;
    void recordingFailed(const QString& reason) override;

private:
    void toggleTimeLapse();
    void showRecording(bool recording);

    Widgets w_;
    RQVideoView& view_;
    QLabel& hintLine_;
    AlbumPanel& album_;
    AlertPresenter& alerts_;
    WindowFacts facts_;
    SnapshotSide* snapshots_ = nullptr;
    RecordingSide* recorder_ = nullptr;
    TimeLapseCapture* timeLapse_ = nullptr;
    TimeLapseSheet* timeLapseSheet_ = nullptr;  // made when first opened
    bool recording_ = false;                    // the record button shows it
    bool closeAfterMovie_ = false;              // the window closes once the movie is made
    QString savedFile_;                         // the file the hint line last said was saved
};

}  // namespace lumetra
