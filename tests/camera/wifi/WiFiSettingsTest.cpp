#include <gtest/gtest.h>

#include <string>

#include "camera/wifi/WiFiLists.h"
#include "camera/wifi/WiFiProbe.h"
#include "camera/wifi/WiFiRequests.h"
#include "camera/wifi/WiFiSettings.h"

using namespace lumetra;

TEST(WiFiSettings, WizardEntriesSelectionsAndControls) {
    const std::string page =
        "var cameraList = \"0,1,320,240,MJPG#1,0,640,480,YUYV#2,1,1280,720,MJPG#\";\r\n"
        "var video_frame_save = \"15\";\r\n"
        "var c = [{\"name\":\"Gamma Level\",\"id\":\"7\",\"t\":\"1\",\"min\":\"1\",\"max\":\"9\","
        "\"s\":\"1\",\"default\":\"5\",\"value\":\"6\"},\r\n{\"name\":\"Hue\",\"id\":\"8\"}];\r\n";
    WiFiSettings s;
    parseWizardSettings(page, 1280, 720, s);
    EXPECT_EQ(s.oMutResArray.size(), 3u);
    EXPECT_EQ(s.iWiFiDefResIndex, 2);
    EXPECT_EQ(s.controls.ctGammaInfo, (ControlInfo{7, 1, 9, 5, 6}));
    EXPECT_EQ(s.controls.ctHueInfo, ControlInfo{}) << "fewer than eight pairs: skipped";
    const WiFiLists lists = wifiLists(CameraMode::WiFiWizard, s);
    EXPECT_EQ(lists.resolutions, (std::vector<std::string>{"320x240", "1280x720"}));
    EXPECT_EQ(lists.resolutionSelection, 1);
    EXPECT_EQ(lists.frameRates.size(), 30u);
    EXPECT_EQ(lists.frameRateSelection, 14);
    // Choosing the first offered size finds entry 0; an unknown size the last entry.
    EXPECT_EQ(resolutionIndexFor(CameraMode::WiFiWizard, s.oMutResArray, {320, 240}), 0);
    EXPECT_EQ(resolutionIndexFor(CameraMode::WiFiWizard, s.oMutResArray, {640, 480}), 2);
}

TEST(WiFiSettings, CgiFrameRateOutsideTheListKeepsItemZero) {
    WiFiSettings s;
    s.iWiFiDefFpsIndex = 4;
    parseCgiSettings("var enc_framerate=12;\r\nvar vhue_max=200;\r\n", 640, 480, s);
    EXPECT_EQ(wifiLists(CameraMode::WiFiCgi, s).frameRateSelection, 0);
    EXPECT_EQ(s.controls.ctHueInfo, (ControlInfo{kCgiHueId, 0, 200, 0, 0}));
    parseCgiSettings("var enc_framerate=10;\r\n", 640, 480, s);
    EXPECT_EQ(s.iWiFiDefFpsIndex, 4);
}

TEST(WiFiSettings, CgiEntriesThatAreNotASizeAreNotListed) {
    WiFiSettings s;
    parseCgiSettings(
        "var resolution[0]=\"640x480\";var resolution[1]=\"1600\";"
        "var resolution[2]=\"1280x720\";",
        1280, 720, s);
    EXPECT_EQ(s.iWiFiDefResIndex, 2);
    const WiFiLists lists = wifiLists(CameraMode::WiFiCgi, s);
    EXPECT_EQ(lists.resolutions, (std::vector<std::string>{"640x480", "1280x720"}));
    EXPECT_EQ(lists.resolutionSelection, 1);
}

// A broken answer changes nothing an empty answer would not change.
TEST(WiFiSettings, MalformedAnswersSkipTheItemOrKeepTheField) {
    const std::pair<CameraMode, const char*> broken[] = {
        {CameraMode::WiFiWizard, "var cameraList = 0,1,320,240;\r\nvar video_frame_save = 15;\r\n"},
        {CameraMode::WiFiWizard, "var video_frame_save = \"\r\n[{\"Brightness\":\"1\",\"a\":\"\"}"},
        {CameraMode::WiFiWizard,
         "var cameraList = \"0,1,#,1,\";\r\n] [{Contrast:1,2,3,4,5,6,7,8},"},
        {CameraMode::WiFiWizard, "[{\"Hue\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"}]"},
        {CameraMode::WiFiCgi, "var resolution[0]=320x240;var resolution[1]=\"\";var vbright=;"},
        {CameraMode::WiFiCgi, "var vbright=5\r\nvar vgamma_min;\r\n;;;var enc_framerate=\r\n"},
    };
    for (const auto& [kind, text] : broken) {
        WiFiSettings before;
        before.iWiFiDefResIndex = 3;
        before.iWiFiDefFpsIndex = 9;
        for (Adjustment a : kAdjustments) before.controls[a] = {11, 12, 13, 14, 15};
        WiFiSettings empty = before, parsed = before;
        parseWiFiSettings(kind, "", 640, 480, empty);
        parseWiFiSettings(kind, text, 640, 480, parsed);
        EXPECT_EQ(parsed.controls, empty.controls) << text;
        EXPECT_EQ(wifiLists(kind, parsed), wifiLists(kind, empty)) << text;
    }
    for (const char* title : {"1280", "x720", "0x0", "99999x1"})
        EXPECT_FALSE(parseResolutionTitle(title)) << title;
}

TEST(WiFiSettings, ProbeDecisionAndCounterAnswer) {
    const HttpAnswer refused{"Couldn't connect to server", 0, {}};
    const HttpAnswer wizard{{}, 200, "var cameraWidth=\"800\";\r\nvar cameraHeight=\"600\";\r\n"};
    const HttpAnswer cgiError{{}, 404, "var resolution=\"1280x720\";\r\nvar photo_cnt=4;\r\n"};
    const HttpAnswer notText{{}, 200, "\xFF\xFE"};
    const HttpAnswer empty{{}, 404, ""};
    EXPECT_EQ(decideWiFiDevice(wizard, empty)->kind, CameraMode::WiFiWizard);
    EXPECT_EQ(decideWiFiDevice(wizard, empty)->width, 800);
    const auto both = decideWiFiDevice(wizard, cgiError);
    EXPECT_EQ(both->kind, CameraMode::WiFiCgi) << "the second probe wins, an error status counts";
    EXPECT_EQ(both->height, 720);
    EXPECT_EQ(both->iSnapNumber, 4);
    EXPECT_FALSE(decideWiFiDevice(wizard, notText)) << "a body that is not UTF-8 leaves no content";
    EXPECT_FALSE(decideWiFiDevice(refused, refused));
    EXPECT_EQ(readPhotoCounter({{}, 200, " 1 2\r\n"}), 12);
    EXPECT_FALSE(readPhotoCounter({{}, 404, "7"}));
}
