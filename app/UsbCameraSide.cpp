#include "app/UsbCameraSide.h"

#include <QApplication>
#include <QInputDialog>
#include <QMetaObject>
#include <algorithm>
#include <filesystem>

#include "camera/adjust/AdjustmentSlider.h"
#include "camera/usb/UsbConnectRule.h"

namespace lumetra {
namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The device list is narrow: a device shows its name, and its node's name only when
// another attached device has the same name (two cameras of one model).
QStringList listTitles(const std::vector<VideoDevice>& devices) {
    QStringList titles;
    for (const VideoDevice& d : devices) {
        const auto same = std::count_if(devices.begin(), devices.end(), [&](const VideoDevice& o) {
            return o.localizedName == d.localizedName;
        });
        titles << (same > 1 ? QStringLiteral("%1 (%2)").arg(
                                  qText(d.localizedName),
                                  qText(std::filesystem::path(d.path).filename().string()))
                            : qText(d.localizedName));
    }
    return titles;
}

// Offered in a dialog with room for the whole node path, which --usb-device takes.
QString offerTitle(const VideoDevice& device) {
    return QStringLiteral("%1 (%2)").arg(qText(device.localizedName), qText(device.path));
}

}  // namespace

UsbCameraSide::UsbCameraSide(CameraWindow& window, std::string explicitDevice)
    : UsbCameraSide(window, nullptr, DeviceDirs{}, std::move(explicitDevice)) {}

UsbCameraSide::UsbCameraSide(CameraWindow& window, V4l2Io& io, DeviceDirs dirs,
                             std::string explicitDevice)
    : UsbCameraSide(window, &io, std::move(dirs), std::move(explicitDevice)) {}

UsbCameraSide::UsbCameraSide(CameraWindow& window, V4l2Io* io, DeviceDirs dirs,
                             std::string explicitDevice)
    : window_(window),
      explicitDevice_(std::move(explicitDevice)),
      camera_(io ? *io : kernel_, std::move(dirs), [this](std::function<void()> work) {
          QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
      }) {
    chooser_ = [this](const QString& message, const QStringList& devices) -> std::optional<int> {
        bool ok = false;
        const QString item = QInputDialog::getItem(
            QApplication::activeWindow(),
            QCoreApplication::translate("lumetra::UsbCameraSide", "USB microscope"), message,
            devices, 0, false, &ok);
        if (!ok) return std::nullopt;
        return static_cast<int>(devices.indexOf(item));
    };
    camera_.setListener(this);
    window_.setCameraSide(CameraKind::Usb, this);
}

UsbCameraSide::~UsbCameraSide() {
    window_.setCameraSide(CameraKind::Usb, nullptr);
    camera_.setListener(nullptr);
    camera_.stop();
}

// The USB button.
void UsbCameraSide::connectCamera() {
    const std::vector<VideoDevice>& devices = camera_.refreshDevices();
    const UsbConnectDecision decision = decideUsbConnect(devices, explicitDevice_);
    if (decision.open) {
        open(*decision.open);
        return;
    }
    if (decision.others.empty()) {
        window_.showFailure(qText(decision.alert));
        return;
    }
    // No microscope recognised, but other capture devices are attached: offer them.
    QString message = qText(decision.alert) + QStringLiteral("\n\n");
    if (!explicitDevice_.empty())
        message += tr("No video device matches \"%1\". ").arg(qText(explicitDevice_));
    message += tr("Use one of these video devices instead?");
    QStringList titles;
    for (const size_t i : decision.others) titles << offerTitle(devices[i]);
    const std::optional<int> choice = chooser_(message, titles);
    if (choice && *choice >= 0 && static_cast<size_t>(*choice) < decision.others.size())
        open(decision.others[static_cast<size_t>(*choice)]);
}

// The device list is about to open: a microscope plugged in since shows up.
void UsbCameraSide::refreshDevices() {
    camera_.refreshDevices();
    showLists();
}

void UsbCameraSide::chooseDevice(int index) {
    if (index >= 0 && static_cast<size_t>(index) < camera_.videoDevices().size())
        open(static_cast<size_t>(index));
}

// The new format's frames carry their own size; the window lays the view out
// again when the first of them arrives.
void UsbCameraSide::chooseFormat(int index) {
    if (index < 0) return;
    settingChanged(camera_.setVideoDeviceFormat(static_cast<size_t>(index)));
}

void UsbCameraSide::chooseFrameRate(int index) {
    const VideoFormat* format = camera_.videoDeviceFormat();
    if (!format || index < 0 || static_cast<size_t>(index) >= format->frameRateRanges.size())
        return;
    const FrameRateRange range = format->frameRateRanges[static_cast<size_t>(index)];
    settingChanged(camera_.setFrameRateRange(range));
}

// A format or rate that fails goes back to the previous one; when even that does not
// stream again, the camera has stopped.
void UsbCameraSide::settingChanged(const UsbOutcome& outcome) {
    showLists();
    if (outcome.ok()) return;
    if (!camera_.running()) window_.cameraStopped();
    window_.showFailure(qText(outcome.message));
}

void UsbCameraSide::adjust(Adjustment which, int value) {
    adjustments_.set(which, sliderToAdjustment(which, value));
    camera_.setAdjustments(adjustments_);
}

void UsbCameraSide::resetAdjustments() {
    adjustments_.reset();
    camera_.setAdjustments(adjustments_);
    showSliders();
}

std::string UsbCameraSide::profileKey() const {
    const auto& device = camera_.selectedVideoDevice();
    return device ? "usb:" + device->uniqueID : std::string();
}

void UsbCameraSide::frameReady(const Frame& frame, const FrameMarks& marks) {
    window_.onFrame(frame, marks);
}

// The device went away or failed mid-stream. The view keeps the last picture; the
// window stays in USB mode, so the USB button or the device list connects again.
void UsbCameraSide::captureStopped(const UsbOutcome& outcome) {
    window_.cameraStopped();
    showLists();
    window_.showFailure(qText(outcome.message));
}

void UsbCameraSide::open(size_t index) {
    const UsbOutcome outcome = camera_.setSelectedVideoDevice(index);
    if (outcome.ok()) {
        window_.cameraConnected(
            CameraMode::Usb, camera_.videoWidth(), camera_.videoHeight(),
            tr("USB microscope: %1").arg(qText(camera_.selectedVideoDevice()->localizedName)));
    } else if (window_.cameraMode() == CameraMode::Usb) {
        window_.cameraStopped();  // the device streaming before was closed
    }
    // After a failure the lists show no device selected, so another can be chosen.
    showLists();
    showSliders();
    if (!outcome.ok()) window_.showFailure(qText(outcome.message));
}

void UsbCameraSide::showLists() {
    const std::vector<VideoDevice>& attached = camera_.videoDevices();
    CameraList devices{listTitles(attached)};
    if (const auto& selected = camera_.selectedVideoDevice()) {
        for (size_t i = 0; i < attached.size(); ++i)
            if (attached[i].path == selected->path) devices.selected = static_cast<int>(i);
    }
    CameraList formats;
    for (const VideoFormat& f : camera_.formats()) formats.items << qText(localizedName(f));
    CameraList rates;
    if (const VideoFormat* active = camera_.videoDeviceFormat()) {
        formats.selected = static_cast<int>(active - camera_.formats().data());
        const std::optional<FrameRateRange> current = camera_.frameRateRange();
        for (size_t i = 0; i < active->frameRateRanges.size(); ++i) {
            rates.items << qText(localizedName(active->frameRateRanges[i]));
            if (current && active->frameRateRanges[i] == *current)
                rates.selected = static_cast<int>(i);
        }
    }
    window_.showCameraLists(CameraKind::Usb, devices, formats, rates);
}

void UsbCameraSide::showSliders() {
    std::array<SliderSetting, 6> sliders;
    for (size_t i = 0; i < sliders.size(); ++i) {
        const auto which = static_cast<Adjustment>(i);
        sliders[i] = {0, kAdjustmentSliderSteps,
                      adjustmentToSlider(which, adjustments_.value(which))};
    }
    window_.showAdjustments(sliders);
}

}  // namespace lumetra
