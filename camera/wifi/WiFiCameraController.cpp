#include "camera/wifi/WiFiCameraController.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string_view>
#include <vector>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/CommandAnswer.h"
#include "camera/wifi/LineSearch.h"
#include "image/Translate.h"

namespace lumetra {
namespace {

// One command to a camera that went away must not hold the worker (and every later
// command) for long.
constexpr std::chrono::milliseconds kCommandTimeout = std::chrono::seconds(3);

// What a failed task threw, for the user and the log.
std::string describe(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return translate("WiFiCamera", "an unknown error");
    }
}

int position(const std::vector<std::string>& items, std::string_view item) {
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

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
    connectWorker_.post(
        [this, host = host_, previous = settings_, size = frameSize_] {
            std::optional<WiFiDevice> device = initWiFiDevice(host, log_, &ending_);
            WiFiSettings settings = previous;
            if (device)
                parseWiFiSettings(device->kind, device->strMediaContent,
                                  device->width.value_or(size.width),
                                  device->height.value_or(size.height), settings);
            post_(guarded([this, device = std::move(device), settings = std::move(settings)] {
                probed(device, settings);
            }));
        },
        [this](std::exception_ptr error) {
            // Told before it is logged: the log may be what failed.
            const std::string what = describe(error);
            post_(guarded([this, what] {
                connectFailed(fillIn(translate("WiFiCamera", kAlertConnectFailed), {what}));
            }));
            log_("Error: " + what);
        });
}

void WiFiCameraController::connectFailed(const std::string& alert) {
    connecting_ = false;
    adjustBusy(-1);
    if (listener_) listener_->showAlert(alert);
}

void WiFiCameraController::probed(std::optional<WiFiDevice> device, WiFiSettings settings) {
    if (!device) return connectFailed(translate("WiFiCamera", kAlertNoWiFiCamera));
    connecting_ = false;
    adjustBusy(-1);
    kind_ = device->kind;
    reopensLeft_ = 0;
    if (device->width) frameSize_.width = *device->width;
    if (device->height) frameSize_.height = *device->height;
    if (device->iSnapNumber) iSnapNumber_.set(*device->iSnapNumber);
    settings_ = std::move(settings);
    taken_ = settings_;
    takenSize_ = frameSize_;
    takenLists_ = wifiLists(*kind_, settings_);
    if (!listener_) return;
    listener_->cameraConnected(*kind_);
    listener_->setFrameSize(frameSize_);
    listener_->startVideoView();
    listener_->fillWiFiLists(takenLists_);
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
    changeStarted(resolutionRequest(*kind_, settings_),
                  Sent{.setting = Setting::Resolution,
                       .value = settings_.iWiFiDefResIndex,
                       .size = *size,
                       .listPosition = position(takenLists_.resolutions, title)});
}

void WiFiCameraController::handleFpsPopBtn(std::string_view title) {
    if (!ready()) return;
    const int64_t fps = readNumber(title);
    if (fps < 0 || fps > std::numeric_limits<uint8_t>::max()) return;
    settings_.iWiFiDefFpsIndex = static_cast<uint8_t>(fps);
    if (listener_) listener_->stopVideoView();
    changeStarted(frameRateRequest(*kind_, settings_),
                  Sent{.setting = Setting::FrameRate,
                       .value = settings_.iWiFiDefFpsIndex,
                       .size = {},
                       .listPosition = position(takenLists_.frameRates, title)});
}

void WiFiCameraController::changeStarted(const CameraRequest& request, Sent sent) {
    send(request, {}, sent);
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
    const auto request = propertyRequest(*kind_, settings_.controls, controlNumber, value);
    if (!request) return;
    std::optional<Sent> sent;
    for (Adjustment adjustment : kAdjustments)
        if (settings_.controls[adjustment].iId == controlNumber)
            sent = Sent{.setting = Setting::Control,
                        .adjustment = adjustment,
                        .value = settings_.controls[adjustment].iValue,
                        .size = {}};
    send(*request, "control " + std::to_string(controlNumber), sent);
}

size_t WiFiCameraController::slot(const Sent& sent) {
    if (sent.setting != Setting::Control) return static_cast<size_t>(sent.setting);
    return 2 + static_cast<size_t>(sent.adjustment);
}

void WiFiCameraController::send(const CameraRequest& request, std::string key,
                                std::optional<Sent> sent) {
    if (sent) sent->generation = ++newestSent_[slot(*sent)];
    auto report = [this, sent](const CommandVerdict& verdict) {
        post_(guarded([this, sent, verdict] { answered(sent, verdict); }));
        if (verdict.outcome != CommandVerdict::Outcome::Taken) log_("Error: " + verdict.reason);
    };
    commandWorker_.post(
        std::move(key),
        [this, report, request, url = request.url(host_)] {
            report(commandVerdict(request, CameraGet(url, kCommandTimeout).perform(&ending_)));
        },
        [report](std::exception_ptr error) {
            report({CommandVerdict::Outcome::Refused, describe(error)});
        });
}

void WiFiCameraController::answered(const std::optional<Sent>& sent,
                                    const CommandVerdict& verdict) {
    using enum CommandVerdict::Outcome;
    if (verdict.outcome == Taken) {
        if (!sent) return;
        switch (sent->setting) {
            case Setting::Resolution:
                taken_.iWiFiDefResIndex = static_cast<uint8_t>(sent->value);
                takenSize_ = sent->size;
                takenLists_.resolutionSelection = sent->listPosition;
                break;
            case Setting::FrameRate:
                taken_.iWiFiDefFpsIndex = static_cast<uint8_t>(sent->value);
                takenLists_.frameRateSelection = sent->listPosition;
                break;
            case Setting::Control:
                taken_.controls[sent->adjustment].iValue = sent->value;
                break;
        }
        return;
    }
    // A newer change of the same setting is on its way: its answer decides.
    if (sent && sent->generation != newestSent_[slot(*sent)]) return;
    if (verdict.outcome == Unanswered) {
        if (listener_) listener_->showAlert(translate("WiFiCamera", kAlertChangeUnanswered));
        return;
    }
    if (sent) putBack(*sent);
    if (listener_) listener_->showAlert(translate("WiFiCamera", kAlertChangeRefused));
}

void WiFiCameraController::putBack(const Sent& sent) {
    switch (sent.setting) {
        case Setting::Resolution:
            settings_.iWiFiDefResIndex = taken_.iWiFiDefResIndex;
            frameSize_ = takenSize_;
            if (listener_) listener_->setFrameSize(frameSize_);
            if (listener_) listener_->fillWiFiLists(takenLists_);
            break;
        case Setting::FrameRate:
            settings_.iWiFiDefFpsIndex = taken_.iWiFiDefFpsIndex;
            if (listener_) listener_->fillWiFiLists(takenLists_);
            break;
        case Setting::Control:
            settings_.controls[sent.adjustment].iValue = taken_.controls[sent.adjustment].iValue;
            if (listener_) listener_->initSliderControl(false, settings_.controls);
            break;
    }
}

}  // namespace lumetra
