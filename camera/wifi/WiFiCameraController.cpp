#include "camera/wifi/WiFiCameraController.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/LineSearch.h"
#include "image/Translate.h"

namespace lumetra {
namespace {

// Commands are fire-and-forget, but one to a camera that went away must not hold the
// worker (and every later command) for long.
constexpr std::chrono::milliseconds kCommandTimeout = std::chrono::seconds(3);

int32_t sliderInteger(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int32_t>(std::clamp<double>(value, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

}  // namespace

WiFiCameraController::WiFiCameraController(Options options, SnapCounter& iSnapNumber)
    : host_(std::move(options.host)),
      post_(std::move(options.postToMain)),
      schedule_(std::move(options.scheduleAfter)),
      log_(std::move(options.log)),
      iSnapNumber_(iSnapNumber),
      connectWorker_("wifi-connect"),
      commandWorker_("wifi-control") {}

WiFiCameraController::~WiFiCameraController() { ending_ = true; }

std::function<void()> WiFiCameraController::guarded(std::function<void()> work) {
    return [alive = std::weak_ptr<bool>(alive_), work = std::move(work)] {
        if (alive.lock()) work();
    };
}

void WiFiCameraController::adjustBusy(int delta) {
    const bool was = busy();
    busyCount_ += delta;
    if (was != busy() && listener_) listener_->setBusy(busy());
}

void WiFiCameraController::onWiFiCamAction() {
    if (connecting_) return;
    connecting_ = true;
    adjustBusy(+1);
    connectWorker_.post([this, host = host_, previous = settings_, size = frameSize_] {
        std::optional<WiFiDevice> device = initWiFiDevice(host, log_, &ending_);
        WiFiSettings settings = previous;
        if (device)
            parseWiFiSettings(device->kind, device->strMediaContent,
                              device->width.value_or(size.width),
                              device->height.value_or(size.height), settings);
        post_(guarded([this, device = std::move(device), settings = std::move(settings)] {
            probed(device, settings);
        }));
    });
}

void WiFiCameraController::probed(std::optional<WiFiDevice> device, WiFiSettings settings) {
    connecting_ = false;
    adjustBusy(-1);
    if (!device) {
        if (listener_) listener_->showAlert(translate("WiFiCamera", kAlertNoWiFiCamera));
        return;
    }
    kind_ = device->kind;
    reopensLeft_ = 0;
    if (device->width) frameSize_.width = *device->width;
    if (device->height) frameSize_.height = *device->height;
    if (device->iSnapNumber) iSnapNumber_.set(*device->iSnapNumber);
    settings_ = std::move(settings);
    if (!listener_) return;
    listener_->cameraConnected(*kind_);
    listener_->setFrameSize(frameSize_);
    listener_->startVideoView();
    listener_->fillWiFiLists(wifiLists(*kind_, settings_));
    listener_->initSliderControl(true, settings_.controls);
}

void WiFiCameraController::handleVideoFormatPopBtn(std::string_view title) {
    if (!ready()) return;
    const std::optional<FrameSize> size = parseResolutionTitle(title);
    if (!size) return;
    if (listener_) listener_->stopVideoView();
    frameSize_ = *size;
    if (listener_) listener_->setFrameSize(frameSize_);
    settings_.iWiFiDefResIndex = resolutionIndexFor(*kind_, settings_.oMutResArray, *size);
    changeStarted(resolutionRequest(*kind_, settings_));
}

void WiFiCameraController::handleFpsPopBtn(std::string_view title) {
    if (!ready()) return;
    const int64_t fps = readNumber(title);
    if (fps < 0 || fps > std::numeric_limits<uint8_t>::max()) return;
    settings_.iWiFiDefFpsIndex = static_cast<uint8_t>(fps);
    if (listener_) listener_->stopVideoView();
    changeStarted(frameRateRequest(*kind_, settings_));
}

void WiFiCameraController::changeStarted(const CameraRequest& request) {
    send(request);
    adjustBusy(+1);
    reopensLeft_ = timing_.retryAttempts;
    schedule_(timing_.restartDelay.value_or(restartDelay(*kind_)),
              guarded([this] { delayedMethod(); }));
}

bool WiFiCameraController::reopenEndedStream() {
    if (!kind_ || reopensLeft_ <= 0) return false;
    --reopensLeft_;
    adjustBusy(+1);
    schedule_(timing_.retryInterval, guarded([this] { delayedMethod(); }));
    return true;
}

void WiFiCameraController::delayedMethod() {
    if (listener_) listener_->startVideoView();
    adjustBusy(-1);
}

void WiFiCameraController::onSliderAction(Adjustment adjustment, double value) {
    if (!ready()) return;
    ControlInfo& record = settings_.controls[adjustment];
    record.iValue = sliderInteger(value);
    setPropertyCommand(record.iId, record.iValue);
}

void WiFiCameraController::onDefaultAction() {
    if (!ready()) return;
    for (Adjustment adjustment : kAdjustments) {
        ControlInfo& record = settings_.controls[adjustment];
        record.iValue = record.iDef;
        setPropertyCommand(record.iId, record.iDef);
    }
    if (listener_) listener_->initSliderControl(false, settings_.controls);
}

void WiFiCameraController::setPropertyCommand(int32_t controlNumber, int32_t value) {
    if (!kind_) return;
    if (const auto request = propertyRequest(*kind_, settings_.controls, controlNumber, value))
        send(*request, "control " + std::to_string(controlNumber));
}

void WiFiCameraController::send(const CameraRequest& request, std::string key) {
    commandWorker_.post(std::move(key), [this, url = request.url(host_)] {
        CameraGet(url, kCommandTimeout).perform(&ending_);
    });
}

}  // namespace lumetra
