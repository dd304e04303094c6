#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "camera/MultipartParser.h"
#include "image/JpegCodec.h"
#include "support/JpegSamples.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

struct Part {
    std::string mediaType;
    PartHeaders headers;
    std::string body;
};

// Collects the parts of a stream read with the receiver's own multipart parser.
class PartCollector : public MultipartParser::Listener {
public:
    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        parts.push_back({mediaType, headers, {}});
    }
    void partData(const uint8_t* data, size_t size) override {
        parts.back().body.append(reinterpret_cast<const char*>(data), size);
    }
    std::vector<Part> parts;
};

bool decodes(const std::string& jpeg) {
    return decodeJpeg(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size()).has_value();
}

const std::string kCgiControl = "/camera_control.cgi?loginuse=admin&loginpas=qorve";

class CamSimTest : public ::testing::Test {
protected:
    void start(CamSimOptions options) {
        sim = std::make_unique<CamSim>(options);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        control = std::make_unique<httplib::Client>(kListenAddress, sim->controlPort());
        control->set_basic_auth(kUser, kPassword);
    }
    void start(CameraKind kind) { start({.kind = kind, .width = 320, .height = 240, .fps = 30}); }

    httplib::Result get(const std::string& target) { return control->Get(target.c_str()); }

    // Reads the stream until `count` complete parts have arrived (or the stream ends), then
    // waits until the simulator has closed the connection too.
    std::vector<Part> readParts(size_t count) {
        httplib::Client client(kListenAddress, sim->streamPort());
        client.set_read_timeout(10, 0);
        std::unique_ptr<MultipartParser> parser;
        PartCollector collector;
        client.Get(
            "/",
            [&](const httplib::Response& response) {
                PartHeaders headers;
                headers.add("Content-Type", response.get_header_value("Content-Type"));
                parser = std::make_unique<MultipartParser>(collector, headers);
                return true;
            },
            [&](const char* data, size_t size) {
                parser->feed(reinterpret_cast<const uint8_t*>(data), size);
                return collector.parts.size() <= count;  // the next part has begun: done
            });
        if (collector.parts.size() > count) collector.parts.pop_back();
        EXPECT_TRUE(sim->waitForStreamsClosed(std::chrono::seconds(10)));
        return collector.parts;
    }

    std::unique_ptr<CamSim> sim;
    std::unique_ptr<httplib::Client> control;
};

}  // namespace

// ---- Listening and access ----

TEST_F(CamSimTest, ListensOnTwoFreePortsOfLoopbackOnly) {
    start(CameraKind::Wizard);
    EXPECT_NE(sim->controlPort(), sim->streamPort());
    // The kernel's socket table: local address as hex "address:port", state 0A is listening.
    std::ifstream table("/proc/net/tcp");
    std::string rest, slot, local, remote, state;
    std::map<int, std::string> listening;
    std::getline(table, rest);
    while (table >> slot >> local >> remote >> state && std::getline(table, rest))
        if (state == "0A") listening[std::stoi(local.substr(9), nullptr, 16)] = local.substr(0, 8);
    EXPECT_EQ(listening[sim->controlPort()], "0100007F");
    EXPECT_EQ(listening[sim->streamPort()], "0100007F");
}

TEST_F(CamSimTest, RefusesAResolutionItDoesNotHaveAndAPortInUse) {
    std::string error;
    EXPECT_FALSE(CamSim(CamSimOptions{.width = 1000}).start(&error));
    EXPECT_NE(error.find("1000x"), std::string::npos);
    start(CameraKind::Wizard);
    EXPECT_FALSE(CamSim(CamSimOptions{.controlPort = sim->controlPort()}).start(&error));
    EXPECT_FALSE(CamSim(CamSimOptions{.streamPort = sim->streamPort()}).start(&error));
}

TEST_F(CamSimTest, AnswersEachPathWithCredentialsWhereNeededAndEmpty404sElsewhere) {
    const char* ok = kPassword;
    const std::string command = "/?action=command&dest=0&plugin=0&id=9963776&group=01&value=40";
    struct Case {
        CameraKind kind;
        bool streamPort;
        const char* password;  // for the user "admin"; nullptr: no credentials
        std::string target;
        int status;
    };
    const Case cases[] = {
        {CameraKind::Wizard, false, nullptr, "/wizardvideo.asp", 401},
        {CameraKind::Wizard, false, "admin", "/updateNPNvram.cgi?camera_gpio_trigger", 401},
        {CameraKind::Wizard, false, ok, "/wizardvideo.asp", 200},
        {CameraKind::Wizard, false, ok, "/updateNPNvram.cgi", 404},
        {CameraKind::Wizard, false, ok, "/apply.cgi?video_idx=two", 400},
        {CameraKind::Wizard, false, ok, "/get_camera_all.cgi", 404},
        {CameraKind::Wizard, false, ok, "/index.html", 404},
        {CameraKind::Wizard, true, nullptr, command, 401},
        {CameraKind::Wizard, true, ok, command, 200},
        {CameraKind::Wizard, true, ok, "/?action=command&id=1&value=1", 400},
        {CameraKind::Wizard, true, ok, "/?action=snapshot", 404},
        {CameraKind::Cgi, false, nullptr, "/get_camera_all.cgi", 401},
        {CameraKind::Cgi, false, ok, "/get_camera_all.cgi", 200},
        {CameraKind::Cgi, false, nullptr, kCgiControl + "&param=1&value=5", 401},
        {CameraKind::Cgi, false, ok, kCgiControl + "&param=1&value=5", 200},
        {CameraKind::Cgi, false, ok, "/camera_control.cgi?loginuse=admin&loginpas=x&param=1", 401},
        {CameraKind::Cgi, false, ok, "/camera_control.cgi?param=1&value=5", 401},
        {CameraKind::Cgi, false, ok, kCgiControl + "&param=x&value=1", 400},
        {CameraKind::Cgi, false, ok, "/wizardvideo.asp", 404},
        {CameraKind::Cgi, false, ok, "/apply.cgi", 404},
        {CameraKind::Cgi, true, ok, command, 404},
    };
    for (const CameraKind kind : {CameraKind::Wizard, CameraKind::Cgi}) {
        start(kind);
        for (const Case& c : cases) {
            if (c.kind != kind) continue;
            SCOPED_TRACE(c.target);
            httplib::Client client(kListenAddress,
                                   c.streamPort ? sim->streamPort() : sim->controlPort());
            if (c.password) client.set_basic_auth(kUser, c.password);
            const auto res = client.Get(c.target.c_str());
            ASSERT_TRUE(res);
            EXPECT_EQ(res->status, c.status);
            EXPECT_TRUE(c.status < 400 || res->body.empty()) << res->body;
            EXPECT_EQ(res->get_header_value("WWW-Authenticate"),
                      c.status == 401 ? "Basic realm=\"camera\"" : "");
        }
    }
}

// ---- Commands ----

TEST_F(CamSimTest, WizardCommandsChangeResolutionRateAndControls) {
    start(CameraKind::Wizard);
    EXPECT_EQ(get("/apply.cgi?submit_button=media&change_action=&action=Apply&refresh_ddns=1"
                  "&video_port=8899&video_idx=3&video_frame=12&only_stream=0&auth_need=0")
                  ->status,
              200);
    get("/apply.cgi?video_idx=4&video_frame=99");  // an entry it does not offer, a rate too high
    httplib::Client port8899(kListenAddress, sim->streamPort());
    port8899.set_basic_auth(kUser, kPassword);
    port8899.Get("/?action=command&dest=0&plugin=0&id=9963776&group=01&value=40");
    const std::string page = get("/wizardvideo.asp")->body;
    EXPECT_NE(page.find("var cameraHeight=\"960\";"), std::string::npos);
    EXPECT_NE(page.find("var video_frame_save = \"12\";"), std::string::npos);
    EXPECT_EQ(sim->state().controls()[0].value, 40);
}

TEST_F(CamSimTest, CgiCommandsChangeResolutionRateControlsAndThePicture) {
    start(CameraKind::Cgi);
    const double before = test::meanGreen(sim->currentFrame());
    get(kCgiControl + "&param=1&value=255");
    EXPECT_GT(test::meanGreen(sim->currentFrame()), before + 30) << "brightness";

    EXPECT_EQ(get(kCgiControl + "&param=0&value=2")->body, "var result=\"ok\";\r\n");
    get(kCgiControl + "&param=6&value=15");
    get(kCgiControl + "&param=12&value=200");
    EXPECT_EQ(get(kCgiControl + "&param=6&value=12")->body, "var result=\"error\";\r\n");
    const std::string page = get("/get_camera_all.cgi")->body;
    for (const char* line :
         {"var resolution=\"1280x720\";\r\n", "var enc_framerate=15;\r\n", "var vgamma=200;\r\n"})
        EXPECT_NE(page.find(line), std::string::npos) << line;
    EXPECT_EQ(sim->currentFrame().width, 1280);
}

// ---- The stream ----

TEST_F(CamSimTest, StreamPartsCarryTypeLengthAndAPictureOfTheCurrentSizeTheCgiCameraACounter) {
    for (CameraKind kind : {CameraKind::Cgi, CameraKind::Wizard}) {
        SCOPED_TRACE(kindName(kind));
        start(kind);
        sim->pressShutter();
        const auto parts = readParts(2);
        ASSERT_EQ(parts.size(), 2u);
        for (const Part& p : parts) {
            EXPECT_EQ(p.mediaType, "image/jpeg");
            EXPECT_EQ(p.headers.value("Content-Length"), std::to_string(p.body.size()));
            EXPECT_EQ(p.headers.value("photo_cnt"), kind == CameraKind::Cgi
                                                        ? std::optional<std::string_view>("1")
                                                        : std::nullopt);
            const auto info =
                readJpegInfo(reinterpret_cast<const uint8_t*>(p.body.data()), p.body.size());
            ASSERT_TRUE(info);
            EXPECT_EQ(info->width, 320);
            EXPECT_EQ(info->height, 240);
        }
        EXPECT_NE(parts[0].body, parts[1].body) << "live pictures differ";
        EXPECT_EQ(sim->requests().back().server, ServerRole::Stream);
        EXPECT_FALSE(sim->requests().back().authorized) << "the stream needs no credentials";
    }
}

TEST_F(CamSimTest, InjectedFaultsShapeTheNextPartAndPicturesFollow) {
    start(CameraKind::Cgi);
    sim->injectFault(Fault::Oversized, {.oversizedBytes = 300000});
    auto parts = readParts(2);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].body.size(), 300000u);
    EXPECT_EQ(parts[0].body.find('\xFF'), std::string::npos) << "no end marker can appear";
    EXPECT_TRUE(decodes(parts[1].body));

    for (const Fault fault : {Fault::Garbage, Fault::SplitMarker, Fault::Stall}) {
        SCOPED_TRACE(faultName(fault));
        sim->injectFault(fault, {.stallMs = 100});
        parts = readParts(2);
        ASSERT_EQ(parts.size(), 2u);
        EXPECT_EQ(decodes(parts[0].body), fault != Fault::Garbage);
        EXPECT_TRUE(decodes(parts[1].body));
    }

    sim->injectFault(Fault::Drop);
    parts = readParts(2);
    ASSERT_EQ(parts.size(), 1u) << "the connection closes within the part";
    const std::string length(parts[0].headers.value("Content-Length").value_or("0"));
    EXPECT_LT(parts[0].body.size(), std::stoul(length)) << "half a picture";
}

TEST_F(CamSimTest, ScriptedAnswersGoOutInOrderAfterTheirPause) {
    start(CameraKind::Cgi);
    sim->scriptAnswers("/get_camera_all.cgi", {{.status = 500, .body = "busy", .delayMs = 0},
                                               {.status = 200, .body = "slow", .delayMs = 300}});
    EXPECT_EQ(get("/get_camera_all.cgi")->status, 500);
    const auto before = std::chrono::steady_clock::now();
    auto slow = get("/get_camera_all.cgi");
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->body, "slow");
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(300));
}
