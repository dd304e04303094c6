#include "app/WiFiCameraSide.h"

#include <QLabel>
#include <QMetaObject>

#include "app/SnapshotCapture.h"
#include "app/ViewController.h"

namespace lumetra {

WiFiCameraSide::WiFiCameraSide(ViewController& window, SnapshotCapture& snapshots, CameraHost host)
    : window_(window),
      snapshots_(snapshots),
      receiver_(
          std::move(host),
          [this](std::function<void()> work) {
              QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
          },
          iSnapNumber_) {
    receiver_.setListener(this);
    window_.setCameraSide(this);
}

WiFiCameraSide::~WiFiCameraSide() {
    window_.setCameraSide(nullptr);
    receiver_.setListener(nullptr);
    receiver_.stopVideoView();
}

void WiFiCameraSide::connectWiFiCamera() {
    if (!probe_) return;
    const std::optional<WiFiCamera> camera = probe_();
    if (!camera) return;
    window_.iCameraMode = camera->cameraMode;
    window_.iNewVideoWidth = camera->width;
    window_.iNewVideoHeight = camera->height;
    iSnapNumber_.set(camera->photoCount);
    receiver_.setHost(camera->host);
    receiver_.startVideoView();
    window_.ui().cameraStatus->setText(
        QStringLiteral("WiFi microscope at %1").arg(QString::fromStdString(camera->host.host)));
}

void WiFiCameraSide::frameReady(const Frame& frame, const FrameMarks& marks) {
    window_.onFrame(frame, marks);
}

// The camera's shutter button: the snapshot side's queued snapshot.
void WiFiCameraSide::snapshotRequested(int64_t) { snapshots_.saveImage(false); }

}  // namespace lumetra
