#include "app/RecordingCapture.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "storage/RQGlobalVariables.h"

namespace lumetra {

RecordingCapture::RecordingCapture(CaptureWindow& window, const RQGlobalVariables& settings,
                                   std::unique_ptr<SoundPlayer> sounds,
                                   std::chrono::milliseconds stopWait)
    : window_(window),
      settings_(settings),
      sounds_(sounds ? std::move(sounds) : std::make_unique<SoundEffectPlayer>()),
      recorder_([this](std::function<void()> work) {
          QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
      }) {
    recorder_.setListener(this);
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this,
            [this] { window_.recordingTime(QString::fromStdString(recorder_.updateTimer())); });
    stopWait_.setSingleShot(true);
    stopWait_.setInterval(stopWait);
    connect(&stopWait_, &QTimer::timeout, this, [this] {
        if (recorder_.state() == RecordState::Stopping) recorder_.framesStopped();
    });
}

RecordingCapture::~RecordingCapture() {
    recorder_.setListener(nullptr);
    recorder_.close();
}

void RecordingCapture::toggleRecording() {
    const RecordingTarget target{settings_.getStrDocumentsVideo(), window_.frameWidth(),
                                 window_.frameHeight()};
    switch (recorder_.onTakeVideoAction(window_.cameraActive(), target)) {
        case RecordPress::Started:
            sounds_->play(settings_.getAvStartRecVoice());
            clock_.start();
            window_.recordingStarted(recorder_.videoFileName());
            break;
        case RecordPress::Stopped:
            sounds_->play(settings_.getAvStopRecVoice());
            stopped();
            if (recorder_.state() == RecordState::Stopping) stopWait_.start();
            break;
        case RecordPress::Refused:
            window_.showFailure(QCoreApplication::translate("Recording", kRecordRefused));
            break;
        case RecordPress::Ignored:
        case RecordPress::Failed:  // failed() follows with the reason
            break;
    }
}

void RecordingCapture::finishRecording() {
    if (recorder_.framesStopped()) stopped();
}

void RecordingCapture::stopped() {
    clock_.stop();
    window_.recordingStopped();
}

// The window was told at the press.
void RecordingCapture::started(const std::string&) {}

void RecordingCapture::thumbnailWritten(const std::string& path) {
    window_.recordingThumbnailAdded(path);
}

// The recording is listed all the same, with a placeholder for its picture.
void RecordingCapture::thumbnailFailed(const std::string& path, const std::string& reason) {
    window_.recordingThumbnailAdded(path);
    window_.showFailure(QString::fromStdString(reason));
}

void RecordingCapture::finished(const std::string& path, uint64_t framesLeftOut) {
    window_.recordingFinished(path, framesLeftOut);
}

void RecordingCapture::failed(const std::string& reason) {
    if (recorder_.state() == RecordState::Idle) stopped();
    window_.recordingFailed(QString::fromStdString(reason));
}

}  // namespace lumetra
