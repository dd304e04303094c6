#include "app/SnapshotCapture.h"

#include <QMetaObject>

#include "app/RQVideoView.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {

SnapshotCapture::SnapshotCapture(CaptureWindow& window, const RQGlobalVariables& settings,
                                 std::unique_ptr<SoundPlayer> sounds)
    : window_(window),
      settings_(settings),
      sounds_(sounds ? std::move(sounds) : std::make_unique<SoundEffectPlayer>()) {}

SnapshotCapture::~SnapshotCapture() = default;

void SnapshotCapture::saveImage(bool now) {
    if (!now) {
        QMetaObject::invokeMethod(
            this, [this] { saveImage(true); }, Qt::QueuedConnection);
        return;
    }
    window_.videoView().saveImage(window_.frameWidth(), window_.frameHeight());
}

void SnapshotCapture::snapshotWritten(const std::string& path) {
    sounds_->play(settings_.getAvCameraVoice());
    window_.pictureAdded(path);
}

}  // namespace lumetra
