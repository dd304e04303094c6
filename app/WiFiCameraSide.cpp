#include "app/WiFiCameraSide.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>

#include "camera/LiveFrameLimit.h"

namespace lumetra {
namespace {

CameraList cameraList(const std::vector<std::string>& items, int selected) {
    CameraList list;
    for (const std::string& item : items) list.items.append(QString::fromStdString(item));
    list.selected = selected;
    return list;
}

const std::string* itemAt(const std::vector<std::string>& items, int index) {
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<size_t>(index)];
}

}  // namespace

WiFiCameraSide::WiFiCameraSide(CameraWindow& window, const CameraHost& host)
    : window_(window),
      hostName_(host.host),
      receiver_(
          host, [this](std::function<void()> work) { post(std::move(work)); }, iSnapNumber_),
      controller_({.host = host,
                   .postToMain = [this](std::function<void()> work) { post(std::move(work)); },
                   .scheduleAfter =
                       [this](std::chrono::milliseconds delay, std::function<void()> work) {
                           QTimer::singleShot(delay, this, std::move(work));
                       }},
                  iSnapNumber_),
      snap_({.host = host,
             .postToMain = [this](std::function<void()> work) { post(std::move(work)); }},
            iSnapNumber_) {
    receiver_.setListener(this);
    controller_.setListener(this);
    snap_.setListener(this);
    window_.setCameraSide(CameraKind::WiFi, this);
}

WiFiCameraSide::~WiFiCameraSide() {
    window_.setCameraSide(CameraKind::WiFi, nullptr);
    snap_.setListener(nullptr);
    controller_.setListener(nullptr);
    receiver_.setListener(nullptr);
    receiver_.stopVideoView();
}

// Safe from any thread: the call runs on the main thread, unless this side is gone.
void WiFiCameraSide::post(std::function<void()> work) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void WiFiCameraSide::setHost(const CameraHost& host) {
    hostName_ = host.host;
    receiver_.setHost(host);
    controller_.setHost(host);
    snap_.setHost(host);
}

void WiFiCameraSide::setRestartTiming(const StreamRestartTiming& timing) {
    controller_.setRestartTiming(timing);
}

void WiFiCameraSide::connectCamera() { controller_.onWiFiCamAction(); }

void WiFiCameraSide::chooseFormat(int index) {
    if (const std::string* title = itemAt(lists_.resolutions, index))
        controller_.handleVideoFormatPopBtn(*title);
}

void WiFiCameraSide::chooseFrameRate(int index) {
    if (const std::string* title = itemAt(lists_.frameRates, index))
        controller_.handleFpsPopBtn(*title);
}

void WiFiCameraSide::adjust(Adjustment adjustment, int value) {
    if (isWiFi(window_.cameraMode())) controller_.onSliderAction(adjustment, value);
}

void WiFiCameraSide::resetAdjustments() { controller_.onDefaultAction(); }

void WiFiCameraSide::toggleShutterButton() {
    snap_.onSnapshotAction(static_cast<uint8_t>(window_.cameraMode()));
}

void WiFiCameraSide::stopCamera() {
    kind_.reset();
    announcing_ = false;
    receiver_.stopVideoView();
    switchPollerOff();
    window_.showShutterButton(false, {}, {});
}

// The poller's own switch is the only way off; with it on, the wizard camera's
// toggle turns it off.
void WiFiCameraSide::switchPollerOff() {
    if (snap_.bEnableSnap()) snap_.onSnapshotAction(static_cast<uint8_t>(CameraMode::WiFiWizard));
}

void WiFiCameraSide::frameReady(const Frame& frame, const FrameMarks& marks) {
    controller_.streamDelivered();
    window_.onFrame(frame, marks);
}

// The CGI camera's shutter button, reported in its stream.
void WiFiCameraSide::snapshotRequested(int64_t) { window_.requestSnapshot(); }

// A stream that ends while the camera restarts after a change opens again a few times;
// otherwise, or when it stays down, the camera is lost until the WiFi button connects
// again.
void WiFiCameraSide::streamEnded() {
    if (!kind_ || controller_.reopenEndedStream()) return;
    stopCamera();
    window_.cameraLost(QCoreApplication::translate("WiFiCamera", kAlertStreamStopped));
}

void WiFiCameraSide::showAlert(std::string_view text) {
    window_.showFailure(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string WiFiCameraSide::profileKey() const {
    if (!kind_) return {};
    return (*kind_ == CameraMode::WiFiWizard ? "wifi-wizard@" : "wifi-cgi@") + hostName_;
}

void WiFiCameraSide::setBusy(bool busy) { window_.setBusy(busy); }

void WiFiCameraSide::cameraConnected(CameraMode kind) {
    kind_ = kind;
    announcing_ = true;
    largestSize_ = {};
    // Only the wizard camera needs the poller; the CGI camera reports presses in its stream.
    if (kind != CameraMode::WiFiWizard) switchPollerOff();
    const SnapButtonLook& look = snap_.bEnableSnap() ? kSnapOnLook : kSnapOffLook;
    window_.showShutterButton(kind == CameraMode::WiFiWizard, QString::fromLatin1(look.image),
                              QCoreApplication::translate("SnapButton", look.toolTip));
}

// At a connect the window learns the camera with its frame size; after a resolution
// change the restarted stream's pictures carry the new size to the window.
void WiFiCameraSide::setFrameSize(FrameSize size) {
    allowPictureSize(size);
    if (!announcing_ || !kind_) return;
    announcing_ = false;
    window_.cameraConnected(*kind_, size.width, size.height,
                            tr("WiFi microscope at %1").arg(QString::fromStdString(hostName_)));
}

// The stream's pictures may be as large as the largest size the camera announced (its
// size at the connect, the sizes it offers, the one chosen); a larger picture is broken.
void WiFiCameraSide::allowPictureSize(FrameSize size) {
    largestSize_.width = std::max(largestSize_.width, size.width);
    largestSize_.height = std::max(largestSize_.height, size.height);
    receiver_.setPictureLimit(liveFrameLimit(largestSize_.width, largestSize_.height));
}

void WiFiCameraSide::startVideoView() {
    if (kind_) receiver_.startVideoView();
}

void WiFiCameraSide::stopVideoView() { receiver_.stopVideoView(); }

void WiFiCameraSide::fillWiFiLists(const WiFiLists& lists) {
    lists_ = lists;
    for (const std::string& title : lists_.resolutions)
        if (const auto size = parseResolutionTitle(title)) allowPictureSize(*size);
    window_.showCameraLists(CameraKind::WiFi, {},
                            cameraList(lists_.resolutions, lists_.resolutionSelection),
                            cameraList(lists_.frameRates, lists_.frameRateSelection));
}

void WiFiCameraSide::initSliderControl(bool setRanges, const WiFiControls& controls) {
    for (Adjustment adjustment : kAdjustments) {
        const ControlInfo& record = controls[adjustment];
        SliderSetting& slider = sliders_[static_cast<size_t>(adjustment)];
        if (setRanges) {
            slider.minimum = record.iMin;
            slider.maximum = record.iMax;
        }
        slider.value = record.iValue;
    }
    window_.showAdjustments(sliders_);
}

void WiFiCameraSide::showSnapButton(const SnapButtonLook& look) {
    window_.showShutterButton(kind_ == CameraMode::WiFiWizard, QString::fromLatin1(look.image),
                              QCoreApplication::translate("SnapButton", look.toolTip));
}

// The wizard camera's shutter button, found by the poller.
void WiFiCameraSide::takeSnapshot() { window_.requestSnapshot(); }

}  // namespace lumetra
