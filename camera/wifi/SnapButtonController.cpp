#include "camera/wifi/SnapButtonController.h"

#include "camera/wifi/WiFiSettings.h"

namespace lumetra {

SnapButtonController::SnapButtonController(RQWebReader::Options options, SnapCounter& iSnapNumber)
    : iSnapNumber_(iSnapNumber), readerSnap_(std::move(options)) {
    readerSnap_.setDelegate(this);
}

void SnapButtonController::onSnapshotAction(uint8_t iCameraMode) {
    if (iCameraMode != static_cast<uint8_t>(CameraMode::WiFiWizard)) return;
    if (bEnableSnap_) {
        switchOff();
        return;
    }
    readerSnap_.initValue(iSnapNumber_.value());
    readerSnap_.startThread();
    bEnableSnap_ = true;
    if (listener_) listener_->showSnapButton(kSnapOnLook);
}

void SnapButtonController::didFinishReadingContent(bool grown, int64_t number) {
    if (!grown) {
        switchOff();
        return;
    }
    iSnapNumber_.set(number);
    if (listener_) listener_->takeSnapshot();
}

void SnapButtonController::switchOff() {
    readerSnap_.stopThread();
    bEnableSnap_ = false;
    if (listener_) listener_->showSnapButton(kSnapOffLook);
}

}  // namespace lumetra
