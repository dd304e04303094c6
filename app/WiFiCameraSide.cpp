#include "app/WiFiCameraSide.h"

#include <QMetaObject>

#include "app/ViewController.h"

namespace lumetra {

WiFiCameraSide::WiFiCameraSide(ViewController& window, CameraHost host)
    : window_(window),
      receiver_(
          std::move(host),
          [this](std::function<void()> work) {
              QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
          },
          iSnapNumber_) {
    receiver_.setListener(this);
    window_.setCameraSide(CameraKind::WiFi, this);
}

WiFiCameraSide::~WiFiCameraSide() {
    window_.setCameraSide(CameraKind::WiFi, nullptr);
    receiver_.setListener(nullptr);
    receiver_.stopVideoView();
}

void WiFiCameraSide::connectCamera() {
    if (!probe_) return;
    const std::optional<WiFiCamera> camera = probe_();
    if (!camera) return;
    window_.cameraConnected(
        camera->cameraMode, camera->width, camera->height,
        QStringLiteral("WiFi microscope at %1").arg(QString::fromStdString(camera->host.host)));
    iSnapNumber_.set(camera->photoCount);
    receiver_.setHost(camera->host);
    receiver_.startVideoView();
}

void WiFiCameraSide::frameReady(const Frame& frame, const FrameMarks& marks) {
    window_.onFrame(frame, marks);
}

// The camera's shutter button.
void WiFiCameraSide::snapshotRequested(int64_t) { window_.requestSnapshot(); }

}  // namespace lumetra
