#pragma once
// The application's command line: --demo, --camera-host HOST, --camera-control-port
// PORT, --camera-stream-port PORT, --usb-device DEVICE, --screenshot FILE, --time-lapse SECONDS
// with --count N and --quit-when-done, --find-scale X1,Y1,X2,Y2 PICTURE, --help and --version,
// and the picture files to open for measuring.
// The camera's address comes from --camera-host, else from the environment variable
// LUMETRA_CAMERA_HOST, else it is the built-in one; its ports are the camera's own
// unless given.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "app/FindScaleCommand.h"
#include "camera/CameraHost.h"

namespace lumetra {

class LaunchOptions {
public:
    LaunchOptions();

    // Reads the arguments, the program's name first. False, with error() saying why,
    // for an unknown option, an option without its value, an empty USB device, a
    // camera host (from the option or the environment) that is not a host name or
    // address, a port that is not a number from 1 to 65535, or a --find-scale without
    // its four numbers and one picture.
    // The toolkit's own window options (-platform, -style, ...) are accepted and left to
    // the toolkit, so the command line can be read before a display is opened.
    bool parse(const QStringList& arguments);
    const QString& error() const { return error_; }
    QString helpText() const { return parser_.helpText(); }
    QString versionText() const;  // "lumetra " and the version, one line

    bool help = false;
    bool version = false;
    bool demo = false;
    CameraHost cameraHost;
    // The video device the USB button opens (a node path or part of its identifier);
    // empty: the first attached microscope.
    QString usbDevice;
    QString screenshot;  // where to save a picture of the window; empty: none
    // A time-lapse into the current album started at once: a snapshot every
    // timeLapseSeconds (0: none), timeLapseCount of them (0: until the window closes);
    // quitWhenDone ends the program when it is over. It needs a camera option
    // (--demo, --camera-host or --usb-device), whose camera is connected at the start.
    double timeLapseSeconds = 0.0;
    int timeLapseCount = 0;
    bool quitWhenDone = false;
    // The line and picture of a scale search the program answers without a window.
    std::optional<ScaleLine> findScale;
    QString findScalePicture;
    // The picture to measure on at the start (the first one named); empty: none.
    QString picture;

private:
    // Sets port from the option when it is given; false, with error() set, when it is
    // not a port number.
    bool readPort(const QCommandLineOption& option, uint16_t& port);
    // Reads the time-lapse options; false, with error() set, when they do not add up.
    bool readTimeLapse();

    QCommandLineParser parser_;
    QCommandLineOption demo_;
    QCommandLineOption cameraHost_;
    QCommandLineOption usbDevice_;
    QCommandLineOption controlPort_;
    QCommandLineOption streamPort_;
    QCommandLineOption screenshot_;
    QCommandLineOption timeLapse_;
    QCommandLineOption count_;
    QCommandLineOption quitWhenDone_;
    QCommandLineOption findScale_;
    QString error_;
};

}  // namespace lumetra
