#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/camsim/SettingsPage.h"

using namespace lumetra::camsim;

namespace {

// Every line break is CR LF and the text ends with one.
bool crlfLines(std::string page) {
    if (!page.ends_with("\r\n")) return false;
    for (size_t at; (at = page.find("\r\n")) != std::string::npos;) page.erase(at, 2);
    return page.find_first_of("\r\n") == std::string::npos;
}

bool hasLine(const std::string& page, const std::string& line) {
    return ("\r\n" + page).find("\r\n" + line + "\r\n") != std::string::npos;
}

}  // namespace

TEST(SettingsPages, CarryTheCurrentStateInLinesEndingInCrLf) {
    CameraState wizard(CameraKind::Wizard);
    wizard.selectResolution(1280, 720);
    wizard.setFps(15);
    wizard.setControl(9963776, 20);
    CameraState cgi(CameraKind::Cgi);
    cgi.selectResolution(1920, 1080);
    cgi.setFps(25);
    cgi.setPhotoCount(7);
    cgi.setControl(2, 99);
    const std::vector<std::pair<std::string, std::vector<std::string>>> pages = {
        {wizardSettingsPage(wizard),
         {"var cameraWidth=\"1280\";", "var cameraHeight=\"720\";",
          "var video_frame_save = \"15\";",
          // index, offered, width, height, pixel format
          "var cameraList = \"0,1,320,240,MJPG#1,1,640,480,MJPG#2,1,1280,720,MJPG#3,1,1280,960,"
          "MJPG#4,0,1600,1200,YUYV#5,1,1920,1080,MJPG\";",
          // name, id, type, min, max, step, default, value
          "var cameraControls = [{\"name\":\"Brightness\",\"id\":\"9963776\",\"type\":\"1\","
          "\"min\":\"-64\",\"max\":\"64\",\"step\":\"1\",\"default\":\"0\",\"value\":\"20\"},",
          "{\"name\":\"Sharpness\",\"id\":\"9963803\",\"type\":\"1\",\"min\":\"0\",\"max\":\"6\","
          "\"step\":\"1\",\"default\":\"3\",\"value\":\"3\"}];"}},
        {cgiSettingsPage(cgi),
         {"var resolution=\"1920x1080\";", "var resolution[0]=\"320x240\";",
          "var resolution[4]=\"1920x1080\";", "var enc_framerate=25;", "var photo_cnt=7;",
          "var vcontrast=99;", "var vcontrast_def=128;", "var vgamma_min=0;",
          "var vsharpness_max=255;"}},
    };
    for (const auto& [page, lines] : pages) {
        EXPECT_TRUE(crlfLines(page));
        for (const std::string& line : lines) EXPECT_TRUE(hasLine(page, line)) << line;
    }
}
