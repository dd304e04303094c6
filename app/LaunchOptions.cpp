#include "app/LaunchOptions.h"

#include <stdexcept>

namespace lumetra {

LaunchOptions::LaunchOptions()
    : demo_(QStringLiteral("demo"),
            QStringLiteral("Start a simulated WiFi microscope on 127.0.0.1 and show its "
                           "live picture.")),
      cameraHost_(QStringLiteral("camera-host"),
                  QStringLiteral("Address of the WiFi microscope (default %1; the environment "
                                 "variable %2 sets it too).")
                      .arg(QString::fromLatin1(CameraHost::kDefaultHost),
                           QString::fromLatin1(CameraHost::kEnvironmentVariable)),
                  QStringLiteral("host")),
      usbDevice_(QStringLiteral("usb-device"),
                 QStringLiteral("Video device the USB button opens, by node path (/dev/video2) "
                                "or part of its identifier (its USB vendor and product ids as "
                                "eight hex digits), for a microscope that is not recognised."),
                 QStringLiteral("device")),
      screenshot_(QStringLiteral("screenshot"),
                  QStringLiteral("Save a picture of the window to <file> and quit."),
                  QStringLiteral("file")) {
    parser_.setApplicationDescription(QStringLiteral("Live measurement on digital microscopes"));
    parser_.addHelpOption();
    parser_.addOptions({demo_, cameraHost_, usbDevice_, screenshot_});
}

bool LaunchOptions::parse(const QStringList& arguments) {
    error_.clear();
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return false;
    }
    help = parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"));
    demo = parser_.isSet(demo_);
    screenshot = parser_.value(screenshot_);
    usbDevice = parser_.value(usbDevice_);
    if (parser_.isSet(usbDevice_) && usbDevice.isEmpty()) {
        error_ = QStringLiteral("--usb-device: names no device");
        return false;
    }
    if (parser_.isSet(cameraHost_)) {
        const QString host = parser_.value(cameraHost_);
        if (!CameraHost::isValidHost(host.toStdString())) {
            error_ = QStringLiteral("--camera-host: not a host name or address: \"%1\"").arg(host);
            return false;
        }
        cameraHost = CameraHost{};
        cameraHost.host = host.toStdString();
        return true;
    }
    try {
        cameraHost = CameraHost::fromEnvironment();
    } catch (const std::invalid_argument& e) {
        error_ = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

}  // namespace lumetra
