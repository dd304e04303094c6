// Lumetra: live measurement on USB and WiFi digital microscopes.

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/AllocatorTuning.h"
#include "app/AppDelegate.h"
#include "app/DemoCamera.h"
#include "app/FindScaleCommand.h"
#include "app/LaunchOptions.h"
#include "app/PictureCameraSide.h"
#include "app/RecordingCapture.h"
#include "app/SnapshotCapture.h"
#include "app/Theme.h"
#include "app/TimeLapseCapture.h"
#include "app/Translations.h"
#include "app/UnattendedTimeLapse.h"
#include "app/UsbCameraSide.h"
#include "app/ViewController.h"
#include "app/WiFiCameraSide.h"
#include "app/panels/CaptureBar.h"
#include "image/Translate.h"
#include "storage/RQGlobalVariables.h"
#include "storage/Resources.h"

namespace {

// Reads the command line of the running application; an exit status when the program
// is done with it: the help or the version printed, a scale search answered, or a bad
// option.
std::optional<int> answerCommandLine(lumetra::LaunchOptions& options) {
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMETRA_VERSION));
    if (!options.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "lumetra: %s\n", qPrintable(options.error()));
        return 2;
    }
    if (options.help || options.version) {
        std::printf("%s", qPrintable(options.help ? options.helpText() : options.versionText()));
        return 0;
    }
    if (options.findScale) {
        const lumetra::CommandAnswer answer =
            lumetra::findScaleCommand(*options.findScale, options.findScalePicture);
        std::fputs(qPrintable(answer.out), stdout);
        std::fputs(qPrintable(answer.err.isEmpty() ? answer.err : "lumetra: " + answer.err),
                   stderr);
        return answer.status;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    lumetra::setTranslator([](const char* context, const char* text) {
        return QCoreApplication::translate(context, text).toStdString();
    });
    if (!lumetra::keepLargeBlocksMapped())
        std::fprintf(stderr, "lumetra: the allocator keeps its own large-block threshold\n");
    // The command line is read before the window system starts, so that the help, the
    // version and a wrong option are answered on a terminal without a display, in the
    // user's language as the window is.
    const lumetra::Translations translations(QLocale::system(), lumetra::translationFolder());
    std::optional<lumetra::LaunchOptions> launch;
    {
        QCoreApplication text(argc, argv);
        translations.install();
        launch.emplace();  // its help texts are translated when it is made
        if (const auto status = answerCommandLine(*launch)) return *status;
    }
    const lumetra::LaunchOptions& options = *launch;
    QApplication app(argc, argv);
    translations.install();
    // Ties the window to the installed desktop entry (its icon in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMETRA_APP_ID));
    if (const std::string dir = lumetra::resourceDirectory();
        !QFileInfo(QString::fromStdString(dir + "/sounds")).isDir())
        std::fprintf(stderr, "lumetra: %s\n",
                     qPrintable(QCoreApplication::translate(
                                    "main", "no resources in \"%1\": the sounds are off")
                                    .arg(QString::fromStdString(dir))));
    lumetra::applyTheme(app);
    lumetra::AppDelegate::install(app);

    // The demo camera outlives the WiFi side that talks to it.
    std::unique_ptr<lumetra::DemoCamera> demo;
    if (options.demo) {
        demo = std::make_unique<lumetra::DemoCamera>();
        std::string error;
        if (!demo->start(&error)) {
            std::fprintf(
                stderr, "lumetra: %s\n",
                qPrintable(QCoreApplication::translate("main", "the demo camera cannot start: %1")
                               .arg(QString::fromStdString(error))));
            return 1;
        }
    }

    // Without anyone at the window, its messages go to standard error.
    auto* unattended = options.quitWhenDone ? new lumetra::StderrAlerts : nullptr;
    lumetra::ViewController window(lumetra::RQGlobalVariables::shared(),
                                   std::unique_ptr<lumetra::AlertPresenter>(unattended));
    lumetra::SnapshotCapture capture(window.captureBar(), lumetra::RQGlobalVariables::shared());
    window.captureBar().setSnapshotSide(&capture);
    lumetra::RecordingCapture recording(window.captureBar(), lumetra::RQGlobalVariables::shared());
    window.captureBar().setRecordingSide(&recording);
    lumetra::UsbCameraSide usb(window, options.usbDevice.toStdString());
    lumetra::WiFiCameraSide wifi(window, options.cameraHost);
    lumetra::PictureCameraSide pictures(window);
    window.setPictureOpener([&pictures](const QString& path) { pictures.openPicture(path); });
    if (demo) {
        wifi.setHost(demo->host());
        wifi.connectCamera();
    }
    window.show();
    if (options.timeLapseSeconds > 0) {
        if (unattended) lumetra::quitWithTimeLapse(window.captureBar().timeLapse(), *unattended);
        lumetra::TimeLapseSettings timeLapse;
        timeLapse.plan.interval =
            std::chrono::milliseconds(std::llround(options.timeLapseSeconds * 1000.0));
        timeLapse.plan.count = options.timeLapseCount;
        // Started first, so that a camera that fails to connect ends it.
        window.captureBar().timeLapse().start(timeLapse);
        if (!demo && !options.usbDevice.isEmpty())
            usb.connectCamera();
        else if (!demo)
            wifi.connectCamera();
    }
    if (!options.picture.isEmpty()) window.openPicture(options.picture);

    if (!options.screenshot.isEmpty()) {
        const QString path = options.screenshot;
        QTimer::singleShot(800, &window, [&window, path] {
            const bool saved = window.grab().save(path);
            if (!saved)
                std::fprintf(
                    stderr, "%s\n",
                    qPrintable(QCoreApplication::translate("main", "Cannot write %1").arg(path)));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
