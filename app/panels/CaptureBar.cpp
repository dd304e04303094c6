#include "app/panels/CaptureBar.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/AlertPresenter.h"
#include "app/RQVideoView.h"
#include "app/TimeLapseCapture.h"
#include "app/TimeLapseSheet.h"
#include "app/panels/AlbumPanel.h"
#include "app/panels/PanelWidgets.h"

namespace lumetra {

CaptureBar::Widgets CaptureBar::build(QWidget* toolbar, QHBoxLayout* bar) {
    Widgets w;
    w.btFreeze = iconButton(toolbar, "btFreeze", "freeze",
                            tr("Freeze the picture, or go back to live (Space)"));
    w.btSnapshot = iconButton(toolbar, "btSnapshot", "snapshot", tr("Take a snapshot"));
    w.btTakevideo = iconButton(toolbar, "btTakevideo", "movies", tr("Start recording"));
    w.btTimeLapse = iconButton(toolbar, "btTimeLapse", "timelapse",
                               tr("Take a snapshot at regular times, or stop doing so"));
    bar->addWidget(buttonGroup(toolbar, tr("CAPTURE"),
                               {w.btFreeze, w.btSnapshot, w.btTakevideo, w.btTimeLapse}));
    return w;
}

QLabel* CaptureBar::buildProgressLine(QWidget* parent) {
    QLabel* line = label(parent, QString(), "timeLapseProgress");
    line->setAlignment(Qt::AlignCenter);
    line->setWordWrap(true);
    line->hide();
    return line;
}

CaptureBar::CaptureBar(const Widgets& widgets, RQVideoView& view, QLabel& hintLine,
                       AlbumPanel& album, AlertPresenter& alerts, WindowFacts facts,
                       QObject* parent)
    : QObject(parent),
      w_(widgets),
      view_(view),
      hintLine_(hintLine),
      album_(album),
      alerts_(alerts),
      facts_(std::move(facts)) {
    showRecording(false);  // the recorder is idle
    connect(w_.btFreeze, &QToolButton::clicked, this, &CaptureBar::toggleFreeze);
    connect(w_.btSnapshot, &QToolButton::clicked, this, [this] {
        if (facts_.cameraReady() && snapshots_) snapshots_->takePicture();
    });
    connect(w_.btTakevideo, &QToolButton::clicked, this, [this] {
        if (facts_.cameraReady() && recorder_) recorder_->toggleRecording();
    });
    timeLapse_ = new TimeLapseCapture(*this, facts_.videoFolder, this);
    connect(w_.btTimeLapse, &QToolButton::clicked, this, &CaptureBar::toggleTimeLapse);
    connect(timeLapse_, &TimeLapseCapture::progress, this, [this](const QString& text) {
        w_.timeLapseProgress->setText(text);
        w_.timeLapseProgress->setVisible(!text.isEmpty());
        setButtonImage(w_.btTimeLapse, timeLapse_->running() ? "timelapse_s" : "timelapse");
    });
    connect(timeLapse_, &TimeLapseCapture::finished, this, [this] {
        if (closeAfterMovie_) w_.btTimeLapse->window()->close();
    });
}

// Closing at once would leave the program writing the movie on with no window, or lose
// it; assembling takes a moment per picture, so the window waits for it and says so. A
// time-lapse under way ends as its button ends it: with the movie of what was taken.
bool CaptureBar::keepOpenForMovie() {
    timeLapse_->stop();
    if (!timeLapse_->makingMovie()) return false;
    closeAfterMovie_ = true;
    hintLine_.setText(tr("Finishing the time-lapse's movie; the window closes when it is saved."));
    return true;
}

// Stops the time-lapse under way, else opens the popover that starts one.
void CaptureBar::toggleTimeLapse() {
    if (timeLapse_->running()) {
        timeLapse_->stop();
        return;
    }
    if (!facts_.cameraReady()) return;
    if (!timeLapseSheet_) {
        timeLapseSheet_ = new TimeLapseSheet(w_.btTimeLapse->window());
        connect(timeLapseSheet_, &TimeLapseSheet::startRequested, timeLapse_,
                &TimeLapseCapture::start);
    }
    timeLapseSheet_->popUp(w_.btTimeLapse);
}

void CaptureBar::toggleFreeze() {
    if (facts_.cameraReady()) setFrozen(!view_.frozen());
}

void CaptureBar::setFrozen(bool frozen) {
    view_.setFrozen(frozen);
    setButtonImage(w_.btFreeze, frozen ? "freeze_s" : "freeze");
    // A calibration's next step stays in sight: the reference line is drawn on the frozen picture.
    const QString& step = view_.stepHint();
    if (!frozen)
        hintLine_.setText(step);
    else if (view_.model().bCalibration && !step.isEmpty())
        hintLine_.setText(tr("%1 (picture frozen)").arg(step));
    else
        hintLine_.setText(tr("Picture frozen: measure or take a snapshot of it; Space goes live"));
}

void CaptureBar::snapshotWritten(const std::string& path) {
    savedFile_ = QString::fromStdString(path);
    hintLine_.setText(tr("Snapshot saved to %1").arg(savedFile_));
    if (snapshots_) snapshots_->snapshotWritten(path);
    timeLapse_->snapshotWritten(path);
}

void CaptureBar::requestSnapshot() {
    if (snapshots_) snapshots_->requestPicture();
}

void CaptureBar::recordFrame(const Frame& frame) {
    if (recorder_) recorder_->recordingVideo(frame);
    timeLapse_->frameArrived();
}

void CaptureBar::finishRecording() {
    if (recorder_) recorder_->finishRecording();
}

void CaptureBar::forgetDeletedSave() {
    if (savedFile_.isEmpty() || QFileInfo::exists(savedFile_)) return;
    if (hintLine_.text().contains(savedFile_)) hintLine_.clear();
    savedFile_.clear();
}

void CaptureBar::showFailure(const QString& message) { alerts_.alert(message); }

void CaptureBar::pictureAdded(const std::string& path) { album_.add(MediaKind::Picture, path); }

void CaptureBar::recordingThumbnailAdded(const std::string& path) {
    album_.add(MediaKind::Video, path);
}

void CaptureBar::recordingStarted(const std::string&) {
    showRecording(true);
    // The recording encodes every frame at full size: the camera decodes it so at once.
    view_.setFullFramesWanted(true);
    hintLine_.setText(QStringLiteral("00:00:00"));
}

void CaptureBar::recordingStopped() {
    showRecording(false);
    view_.setFullFramesWanted(false);
    hintLine_.setText(QString());
}

// Recording, the button shows a stop square instead of the record dot and says so:
// the red is not the only sign.
void CaptureBar::showRecording(bool recording) {
    recording_ = recording;
    setButtonImage(w_.btTakevideo, recording ? "movies_s" : "movies");
    const QString tip = recording ? tr("Stop recording") : tr("Start recording");
    w_.btTakevideo->setToolTip(tip);
    w_.btTakevideo->setAccessibleName(tip);
    w_.btTakevideo->setAccessibleDescription(tip);
}

void CaptureBar::recordingTime(const QString& text) {
    if (recording_) hintLine_.setText(text);
}

// Frames left out are said with the file; while the next recording's clock holds the
// hint line, in an alert.
void CaptureBar::recordingFinished(const std::string& moviePath, uint64_t framesLeftOut) {
    const QString path = QString::fromStdString(moviePath);
    QString text = tr("Recording saved to %1").arg(path);
    if (framesLeftOut > 0)
        text +=
            framesLeftOut == 1
                ? tr(" (1 frame could not be decoded or converted, left out)")
                : tr(" (%1 frames could not be decoded or converted, left out)").arg(framesLeftOut);
    if (recording_) {
        if (framesLeftOut > 0) alerts_.alert(text);
        return;
    }
    savedFile_ = path;
    hintLine_.setText(text);
}

// A failed recording may have removed a movie listed by its thumbnail: the list
// follows the folder again.
void CaptureBar::recordingFailed(const QString& reason) {
    album_.loadVideoCollection();
    alerts_.alert(reason);
}

}  // namespace lumetra
