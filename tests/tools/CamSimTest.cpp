#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "camera/MultipartParser.h"
#include "image/JpegCodec.h"
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

class CamSimTest : public ::testing::Test {
protected:
    void start(CamSimOptions options) {
        sim = std::make_unique<CamSim>(options);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        control = std::make_unique<httplib::Client>(kListenAddress, sim->controlPort());
        control->set_basic_auth(kUser, kPassword);
    }
    void start(CameraKind kind) {
        CamSimOptions o;
        o.kind = kind;
        o.width = 320;
        o.height = 240;
        o.fps = 30;
        start(o);
    }

    httplib::Result get(const std::string& target) { return control->Get(target.c_str()); }

    // Reads the stream until `count` complete parts have arrived (or the stream ends).
    std::vector<Part> readParts(size_t count, const std::string& target = "/") {
        httplib::Client client(kListenAddress, sim->streamPort());
        client.set_read_timeout(10, 0);
        std::unique_ptr<MultipartParser> parser;
        PartCollector collector;
        client.Get(
            target.c_str(),
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
        return collector.parts;
    }

    std::unique_ptr<CamSim> sim;
    std::unique_ptr<httplib::Client> control;
};

}  // namespace

// ---- Listening ----

TEST_F(CamSimTest, ListensOnLoopbackOnlyOnTwoFreePorts) {
    start(CameraKind::Wizard);
    EXPECT_NE(sim->controlPort(), 0);
    EXPECT_NE(sim->streamPort(), 0);
    EXPECT_NE(sim->controlPort(), sim->streamPort());
    // The kernel's socket table shows each listening socket's local address.
    std::ifstream table("/proc/net/tcp");
    std::string line;
    int found = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state != "0A") continue;  // listening
        const auto colon = local.find(':');
        const int port = std::stoi(local.substr(colon + 1), nullptr, 16);
        if (port == sim->controlPort() || port == sim->streamPort()) {
            EXPECT_EQ(local.substr(0, colon), "0100007F") << "bound to 127.0.0.1";
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

TEST_F(CamSimTest, RefusesAResolutionItDoesNotHaveAndAPortInUse) {
    CamSimOptions odd;
    odd.width = 1000;
    CamSim bad(odd);
    std::string error;
    EXPECT_FALSE(bad.start(&error));
    EXPECT_NE(error.find("1000x"), std::string::npos);

    start(CameraKind::Wizard);
    CamSimOptions clash;
    clash.controlPort = sim->controlPort();
    CamSim second(clash);
    EXPECT_FALSE(second.start(&error));
}

// ---- Credentials ----

TEST_F(CamSimTest, ControlRequestsNeedTheCameraUserAndPassword) {
    start(CameraKind::Wizard);
    httplib::Client anonymous(kListenAddress, sim->controlPort());
    auto res = anonymous.Get("/wizardvideo.asp");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 401);
    EXPECT_EQ(res->get_header_value("WWW-Authenticate"), "Basic realm=\"camera\"");
    EXPECT_TRUE(res->body.empty());

    httplib::Client wrong(kListenAddress, sim->controlPort());
    wrong.set_basic_auth("admin", "admin");
    EXPECT_EQ(wrong.Get("/updateNPNvram.cgi?camera_gpio_trigger")->status, 401);
    EXPECT_EQ(get("/wizardvideo.asp")->status, 200);
}

TEST_F(CamSimTest, CgiControlAlsoChecksTheCredentialsInTheQuery) {
    start(CameraKind::Cgi);
    EXPECT_EQ(get("/camera_control.cgi?loginuse=admin&loginpas=wrong&param=1&value=5")->status,
              401);
    EXPECT_EQ(get("/camera_control.cgi?param=1&value=5")->status, 401);
    EXPECT_EQ(get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=1&value=5")->status,
              200);
}

TEST_F(CamSimTest, UnknownPathsAndTheOtherKindsPagesAreEmpty404s) {
    start(CameraKind::Wizard);
    for (const char* path :
         {"/get_camera_all.cgi", "/camera_control.cgi?param=1&value=1", "/index.html"}) {
        auto res = get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 404) << path;
        EXPECT_TRUE(res->body.empty()) << path;
    }
    sim.reset();
    start(CameraKind::Cgi);
    for (const char* path :
         {"/wizardvideo.asp", "/updateNPNvram.cgi?camera_gpio_trigger", "/apply.cgi"}) {
        auto res = get(path);
        EXPECT_EQ(res->status, 404) << path;
        EXPECT_TRUE(res->body.empty()) << path;
    }
}

// ---- Wizard camera ----

TEST_F(CamSimTest, WizardCounterAnswersTheShutterCountWithALineEnd) {
    CamSimOptions o;
    o.photoCount = 12;
    start(o);
    EXPECT_EQ(get("/updateNPNvram.cgi?camera_gpio_trigger")->body, "12\r\n");
    sim->pressShutter();
    EXPECT_EQ(get("/updateNPNvram.cgi?camera_gpio_trigger")->body, "13\r\n");
    EXPECT_EQ(get("/updateNPNvram.cgi")->status, 404);
}

TEST_F(CamSimTest, WizardApplyChangesResolutionAndFrameRate) {
    start(CameraKind::Wizard);
    const auto res =
        get("/apply.cgi?submit_button=media&change_action=&action=Apply&refresh_ddns=1"
            "&video_port=8899&video_idx=3&video_frame=12&only_stream=0&auth_need=0");
    ASSERT_EQ(res->status, 200);
    const CameraState s = sim->state();
    EXPECT_EQ(s.resolution().width, 1280);
    EXPECT_EQ(s.resolution().height, 960);
    EXPECT_EQ(s.fps(), 12);
    EXPECT_NE(get("/wizardvideo.asp")->body.find("var cameraHeight=\"960\";"), std::string::npos);

    EXPECT_EQ(get("/apply.cgi?video_idx=two")->status, 400);
    get("/apply.cgi?video_idx=4&video_frame=99");  // an entry it does not offer, a rate out of
                                                   // range
    EXPECT_EQ(sim->state().resolution().height, 960);
    EXPECT_EQ(sim->state().fps(), 12);
}

TEST_F(CamSimTest, WizardCommandsOnTheStreamPortSetControlsWithCredentials) {
    start(CameraKind::Wizard);
    httplib::Client port8899(kListenAddress, sim->streamPort());
    const std::string command = "/?action=command&dest=0&plugin=0&id=9963776&group=01&value=40";
    EXPECT_EQ(port8899.Get(command.c_str())->status, 401);
    port8899.set_basic_auth(kUser, kPassword);
    EXPECT_EQ(port8899.Get(command.c_str())->status, 200);
    EXPECT_EQ(sim->state().controls()[0].value, 40);
    EXPECT_EQ(port8899.Get("/?action=command&id=1&value=1")->status, 400);
    EXPECT_EQ(port8899.Get("/?action=snapshot")->status, 404);
}

// ---- CGI camera ----

TEST_F(CamSimTest, CgiControlCommandsChangeResolutionRateAndControls) {
    start(CameraKind::Cgi);
    const std::string prefix = "/camera_control.cgi?loginuse=admin&loginpas=qorve";
    EXPECT_EQ(get(prefix + "&param=0&value=2")->body, "var result=\"ok\";\r\n");
    EXPECT_EQ(get(prefix + "&param=6&value=15")->status, 200);
    EXPECT_EQ(get(prefix + "&param=12&value=200")->status, 200);
    EXPECT_EQ(get(prefix + "&param=6&value=12")->body, "var result=\"error\";\r\n");
    EXPECT_EQ(get(prefix + "&param=x&value=1")->status, 400);
    const CameraState s = sim->state();
    EXPECT_EQ(s.resolution().width, 1280);
    EXPECT_EQ(s.fps(), 15);
    EXPECT_EQ(s.controls()[5].value, 200);
    const std::string page = get("/get_camera_all.cgi")->body;
    EXPECT_NE(page.find("var resolution=\"1280x720\";\r\n"), std::string::npos);
    EXPECT_NE(page.find("var enc_framerate=15;\r\n"), std::string::npos);
    EXPECT_NE(page.find("var vgamma=200;\r\n"), std::string::npos);
}

TEST_F(CamSimTest, CommandsChangeThePicture) {
    start(CameraKind::Cgi);
    const auto mean = [](const Frame& f) {
        double sum = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) sum += f.row(y)[4 * x + 1];
        return sum / (f.width * f.height);
    };
    const double before = mean(sim->currentFrame());
    get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=1&value=255");
    EXPECT_GT(mean(sim->currentFrame()), before + 30);
    get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=0");
    EXPECT_EQ(sim->currentFrame().width, 320);
}

// ---- Request log ----

TEST_F(CamSimTest, RecordsEveryRequestWithItsQueryAndCredentials) {
    start(CameraKind::Cgi);
    httplib::Client anonymous(kListenAddress, sim->controlPort());
    anonymous.Get("/get_camera_all.cgi");
    get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=1&value=7");
    get("/nothing");
    const auto log = sim->requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_FALSE(log[0].authorized);
    EXPECT_EQ(log[1].path, "/camera_control.cgi");
    EXPECT_EQ(log[1].target, "/camera_control.cgi?loginuse=admin&loginpas=qorve&param=1&value=7");
    EXPECT_EQ(log[1].params.find("value")->second, "7");
    EXPECT_TRUE(log[1].authorized);
    EXPECT_EQ(log[2].path, "/nothing");
    EXPECT_EQ(log[2].server, ServerRole::Control);
    sim->clearRequests();
    EXPECT_TRUE(sim->requests().empty());
}

// ---- The stream ----

TEST_F(CamSimTest, StreamPartsCarryTypeLengthAndAPictureOfTheCurrentSizeTheCgiCameraACounter) {
    for (CameraKind kind : {CameraKind::Cgi, CameraKind::Wizard}) {
        start(kind);
        sim->pressShutter();
        const auto parts = readParts(2);
        ASSERT_EQ(parts.size(), 2u);
        for (const Part& p : parts) {
            EXPECT_EQ(p.mediaType, "image/jpeg");
            EXPECT_EQ(p.headers.value("Content-Length"), std::to_string(p.body.size()));
            if (kind == CameraKind::Cgi)
                EXPECT_EQ(p.headers.value("photo_cnt"), "1");
            else
                EXPECT_FALSE(p.headers.value("photo_cnt"));
            const auto info =
                readJpegInfo(reinterpret_cast<const uint8_t*>(p.body.data()), p.body.size());
            ASSERT_TRUE(info);
            EXPECT_EQ(info->width, 320);
            EXPECT_EQ(info->height, 240);
        }
        EXPECT_NE(parts[0].body, parts[1].body) << "live pictures differ";
        EXPECT_EQ(sim->requests().back().server, ServerRole::Stream);
        EXPECT_FALSE(sim->requests().back().authorized) << "the stream needs no credentials";
        sim.reset();
    }
}

TEST_F(CamSimTest, ScriptedPartsGoOutExactlyAndCountedConnectionsCloseWithTheirClients) {
    CamSimOptions o;
    o.livePictures = false;
    start(o);
    sim->queueParts({ScriptedPart::make("text/plain", "one", {"X-Test: 1"}, {1}, 5),
                     ScriptedPart::make("image/jpeg", "two"),
                     ScriptedPart::make("image/jpeg", "end")});
    const auto parts = readParts(2);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].mediaType, "text/plain");
    EXPECT_EQ(parts[0].headers.value("X-Test"), "1");
    EXPECT_EQ(parts[0].body, "one");
    EXPECT_EQ(parts[1].body, "two");
    EXPECT_EQ(sim->streamsOpened(), 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sim->activeStreams() != 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(sim->activeStreams(), 0);
}

// ---- Faults ----

TEST_F(CamSimTest, OversizedFaultSendsTheGivenBytesWithoutAnyFFThenPicturesAgain) {
    start(CameraKind::Cgi);
    sim->injectFault(Fault::Oversized, {.oversizedBytes = 300000});
    const auto parts = readParts(2);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].body.size(), 300000u);
    EXPECT_EQ(parts[0].body.find('\xFF'), std::string::npos);
    EXPECT_TRUE(
        decodeJpeg(reinterpret_cast<const uint8_t*>(parts[1].body.data()), parts[1].body.size()));
}
