#include <gtest/gtest.h>

#include "tools/camsim/CommandLine.h"

using namespace lumetra::camsim;

TEST(CamSimCommandLine, ReadsEveryOption) {
    const CommandLine cl = parseCommandLine(
        {"--kind", "cgi", "--control-port", "8080", "--stream-port", "8899", "--width", "1280",
         "--height", "720", "--fps", "0", "--quality", "70", "--photo-count", "12", "--loop", "8"});
    ASSERT_EQ(cl.error, "");
    EXPECT_EQ(cl.options.kind, CameraKind::Cgi);
    EXPECT_EQ(cl.options.controlPort, 8080);
    EXPECT_EQ(cl.options.streamPort, 8899);
    EXPECT_EQ(cl.options.width, 1280);
    EXPECT_EQ(cl.options.height, 720);
    EXPECT_EQ(cl.options.fps, 0);
    EXPECT_EQ(cl.options.quality, 70);
    EXPECT_EQ(cl.options.photoCount, 12);
    EXPECT_EQ(cl.options.loopLength, 8);
    EXPECT_FALSE(cl.help);
}

TEST(CamSimCommandLine, DefaultsPickFreePortsAndTheWizardCamera) {
    const CommandLine cl = parseCommandLine({});
    EXPECT_EQ(cl.error, "");
    EXPECT_EQ(cl.options.kind, CameraKind::Wizard);
    EXPECT_EQ(cl.options.controlPort, 0);
    EXPECT_EQ(cl.options.streamPort, 0);
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
}

TEST(CamSimCommandLine, RefusesUnknownMissingAndBadValues) {
    EXPECT_NE(parseCommandLine({"--colour", "red"}).error, "");
    EXPECT_NE(parseCommandLine({"--fps"}).error, "");
    EXPECT_NE(parseCommandLine({"--kind", "usb"}).error, "");
    EXPECT_NE(parseCommandLine({"--control-port", "70000"}).error, "");
    EXPECT_NE(parseCommandLine({"--fps", "12x"}).error, "");
    EXPECT_NE(parseCommandLine({"--quality", "0"}).error, "");
    EXPECT_NE(parseCommandLine({"--control-port", "9000", "--stream-port", "9000"}).error, "");
}
