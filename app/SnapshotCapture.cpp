#include "app/SnapshotCapture.h"

#include <QMetaObject>

#include "app/RQVideoView.h"
#include "app/ViewController.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {

SnapshotCapture::SnapshotCapture(ViewController& window, const RQGlobalVariables& settings,
                                 std::unique_ptr<SoundPlayer> sounds)
    : window_(window),
      settings_(settings),
      sounds_(sounds ? std::move(sounds) : std::make_unique<SoundEffectPlayer>()) {}

SnapshotCapture::~SnapshotCapture() = default;

void SnapshotCapture::takePicture() { saveImage(true); }

void SnapshotCapture::saveImage(bool now) {
    if (!now) {
        QMetaObject::invokeMethod(
            this, [this] { saveImage(true); }, Qt::QueuedConnection);
        return;
    }
    window_.ui().VideoView->saveImage(window_.iNewVideoWidth, window_.iNewVideoHeight);
}

void SnapshotCapture::snapshotWritten(const std::string& path) {
    sounds_->play(settings_.getAvCameraVoice());
    window_.addCollectionItem(0, path);
}

// Recording is not built yet.
void SnapshotCapture::toggleRecording() {}
void SnapshotCapture::recordingVideo(const Frame&) {}

}  // namespace lumetra
