#include "app/RecordingCapture.h"

#include <QMetaObject>

#include "storage/RQGlobalVariables.h"

namespace lumetra {

RecordingCapture::RecordingCapture(SideWindow& window, const RQGlobalVariables& settings,
                                   std::unique_ptr<SoundPlayer> sounds)
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
}

RecordingCapture::~RecordingCapture() {
    recorder_.setListener(nullptr);
    recorder_.close();
}

void RecordingCapture::toggleRecording() {
    const RecordingTarget target{settings_.getStrDocumentsVideo(), window_.frameWidth(),
                                 window_.frameHeight()};
    switch (recorder_.onTakeVideoAction(window_.cameraMode() != CameraMode::None, target)) {
        case RecordPress::Started:
            sounds_->play(settings_.getAvStartRecVoice());
            clock_.start();
            window_.recordingStarted(recorder_.videoFileName());
            break;
        case RecordPress::Stopped:
            sounds_->play(settings_.getAvStopRecVoice());
            stopped();
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

void RecordingCapture::finished(const std::string& path) { window_.recordingFinished(path); }

void RecordingCapture::failed(const std::string& reason) {
    if (recorder_.state() == RecordState::Idle) stopped();
    window_.recordingFailed(QString::fromStdString(reason));
}

}  // namespace lumetra
