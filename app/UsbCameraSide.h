#pragma once
// The window's USB camera side: it owns the V4L2 capture (UsbCamera) and the
// picture adjustments applied to its frames. The USB button opens the first
// microscope attached (or a device named on the command line, or, when no
// microscope is found, another capture device the user picks); the three USB lists
// choose the device, its format and its frame rate; the six sliders adjust the
// picture on the capture thread. Frames go to the window's display rule at the
// format's own size. Opening a device while a WiFi camera streams switches to it:
// the window stops the WiFi camera once the device is open.
//
// Frames and capture failures come to the main thread through the Qt event loop,
// queued on this object: calls still queued when it is destroyed are dropped.
// Create it after the window, destroy it before.

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/WindowSides.h"
#include "camera/adjust/AdjustmentSettings.h"
#include "camera/usb/UsbCamera.h"
#include "camera/usb/V4l2Io.h"

namespace lumetra {

class UsbCameraSide : public QObject, public CameraSide, public UsbCameraListener {
    Q_OBJECT
public:
    // Offers the capture devices when no microscope was found: the message to show
    // and the device titles; the index of the one to open, nullopt to open none.
    using DeviceChooser =
        std::function<std::optional<int>(const QString& message, const QStringList& devices)>;

    // The real kernel and /dev, /sys. explicitDevice (a node path or part of a device
    // identifier; empty: none) is opened by the USB button instead of a microscope.
    // Registers itself as the window's USB camera side until it is destroyed.
    explicit UsbCameraSide(CameraWindow& window, std::string explicitDevice = {});
    // Capture through io on the device tree dirs (tests use a fake kernel).
    UsbCameraSide(CameraWindow& window, V4l2Io& io, DeviceDirs dirs,
                  std::string explicitDevice = {});
    ~UsbCameraSide() override;

    // Replaces the list dialog that offers other capture devices.
    void setDeviceChooser(DeviceChooser chooser) { chooser_ = std::move(chooser); }

    void connectCamera() override;
    void refreshDevices() override;
    void chooseDevice(int index) override;
    void chooseFormat(int index) override;
    void chooseFrameRate(int index) override;
    void adjust(Adjustment which, int value) override;
    void resetAdjustments() override;
    void stopCamera() override { camera_.stop(); }
    void showPictureAt(int width, int height) override { camera_.setShownSize(width, height); }
    std::string profileKey() const override;

    const UsbCamera& camera() const { return camera_; }
    const AdjustmentSettings& adjustments() const { return adjustments_; }

private:
    // io null: the real kernel.
    UsbCameraSide(CameraWindow& window, V4l2Io* io, DeviceDirs dirs, std::string explicitDevice);

    void frameReady(const Frame& frame, const FrameMarks& marks) override;
    void captureStopped(const UsbOutcome& outcome) override;

    // Opens devices[index] of the camera's list and makes it the active camera.
    void open(size_t index);
    // After a format or frame-rate choice.
    void settingChanged(const UsbOutcome& outcome);
    void showLists();
    void showSliders();

    CameraWindow& window_;
    std::string explicitDevice_;
    DeviceChooser chooser_;
    AdjustmentSettings adjustments_;
    KernelV4l2Io kernel_;
    UsbCamera camera_;  // after the kernel it may use
};

}  // namespace lumetra
