#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/camsim/CommandLine.h"

using namespace lumetra::camsim;

TEST(CamSimCommandLine, ReadsEveryOption) {
    const CommandLine cl = parseCommandLine(
        {"--kind", "cgi", "--control-port", "8080", "--stream-port", "8899", "--width", "1280",
         "--height", "720", "--fps", "0", "--quality", "70", "--photo-count", "12", "--loop", "8"});
    ASSERT_EQ(cl.error, "");
    const CamSimOptions& o = cl.options;
    EXPECT_EQ(o.kind, CameraKind::Cgi);
    EXPECT_EQ((std::vector<int64_t>{o.controlPort, o.streamPort, o.width, o.height, o.fps,
                                    o.quality, o.photoCount, o.loopLength}),
              (std::vector<int64_t>{8080, 8899, 1280, 720, 0, 70, 12, 8}));
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
}

TEST(CamSimCommandLine, RefusesUnknownMissingAndBadValues) {
    const std::vector<std::vector<std::string>> bad = {
        {"--colour", "red"},
        {"--fps"},
        {"--kind", "usb"},
        {"--control-port", "70000"},
        {"--fps", "12x"},
        {"--quality", "0"},
        {"--control-port", "9000", "--stream-port", "9000"}};
    for (const auto& args : bad) EXPECT_NE(parseCommandLine(args).error, "") << args[0];
}
