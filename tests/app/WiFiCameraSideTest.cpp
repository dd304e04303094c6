#include <gtest/gtest.h>
#include <httplib.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <memory>
#include <tuple>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotCapture.h"
#include "app/WiFiCameraSide.h"
#include "support/JpegSamples.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

// The window with its snapshot and WiFi sides, and a simulated camera on 127.0.0.1
// that the WiFi button connects to.
class WiFiCameraSideTest : public ::testing::Test {
protected:
    // Starts the simulated camera and points the WiFi side at it; false if it did not start.
    bool startCamera(camsim::CameraKind kind, int64_t photoCount = 0, int restartRefusals = 0) {
        sim = std::make_unique<camsim::CamSim>(
            camsim::CamSimOptions{.kind = kind,
                                  .width = 320,
                                  .height = 240,
                                  .fps = 25,
                                  .photoCount = photoCount,
                                  .restartRefusals = restartRefusals});
        if (!sim->start()) return false;
        side.setHost({"127.0.0.1", sim->controlPort(), sim->streamPort()});
        return true;
    }

    // Clicks WiFi and waits for the connect's stream to deliver a picture.
    bool connect() {
        const int opened = sim->streamsOpened();
        wifi().connect->click();
        return waitFor([&] { return sim->streamsOpened() > opened; }) && morePictures(1);
    }

    // Waits, running the event loop, until `count` more pictures reached the window.
    bool morePictures(uint64_t count) {
        const uint64_t target = side.receiver().stats().picturesDecoded + count;
        return waitFor([&] {
            return side.receiver().stats().picturesDecoded >= target &&
                   !h.view()->currentFrame().isNull();
        });
    }

    // Waits for a request whose target contains `part`; returns how many there are.
    size_t requestsWith(const std::string& part) {
        size_t count = 0;
        const bool seen = waitFor([&] {
            count = 0;
            for (const camsim::RequestRecord& r : sim->requests())
                count += r.target.find(part) != std::string::npos;
            return count > 0;
        });
        return seen ? count : 0;
    }

    const CameraPanel::KindWidgets& wifi() const { return h.ui().camera.of(CameraKind::WiFi); }
    QSlider* brightness() const {
        return h.ui().camera.adjustmentSliders[static_cast<size_t>(Adjustment::Brightness)];
    }

    std::vector<std::string> snapshots() {
        return jpegNames(h.settings().getStrDocumentsPicture());
    }

    WiFiCameraSideTest() { h.window->captureBar().setSnapshotSide(&capture); }

    WindowHarness h;
    SnapshotCapture capture{h.window->captureBar(), h.settings(), std::make_unique<SilentSounds>()};
    std::unique_ptr<camsim::CamSim> sim;
    // Loopback until a test points the side at its camera, whatever the environment says.
    WiFiCameraSide side{*h.window, CameraHost{"127.0.0.1", 1, 1}};
};

struct KindRow {
    camsim::CameraKind kind;
    CameraMode mode;
    int frameRates, frameRateSelected;  // the simulator runs at 25 per second
    SliderSetting brightness;
    const char* brightnessRequest;  // for the slider at its minimum
    const char* secondResolutionRequest;
    bool shutterToggle;
};

void PrintTo(const KindRow& row, std::ostream* os) { *os << camsim::kindName(row.kind); }

class WiFiCameraKinds : public WiFiCameraSideTest, public ::testing::WithParamInterface<KindRow> {};

}  // namespace

TEST_P(WiFiCameraKinds, ConnectShowsThePictureListsAndSlidersAndTheCameraTakesTheChanges) {
    const KindRow& row = GetParam();
    ASSERT_TRUE(startCamera(row.kind) && connect());
    EXPECT_EQ(h.window->cameraMode(), row.mode);
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "WiFi microscope at 127.0.0.1");
    EXPECT_FALSE(h.ui().camera.ctrSpinner->isVisible());
    EXPECT_EQ(h.ui().camera.btLed->isVisible(), row.shutterToggle);

    const QComboBox* formats = wifi().formats;
    EXPECT_TRUE(formats->isVisible());
    ASSERT_EQ(formats->count(), 5);  // 1600 x 1200 is not offered
    EXPECT_EQ(formats->itemText(1), "640x480");
    EXPECT_EQ(formats->currentIndex(), 0);
    EXPECT_EQ(wifi().rates->count(), row.frameRates);
    EXPECT_EQ(wifi().rates->currentIndex(), row.frameRateSelected);
    QSlider* slider = brightness();
    EXPECT_EQ(slider->minimum(), row.brightness.minimum);
    EXPECT_EQ(slider->maximum(), row.brightness.maximum);
    EXPECT_EQ(slider->value(), row.brightness.value);

    // Brightness down: one request, and the camera's picture darkens.
    ASSERT_TRUE(morePictures(1));
    const double before = meanGreen(h.view()->currentFrame());
    slider->setValue(slider->minimum());
    EXPECT_EQ(requestsWith(row.brightnessRequest), 1u);
    EXPECT_TRUE(waitFor([&] { return meanGreen(h.view()->currentFrame()) < before - 40; }))
        << "level before " << before;

    // The second resolution: the camera is told, the stream waits for its restart.
    emit wifi().formats->activated(1);
    EXPECT_EQ(requestsWith(row.secondResolutionRequest), 1u);
    EXPECT_TRUE(h.ui().camera.ctrSpinner->isVisible());
}

const KindRow kWizardRow{
    camsim::CameraKind::Wizard,      CameraMode::WiFiWizard,       30,  24, {-64, 64, 0},
    "id=9963776&group=01&value=-64", "video_idx=1&video_frame=25", true};
const KindRow kCgiRow{camsim::CameraKind::Cgi, CameraMode::WiFiCgi, 6,    1, {0, 255, 128},
                      "param=1&value=0",       "param=0&value=1",   false};
INSTANTIATE_TEST_SUITE_P(, WiFiCameraKinds, ::testing::Values(kWizardRow, kCgiRow),
                         ::testing::PrintToStringParamName());

TEST_F(WiFiCameraSideTest, AProfileOfTheCameraAtItsHostIsAppliedAndComesBackAtTheNextConnect) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi) && connect());
    // Each brightness change reaches the camera before the next, so none merges into another.
    const auto brightnessRequests = [&](const char* value, size_t count) {
        const std::string part = std::string("param=1&value=") + value;
        return waitFor([&] { return requestsWith(part) >= count; });
    };
    const CameraPanel::Widgets& ui = h.ui().camera;
    QSlider* slider = brightness();
    slider->setValue(0);
    ASSERT_TRUE(brightnessRequests("0", 1));
    ui.profiles.cameraProfiles->setEditText(QStringLiteral("dark"));
    ui.profiles.btSaveProfile->click();
    CameraProfiles stored(h.root() + CameraProfiles::kFileName);
    ASSERT_EQ(stored.load(), "");
    const auto profile = stored.lastUsed("wifi-cgi@127.0.0.1");
    ASSERT_TRUE(profile);
    EXPECT_EQ(std::tuple(profile->adjustments[0], profile->resolution), std::tuple(0, "320x240"));

    slider->setValue(255);
    ASSERT_TRUE(brightnessRequests("255", 1));
    emit ui.profiles.cameraProfiles->activated(0);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_TRUE(brightnessRequests("0", 2));

    slider->setValue(255);
    ASSERT_TRUE(brightnessRequests("255", 2));
    ASSERT_TRUE(connect());
    EXPECT_TRUE(waitFor([&] { return slider->value() == 0; }));
    EXPECT_TRUE(brightnessRequests("0", 3));
    EXPECT_TRUE(h.alerts->alerts.isEmpty()) << h.alerts->alerts.join('\n');
}

TEST_F(WiFiCameraSideTest, RefusedConnectsAlertAndLeaveNoCamera) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi));
    sim.reset();  // its ports are closed now
    wifi().connect->click();
    ASSERT_TRUE(waitFor([&] { return !h.alerts->alerts.isEmpty(); }));
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please connect WiFi Microscope"});
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
    EXPECT_FALSE(h.ui().camera.ctrSpinner->isVisible());
}

TEST_F(WiFiCameraSideTest, WizardShutterPollerTakesASnapshotAndStopsWithTheCamera) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Wizard, 5) && connect());
    EXPECT_EQ(imageOf(h.ui().camera.btLed), "snapoff");
    h.ui().camera.btLed->click();
    EXPECT_EQ(imageOf(h.ui().camera.btLed), "snapon");
    EXPECT_EQ(h.ui().camera.btLed->toolTip(), "Turn snapshot off (wifi camera)");

    sim->pressShutter();
    ASSERT_TRUE(waitFor([&] { return !snapshots().empty(); }));
    EXPECT_EQ(side.snapCounter().value(), 6);

    // A USB camera takes over: stream and poller stop, the toggle goes.
    h.connectCamera(CameraMode::Usb);
    EXPECT_FALSE(side.snapButton().bEnableSnap());
    EXPECT_FALSE(side.receiver().streaming());
    EXPECT_FALSE(h.ui().camera.btLed->isVisible());
    EXPECT_TRUE(waitFor([&] { return sim->activeStreams() == 0; }));
}

TEST_F(WiFiCameraSideTest, ReconnectingLeavesOneStreamAndASizeChangeLaysTheViewOutAgain) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(connect());
    EXPECT_EQ(wifi().formats->count(), 5) << "one copy of each item";
    ASSERT_TRUE(waitFor([&] { return sim->activeStreams() == 1; }))
        << "open streams: " << sim->activeStreams();
    EXPECT_EQ(sim->streamsOpened(), 3);
    EXPECT_EQ(h.view()->logicalSize(), (ViewSize{950.0, 712.5}));

    // The camera switches to its third resolution, 1280 x 720, on the same stream.
    httplib::Client control("127.0.0.1", sim->controlPort());
    control.set_basic_auth(camsim::kUser, camsim::kPassword);
    const auto res =
        control.Get("/camera_control.cgi?loginuse=admin&loginpas=qorve&param=0&value=2");
    ASSERT_TRUE(res && res->status == 200);
    ASSERT_TRUE(waitFor([&] { return h.window->laidOutHeight() == 720; }));
    EXPECT_EQ(h.view()->logicalSize(), (ViewSize{950.0, 534.375}));
    EXPECT_EQ(sim->activeStreams(), 1);
}

// The stream's pictures may be as large as the largest size the camera announced (here
// 1920 x 1080 among its resolutions): a larger one is refused on its header.
TEST_F(WiFiCameraSideTest, PicturesLargerThanEveryAnnouncedSizeAreRefused) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi) && connect());
    const uint64_t failures = side.receiver().stats().decodeFailures;
    sim->queueParts({camsim::ScriptedPart::make("image/jpeg", flatJpeg(1920 + 17, 240, 60))});
    ASSERT_TRUE(waitFor([&] { return side.receiver().stats().decodeFailures > failures; }));
    ASSERT_TRUE(morePictures(1));
    EXPECT_EQ(h.view()->currentFrame().width, 320);
}

TEST_F(WiFiCameraSideTest, StreamedShutterPressWritesExactlyOneSnapshotIntoTheAlbum) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi, 5) && connect());
    EXPECT_EQ(side.snapCounter().value(), 5);
    ASSERT_TRUE(morePictures(5));
    EXPECT_TRUE(snapshots().empty()) << "the counter read at connect is no press";

    sim->pressShutter();
    ASSERT_TRUE(waitFor([&] { return !snapshots().empty(); }));
    ASSERT_TRUE(morePictures(10));  // every later part still carries photo_cnt 6
    ASSERT_EQ(snapshots().size(), 1u);
    EXPECT_EQ(side.snapCounter().value(), 6);
    EXPECT_EQ(h.window->albumPanel().oPicMutArray().size(), 1u);
}

// The restart delay leaves the resolution command time to reach the camera first.
constexpr StreamRestartTiming kQuickRestart{.restartDelay = std::chrono::milliseconds(300),
                                            .retryInterval = std::chrono::milliseconds(10),
                                            .retryAttempts = 3};

TEST_F(WiFiCameraSideTest, AStreamRefusedWhileTheCameraRestartsOpensAgainAfterAChange) {
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi, 0, 2));
    side.setRestartTiming(kQuickRestart);
    ASSERT_TRUE(connect());
    const int opened = sim->streamsOpened();
    emit wifi().formats->activated(1);  // 640 x 480
    ASSERT_TRUE(waitFor([&] { return h.window->laidOutWidth() == 640; }));
    EXPECT_EQ(sim->streamsOpened(), opened + 1) << "two refused, the third delivers";
    EXPECT_TRUE(h.alerts->alerts.isEmpty()) << h.alerts->alerts.join('\n');
    EXPECT_EQ(h.window->cameraMode(), CameraMode::WiFiCgi);
    EXPECT_TRUE(waitFor([&] { return !h.ui().camera.ctrSpinner->isVisible(); }));
}

TEST_F(WiFiCameraSideTest, AStreamThatStaysDownIsReportedAndTheWiFiButtonConnectsAgain) {
    const QString stopped = "The microscope stopped sending pictures. Press WiFi to connect again.";
    // The restart and its three retries are refused.
    ASSERT_TRUE(startCamera(camsim::CameraKind::Cgi, 0, 4));
    side.setRestartTiming(kQuickRestart);
    ASSERT_TRUE(connect());
    emit wifi().formats->activated(1);
    ASSERT_TRUE(waitFor([&] { return !h.alerts->alerts.isEmpty(); }));
    EXPECT_EQ(h.alerts->alerts, QStringList{stopped});
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "WiFi microscope disconnected");
    EXPECT_EQ(h.ui().txt_recording->text(), stopped);
    EXPECT_FALSE(wifi().formats->isVisible());
    EXPECT_FALSE(h.ui().camera.ctrSpinner->isVisible());

    ASSERT_TRUE(connect());
    EXPECT_EQ(h.window->cameraMode(), CameraMode::WiFiCgi);
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "WiFi microscope at 127.0.0.1");

    // A stream the camera ends without a change is reported at once.
    sim->injectFault(camsim::Fault::Drop);
    ASSERT_TRUE(waitFor([&] { return h.alerts->alerts.size() == 2; }));
    EXPECT_EQ(h.alerts->alerts.back(), stopped);
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
}
