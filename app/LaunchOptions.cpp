#include "app/LaunchOptions.h"

#include <QCoreApplication>
#include <stdexcept>

namespace lumetra {
namespace {

QCommandLineOption portOption(const char* name, const QString& description) {
    return QCommandLineOption(QString::fromLatin1(name), description,
                              QCoreApplication::translate("LaunchOptions", "port"));
}

// The options the toolkit reads itself when the window system starts; they are
// accepted here, hidden from the help, so that a command line carrying them is valid.
QList<QCommandLineOption> toolkitOptions() {
    QList<QCommandLineOption> options;
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"})
        options.append(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : {"reverse", "widgetcount"})
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    for (QCommandLineOption& option : options) option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

}  // namespace

LaunchOptions::LaunchOptions()
    : demo_(
          QStringLiteral("demo"),
          QCoreApplication::translate("LaunchOptions",
                                      "Start a simulated WiFi microscope on 127.0.0.1 and show its "
                                      "live picture.")),
      cameraHost_(
          QStringLiteral("camera-host"),
          QCoreApplication::translate("LaunchOptions",
                                      "Address of the WiFi microscope (default %1; the environment "
                                      "variable %2 sets it too).")
              .arg(QString::fromLatin1(CameraHost::kDefaultHost),
                   QString::fromLatin1(CameraHost::kEnvironmentVariable)),
          QCoreApplication::translate("LaunchOptions", "host")),
      usbDevice_(QStringLiteral("usb-device"),
                 QCoreApplication::translate(
                     "LaunchOptions",
                     "Video device the USB button opens, by node path (/dev/video2) "
                     "or part of its identifier (its USB vendor and product ids as "
                     "eight hex digits), for a microscope that is not recognised."),
                 QCoreApplication::translate("LaunchOptions", "device")),
      controlPort_(
          portOption("camera-control-port",
                     QCoreApplication::translate("LaunchOptions",
                                                 "The WiFi microscope's control port (default %1).")
                         .arg(CameraHost::kDefaultControlPort))),
      streamPort_(
          portOption("camera-stream-port",
                     QCoreApplication::translate(
                         "LaunchOptions", "The WiFi microscope's picture stream port (default %1).")
                         .arg(CameraHost::kDefaultStreamPort))),
      screenshot_(QStringLiteral("screenshot"),
                  QCoreApplication::translate("LaunchOptions",
                                              "Save a picture of the window to <file> and quit."),
                  QCoreApplication::translate("LaunchOptions", "file")),
      timeLapse_(QStringLiteral("time-lapse"),
                 QCoreApplication::translate(
                     "LaunchOptions",
                     "Take a snapshot every <seconds> (0.1 or more) into the current "
                     "album, each with its sidecar."),
                 QCoreApplication::translate("LaunchOptions", "seconds")),
      count_(
          QStringLiteral("count"),
          QCoreApplication::translate("LaunchOptions", "End the time-lapse after <n> snapshots."),
          QCoreApplication::translate("LaunchOptions", "n")),
      quitWhenDone_(
          QStringLiteral("quit-when-done"),
          QCoreApplication::translate("LaunchOptions",
                                      "Quit when the time-lapse is over: status 0 when every "
                                      "snapshot was taken, else 1 with the reason.")),
      findScale_(QStringLiteral("find-scale"),
                 QCoreApplication::translate(
                     "LaunchOptions",
                     "Find the period of a stage micrometer's ticks along the line "
                     "from X1,Y1 to X2,Y2 (pixels) of the JPEG or PNG picture given "
                     "after the option, print \"period_px=P sigma_px=S ticks=N\" and "
                     "quit, without a window."),
                 QStringLiteral("X1,Y1,X2,Y2")) {
    parser_.setApplicationDescription(
        QCoreApplication::translate("LaunchOptions", "Live measurement on digital microscopes"));
    // "-platform" is one option, as the toolkit reads it, not six single-letter ones.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addHelpOption();
    parser_.addVersionOption();
    parser_.addOptions({demo_, cameraHost_, controlPort_, streamPort_, usbDevice_, screenshot_,
                        timeLapse_, count_, quitWhenDone_, findScale_});
    parser_.addOptions(toolkitOptions());
    parser_.addPositionalArgument(
        QCoreApplication::translate("LaunchOptions", "picture"),
        QCoreApplication::translate(
            "LaunchOptions",
            "A picture file (JPEG, PNG, ...) to measure on instead of a camera (of "
            "several, the first), or the one --find-scale searches."),
        QCoreApplication::translate("LaunchOptions", "[picture...]"));
}

bool LaunchOptions::parse(const QStringList& arguments) {
    error_.clear();
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return false;
    }
    help = parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"));
    version = parser_.isSet(QStringLiteral("version"));
    demo = parser_.isSet(demo_);
    screenshot = parser_.value(screenshot_);
    usbDevice = parser_.value(usbDevice_);
    const QStringList pictures = parser_.positionalArguments();
    picture = pictures.isEmpty() ? QString() : pictures.constFirst();
    if (parser_.isSet(usbDevice_) && usbDevice.isEmpty()) {
        error_ = QCoreApplication::translate("LaunchOptions", "--usb-device: names no device");
        return false;
    }
    findScale.reset();
    findScalePicture.clear();
    if (parser_.isSet(findScale_)) {
        ScaleLine line;
        if (!parseScaleLine(parser_.value(findScale_), line)) {
            error_ = QCoreApplication::translate(
                         "LaunchOptions", "--find-scale: not four numbers X1,Y1,X2,Y2: \"%1\"")
                         .arg(parser_.value(findScale_));
            return false;
        }
        if (parser_.positionalArguments().size() != 1) {
            error_ = QCoreApplication::translate("LaunchOptions",
                                                 "--find-scale: needs one picture after the line");
            return false;
        }
        findScale = line;
        findScalePicture = parser_.positionalArguments().constFirst();
    }
    if (parser_.isSet(cameraHost_)) {
        const QString host = parser_.value(cameraHost_);
        if (!CameraHost::isValidHost(host.toStdString())) {
            error_ = QCoreApplication::translate(
                         "LaunchOptions", "--camera-host: not a host name or address: \"%1\"")
                         .arg(host);
            return false;
        }
        cameraHost = CameraHost{};
        cameraHost.host = host.toStdString();
    } else {
        try {
            cameraHost = CameraHost::fromEnvironment();
        } catch (const std::invalid_argument& e) {
            error_ = QString::fromStdString(e.what());
            return false;
        }
    }
    return readPort(controlPort_, cameraHost.controlPort) &&
           readPort(streamPort_, cameraHost.streamPort) && readTimeLapse();
}

QString LaunchOptions::versionText() const {
    return QStringLiteral("lumetra %1\n").arg(QStringLiteral(LUMETRA_VERSION));
}

bool LaunchOptions::readTimeLapse() {
    timeLapseSeconds = 0.0;
    timeLapseCount = 0;
    quitWhenDone = parser_.isSet(quitWhenDone_);
    if (!parser_.isSet(timeLapse_)) {
        if (parser_.isSet(count_) || quitWhenDone)
            error_ = QCoreApplication::translate(
                "LaunchOptions", "--count and --quit-when-done go with --time-lapse");
        return error_.isEmpty();
    }
    bool ok = false;
    const QString seconds = parser_.value(timeLapse_);
    timeLapseSeconds = seconds.toDouble(&ok);
    if (!ok || !(timeLapseSeconds >= 0.1 && timeLapseSeconds <= 1e6)) {
        error_ = QCoreApplication::translate(
                     "LaunchOptions", "--time-lapse: not a number of seconds from 0.1: \"%1\"")
                     .arg(seconds);
        return false;
    }
    if (parser_.isSet(count_)) {
        const QString count = parser_.value(count_);
        timeLapseCount = count.toInt(&ok);
        if (!ok || timeLapseCount < 1) {
            error_ = QCoreApplication::translate(
                         "LaunchOptions", "--count: not a number of snapshots from 1: \"%1\"")
                         .arg(count);
            return false;
        }
    } else if (quitWhenDone) {
        error_ = QCoreApplication::translate("LaunchOptions", "--quit-when-done needs --count");
        return false;
    }
    if (!demo && !parser_.isSet(cameraHost_) && usbDevice.isEmpty()) {
        error_ = QCoreApplication::translate(
            "LaunchOptions", "--time-lapse needs a camera: --demo, --camera-host or --usb-device");
        return false;
    }
    return true;
}

bool LaunchOptions::readPort(const QCommandLineOption& option, uint16_t& port) {
    if (!parser_.isSet(option)) return true;
    const QString text = parser_.value(option);
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value == 0 || value > UINT16_MAX) {
        error_ =
            QCoreApplication::translate("LaunchOptions", "--%1: not a port from 1 to 65535: \"%2\"")
                .arg(option.names().constFirst(), text);
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

}  // namespace lumetra
