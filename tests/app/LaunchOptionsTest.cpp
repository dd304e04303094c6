#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/LaunchOptions.h"

using namespace lumetra;

namespace {

// Sets LUMETRA_CAMERA_HOST for one test and puts the earlier value back afterwards,
// so the later tests of the process keep the loopback host.
struct ScopedCameraHost {
    explicit ScopedCameraHost(const char* value) {
        if (const char* earlier = std::getenv(CameraHost::kEnvironmentVariable)) old = earlier;
        ::setenv(CameraHost::kEnvironmentVariable, value, 1);
    }
    ~ScopedCameraHost() {
        old ? ::setenv(CameraHost::kEnvironmentVariable, old->c_str(), 1)
            : ::unsetenv(CameraHost::kEnvironmentVariable);
    }
    std::optional<std::string> old;
};

}  // namespace

TEST(LaunchOptions, CameraHostComesFromTheOptionElseTheEnvironment) {
    ScopedCameraHost env("127.0.0.1");
    LaunchOptions fromEnv;
    ASSERT_TRUE(fromEnv.parse({"lumetra", "--demo"})) << fromEnv.error().toStdString();
    EXPECT_TRUE(fromEnv.demo);
    EXPECT_EQ(fromEnv.cameraHost.host, "127.0.0.1");
    LaunchOptions fromOption;
    ASSERT_TRUE(fromOption.parse({"lumetra", "--camera-host", "microscope.lan"}));
    EXPECT_EQ(fromOption.cameraHost.host, "microscope.lan");
    EXPECT_EQ(fromOption.cameraHost.streamPort, CameraHost::kDefaultStreamPort);
    EXPECT_TRUE(fromOption.usbDevice.isEmpty());
    LaunchOptions usb;
    ASSERT_TRUE(usb.parse({"lumetra", "--usb-device", "/dev/video2"}));
    EXPECT_EQ(usb.usbDevice, "/dev/video2");
    LaunchOptions ports;
    ASSERT_TRUE(
        ports.parse({"lumetra", "--camera-control-port", "8080", "--camera-stream-port", "65535"}));
    EXPECT_EQ(ports.cameraHost.host, "127.0.0.1");
    EXPECT_EQ(ports.cameraHost.controlPort, 8080);
    EXPECT_EQ(ports.cameraHost.streamPort, 65535);
}

TEST(LaunchOptions, LeavesTheToolkitsOwnOptionsToIt) {
    LaunchOptions options;
    ASSERT_TRUE(
        options.parse({"lumetra", "-platform", "offscreen", "-style=Fusion", "-reverse", "--demo"}))
        << options.error().toStdString();
    EXPECT_TRUE(options.demo);
    EXPECT_TRUE(options.picture.isEmpty());
    EXPECT_FALSE(options.helpText().contains("platform"));
    // The pictures named (a desktop entry's %F) go past the toolkit's options; the first is opened.
    LaunchOptions pictures;
    ASSERT_TRUE(pictures.parse({"lumetra", "-platform", "offscreen", "slide 1.jpg", "b.png"}));
    EXPECT_EQ(pictures.picture, "slide 1.jpg");
}

TEST(LaunchOptions, RefusesBadHostsUnknownOptionsAndMissingValues) {
    for (const char* bad : {"127.0.0.1:80", "cam/../x", "admin@cam", "cam era", ""}) {
        LaunchOptions options;
        EXPECT_FALSE(options.parse({"lumetra", "--camera-host", bad})) << bad;
        EXPECT_EQ(options.error(),
                  QStringLiteral("--camera-host: not a host name or address: \"%1\"").arg(bad));
    }
    for (const char* bad : {"0", "65536", "80x", "-1"}) {
        LaunchOptions options;
        EXPECT_FALSE(options.parse({"lumetra", "--camera-stream-port", bad})) << bad;
        EXPECT_EQ(
            options.error(),
            QStringLiteral("--camera-stream-port: not a port from 1 to 65535: \"%1\"").arg(bad));
    }
    ScopedCameraHost env("cam era");
    LaunchOptions fromEnv;
    EXPECT_FALSE(fromEnv.parse({"lumetra"}));
    EXPECT_TRUE(fromEnv.error().contains("LUMETRA_CAMERA_HOST")) << fromEnv.error().toStdString();
    LaunchOptions typo;
    EXPECT_FALSE(typo.parse({"lumetra", "--camera-hots", "127.0.0.1"}));
    EXPECT_TRUE(typo.error().contains("camera-hots")) << typo.error().toStdString();
    LaunchOptions noValue;
    EXPECT_FALSE(noValue.parse({"lumetra", "--camera-host"}));
    LaunchOptions noDevice;
    EXPECT_FALSE(noDevice.parse({"lumetra", "--usb-device", ""}));
    EXPECT_EQ(noDevice.error(), "--usb-device: names no device");
}

TEST(LaunchOptions, HelpAndVersionAreAnsweredBeforeAnythingStarts) {
    const struct {
        QStringList arguments;
        bool help, version;
    } cases[] = {
        {{"lumetra", "--help"}, true, false},
        {{"lumetra", "-h"}, true, false},
        {{"lumetra", "--version"}, false, true},
        {{"lumetra", "-v", "--demo"}, false, true},
        {{"lumetra", "--demo"}, false, false},
        {{"lumetra", "--screenshot", "--version.png"}, false, false},
    };
    for (const auto& c : cases) {
        LaunchOptions options;
        ASSERT_TRUE(options.parse(c.arguments)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.help, c.help) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.version, c.version) << c.arguments.join(' ').toStdString();
    }
    LaunchOptions options;
    for (const char* option :
         {"--demo", "--camera-host", "--camera-control-port", "--camera-stream-port",
          "--usb-device", "--screenshot", "--find-scale", "--version"})
        EXPECT_TRUE(options.helpText().contains(option)) << option;
    EXPECT_EQ(options.versionText(), QStringLiteral("lumetra " LUMETRA_VERSION "\n"));
}

TEST(LaunchOptions, TimeLapseNeedsACameraAndSoundNumbers) {
    LaunchOptions options;
    ASSERT_TRUE(options.parse(
        {"lumetra", "--demo", "--time-lapse", "0.2", "--count", "3", "--quit-when-done"}))
        << options.error().toStdString();
    EXPECT_EQ(std::tuple(options.timeLapseSeconds, options.timeLapseCount, options.quitWhenDone),
              std::tuple(0.2, 3, true));
    const std::vector<std::pair<QStringList, QString>> refused = {
        {{"--demo", "--time-lapse", "0"}, "--time-lapse: not a number of seconds from 0.1: \"0\""},
        {{"--demo", "--time-lapse", "5", "--count", "2x"},
         "--count: not a number of snapshots from 1: \"2x\""},
        {{"--demo", "--time-lapse", "5", "--quit-when-done"}, "--quit-when-done needs --count"},
        {{"--demo", "--count", "3"}, "--count and --quit-when-done go with --time-lapse"},
        {{"--time-lapse", "5"},
         "--time-lapse needs a camera: --demo, --camera-host or --usb-device"}};
    for (const auto& [arguments, error] : refused) {
        LaunchOptions bad;
        EXPECT_FALSE(bad.parse(QStringList{"lumetra"} + arguments));
        EXPECT_EQ(bad.error(), error);
    }
}
