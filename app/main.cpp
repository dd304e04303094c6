// Lumetra: live measurement on USB and WiFi digital microscopes.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "app/AppDelegate.h"
#include "app/DemoCamera.h"
#include "app/LaunchOptions.h"
#include "app/RecordingCapture.h"
#include "app/SnapshotCapture.h"
#include "app/Theme.h"
#include "app/UsbCameraSide.h"
#include "app/ViewController.h"
#include "app/WiFiCameraSide.h"
#include "storage/RQGlobalVariables.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumetra"));

    lumetra::LaunchOptions options;
    if (!options.parse(QApplication::arguments())) {
        std::fprintf(stderr, "lumetra: %s\n", qPrintable(options.error()));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qPrintable(options.helpText()));
        return 0;
    }
    lumetra::applyTheme(app);
    lumetra::AppDelegate::install(app);

    // The demo camera outlives the WiFi side that talks to it.
    std::unique_ptr<lumetra::DemoCamera> demo;
    if (options.demo) {
        demo = std::make_unique<lumetra::DemoCamera>();
        std::string error;
        if (!demo->start(&error)) {
            std::fprintf(stderr, "lumetra: the demo camera cannot start: %s\n", error.c_str());
            return 1;
        }
    }

    lumetra::ViewController window(lumetra::RQGlobalVariables::shared());
    lumetra::SnapshotCapture capture(window, lumetra::RQGlobalVariables::shared());
    window.setSnapshotSide(&capture);
    lumetra::RecordingCapture recording(window, lumetra::RQGlobalVariables::shared());
    window.setRecordingSide(&recording);
    lumetra::UsbCameraSide usb(window, options.usbDevice.toStdString());
    lumetra::WiFiCameraSide wifi(window, options.cameraHost);
    if (demo) {
        wifi.setHost(demo->host());
        wifi.connectCamera();
    }
    window.show();

    if (!options.screenshot.isEmpty()) {
        const QString path = options.screenshot;
        QTimer::singleShot(800, &window, [&window, path] {
            const bool saved = window.grab().save(path);
            if (!saved) std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
