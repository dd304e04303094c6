#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <cstdlib>

#include "AppTestSupport.h"
#include "app/CameraListBox.h"
#include "app/RecordingCapture.h"
#include "app/UsbCameraSide.h"
#include "app/WiFiCameraSide.h"
#include "camera/adjust/AdjustmentSlider.h"
#include "support/FakeV4l2.h"
#include "support/MovieReader.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// The window with its USB side on a fake kernel and a fake /dev and /sys tree.
class UsbCameraSideTest : public ::testing::Test {
protected:
    UsbCameraSideTest() {
        side.setDeviceChooser([this](const QString& message, const QStringList& devices) {
            offers.push_back({message, devices});
            return choice;
        });
    }

    // The blue level at the centre of what the view shows; -1 without a picture.
    int centre() const {
        const Frame& f = h.view()->currentFrame();
        return f.isNull() ? -1 : f.row(f.height / 2)[4 * (f.width / 2)];
    }
    // Lets frames through, one at a time, until the view's centre satisfies `shows`.
    bool pictureUntil(const std::function<bool(int)>& shows) {
        uint64_t awaited = side.camera().stats().framesDelivered;
        return waitFor([&] { return feedInTurn(awaited) && shows(centre()); });
    }
    // Feeds a good frame once the camera delivered the `awaited` fed before it; true.
    bool feedInTurn(uint64_t& awaited) {
        if (side.camera().stats().framesDelivered >= awaited) {
            kernel.feed({FakeFrame::Good});
            ++awaited;
        }
        return true;
    }
    // The device list opens: it is read again.
    void openDeviceList() { emit static_cast<CameraListBox*>(usb().devices)->aboutToShowPopup(); }
    const CameraPanel::KindWidgets& usb() const { return h.ui().camera.of(CameraKind::Usb); }

    struct Offer {
        QString message;
        QStringList devices;
    };

    WindowHarness h;
    TempDir dir;
    FakeV4l2 kernel;
    std::vector<Offer> offers;
    std::optional<int> choice;
    UsbCameraSide side{
        *h.window, kernel, {(dir.path() / "dev").string(), (dir.path() / "sys").string()}};
};

}  // namespace

TEST_F(UsbCameraSideTest, ShowsTheMicroscopeFillsItsListsAndTheSlidersAdjustThePicture) {
    kernel.addMicroscope(dir.path(), "video0", "abcd0001", 1);
    kernel.addMicroscope(dir.path(), "video2", "14c31302", 2);
    usb().connect->click();
    ASSERT_TRUE(h.alerts->alerts.isEmpty()) << h.alerts->alerts.join('\n');
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Usb);
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "USB microscope: USB Microscope");
    const CameraPanel::Widgets& ui = h.ui().camera;
    // Two cameras of one model are told apart by their nodes.
    EXPECT_EQ(itemsOf(usb().devices),
              QStringList({"USB Microscope (video0)", "USB Microscope (video2)"}));
    EXPECT_EQ(usb().devices->currentIndex(), 1);
    EXPECT_EQ(itemsOf(usb().formats).size(), 6);
    EXPECT_EQ(usb().formats->currentText(), "Motion-JPEG, 640 x 480");
    EXPECT_EQ(itemsOf(usb().rates), QStringList({"FPS: 30.00", "FPS: 15.00"}));
    EXPECT_EQ(usb().rates->currentIndex(), 0);
    EXPECT_TRUE(usb().rates->isVisible());
    EXPECT_FALSE(ui.of(CameraKind::WiFi).formats->isVisible());

    ASSERT_TRUE(pictureUntil([](int c) { return c == 200; }));
    EXPECT_EQ(h.window->laidOutWidth(), 640);
    if (const char* path = std::getenv("LUMETRA_USB_SCREENSHOT")) h.window->grab().save(path);

    // Gamma 0.25 + 0.4 * 3.75 = 1.75 darkens mid-grey: (200 / 255)^1.75 * 255 = 166.
    QSlider* gamma = ui.adjustmentSliders[static_cast<size_t>(Adjustment::Gamma)];
    EXPECT_EQ(gamma->maximum(), kAdjustmentSliderSteps);
    EXPECT_EQ(gamma->value(), 200);
    gamma->setValue(400);
    EXPECT_TRUE(side.adjustments().bGamma);
    ASSERT_TRUE(pictureUntil([](int c) { return c >= 160 && c <= 172; })) << centre();
    ui.btDefault->click();
    EXPECT_EQ(gamma->value(), 200);
    EXPECT_FALSE(side.adjustments().anyFlag());
    ASSERT_TRUE(pictureUntil([](int c) { return c == 200; })) << centre();

    // A format of another size: frames arrive at it and the view is laid out again.
    emit usb().formats->activated(2);
    EXPECT_EQ(usb().formats->currentText(), "Motion-JPEG, 1920 x 1080");
    // Elided in the narrow panel, whole in the tool tip.
    QHelpEvent tip(QEvent::ToolTip, QPoint(4, 4), usb().formats->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(usb().formats, &tip);
    EXPECT_EQ(usb().formats->toolTip(), "Motion-JPEG, 1920 x 1080");
    emit usb().rates->activated(1);
    EXPECT_EQ(usb().rates->currentIndex(), 1);
    ASSERT_TRUE(pictureUntil([&](int) { return h.window->laidOutWidth() == 1920; }));
    EXPECT_EQ(h.window->captureBar().frameHeight(), 1080);
}

TEST_F(UsbCameraSideTest, WithoutAMicroscopeItAlertsAndOffersOtherCaptureDevices) {
    usb().connect->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please connect USB Microscope"});
    EXPECT_TRUE(offers.empty());

    kernel.addMicroscope(dir.path(), "video0", "abcd0001", 1);
    usb().connect->click();  // declined
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_TRUE(offers[0].message.startsWith("Please connect USB Microscope"));
    EXPECT_EQ(offers[0].devices,
              QStringList{"USB Microscope (" + QString::fromStdString(dir.path().string()) +
                          "/dev/video0)"});
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
    EXPECT_EQ(kernel.openFds(), 0u);
    choice = 0;
    usb().connect->click();
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Usb);
    EXPECT_TRUE(side.camera().running());
}

TEST_F(UsbCameraSideTest, UnplugAndRefusedOpenAreToldAndTheLastPictureStays) {
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1).openErrno = EACCES;
    usb().connect->click();
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_TRUE(h.alerts->alerts[0].contains("\"video\" group"));
    EXPECT_EQ(usb().devices->currentIndex(), -1);

    kernel.addMicroscope(dir.path(), "video1", "14c31302", 2);
    openDeviceList();
    ASSERT_EQ(usb().devices->count(), 2);
    emit usb().devices->activated(1);
    ASSERT_TRUE(pictureUntil([](int c) { return c == 200; }));

    // Unplugged mid-recording: the file is finished, playable to its last written frame.
    RecordingCapture recording(h.window->captureBar(), h.settings(),
                               std::make_unique<SilentSounds>());
    h.window->captureBar().setRecordingSide(&recording);
    ASSERT_TRUE(pictureUntil([&](int) { return recording.recorder().delivering(); }));
    h.ui().capture.btTakevideo->click();
    ASSERT_TRUE(pictureUntil([&](int) { return recording.recorder().stats().slotsWritten > 3; }));
    // The device list opens before the stream's own notice is handled: the unplug is
    // told all the same, once.
    kernel.feed({FakeFrame::Unplug});
    ASSERT_TRUE(kernel.waitForUnplug(std::chrono::milliseconds(kWait)));
    openDeviceList();
    ASSERT_TRUE(waitFor([&] { return h.alerts->alerts.size() == 2; }));
    EXPECT_TRUE(h.alerts->alerts[1].contains("unplugged"));
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "USB microscope disconnected");
    EXPECT_EQ(imageOf(h.ui().capture.btTakevideo), "movies");
    ASSERT_TRUE(
        waitFor([&] { return h.ui().txt_recording->text().startsWith("Recording saved to"); }));
    const test::Movie movie = test::readMovie(recording.recorder().videoFileName());
    EXPECT_EQ(movie.codec, AV_CODEC_ID_H264);
    EXPECT_EQ(movie.times.size(), recording.recorder().stats().slotsWritten);
    EXPECT_GE(movie.times.size(), 1u);
    EXPECT_EQ(h.window->albumPanel().oVidMutArray().size(), 1u) << "the thumbnail stays";
    EXPECT_EQ(centre(), 200);
    EXPECT_FALSE(usb().formats->isVisible());
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Usb);

    kernel.replug();
    openDeviceList();
    emit usb().devices->activated(1);
    EXPECT_EQ(h.alerts->alerts.size(), 2);
    ASSERT_TRUE(pictureUntil([](int c) { return c == 200; }));
    EXPECT_EQ(h.ui().camera.cameraStatus->text(), "USB microscope: USB Microscope");
}

TEST_F(UsbCameraSideTest, AMicroscopeInUseByAnotherProgramIsSaidToBe) {
    FakeDevice& microscope = kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);
    microscope.openErrno = EBUSY;  // not even listed before
    usb().connect->click();
    microscope.openErrno = 0;
    microscope.streamOnErrno = EBUSY;  // opens, but another program streams from it
    usb().connect->click();
    ASSERT_EQ(h.alerts->alerts.size(), 2);
    for (const QString& alert : h.alerts->alerts)
        EXPECT_TRUE(
            alert.endsWith("video0 is in use by another program. Close that program "
                           "and connect again."))
            << alert;
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
    EXPECT_EQ(kernel.openFds(), 0u);
}

// USB, WiFi, USB again, each switch with a recording under way: the other camera's button
// stops the camera in use and finishes its recording, complete and playable.
TEST_F(UsbCameraSideTest, SwitchingToWiFiAndBackFinishesTheRecordingAtEachSwitch) {
    RecordingCapture recording(h.window->captureBar(), h.settings(),
                               std::make_unique<SilentSounds>());
    h.window->captureBar().setRecordingSide(&recording);
    camsim::CamSim sim({.kind = camsim::CameraKind::Cgi, .width = 320, .height = 240, .fps = 25});
    ASSERT_TRUE(sim.start());
    WiFiCameraSide wifi(*h.window, {"127.0.0.1", sim.controlPort(), sim.streamPort()});
    kernel.addMicroscope(dir.path(), "video0", "14c31301", 1);

    // Records from the camera in use until a few frames are written; returns the movie.
    const auto record = [&](const std::function<bool()>& morePictures) {
        EXPECT_TRUE(waitFor([&] { return morePictures() && recording.recorder().delivering(); }));
        h.ui().capture.btTakevideo->click();
        EXPECT_TRUE(waitFor(
            [&] { return morePictures() && recording.recorder().stats().slotsWritten > 3; }));
        return recording.recorder().videoFileName();
    };
    // The movie was finished at the switch and reads back whole.
    const auto finished = [&](const std::string& movie) {
        EXPECT_EQ(imageOf(h.ui().capture.btTakevideo), "movies");
        ASSERT_TRUE(waitFor([&] {
            return h.ui().txt_recording->text() ==
                   "Recording saved to " + QString::fromStdString(movie);
        }));
        const test::Movie read = test::readMovie(movie);
        EXPECT_EQ(read.codec, AV_CODEC_ID_H264);
        EXPECT_GE(read.times.size(), 4u);
    };
    // One frame at a time, as the last one was delivered.
    const auto usbFrame = [&, awaited = uint64_t{0}]() mutable { return feedInTurn(awaited); };
    const auto wifiFrame = [&] { return wifi.receiver().stats().picturesDecoded > 0; };

    usb().connect->click();
    ASSERT_EQ(h.window->cameraMode(), CameraMode::Usb);
    const std::string usbMovie = record(usbFrame);

    h.ui().camera.of(CameraKind::WiFi).connect->click();
    ASSERT_TRUE(waitFor([&] { return h.window->cameraMode() == CameraMode::WiFiCgi; }));
    EXPECT_FALSE(side.camera().running());
    EXPECT_EQ(kernel.openFds(), 0u);
    finished(usbMovie);
    const std::string wifiMovie = record(wifiFrame);

    usb().connect->click();
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Usb);
    EXPECT_FALSE(wifi.receiver().streaming());
    finished(wifiMovie);
    EXPECT_NE(wifiMovie, usbMovie);
    ASSERT_TRUE(pictureUntil([](int c) { return c == 200; }));
    EXPECT_TRUE(h.alerts->alerts.isEmpty()) << h.alerts->alerts.join('\n');
}

TEST_F(UsbCameraSideTest, AProfileKeepsTheSettingsAndComesBackWhenTheMicroscopeConnectsAgain) {
    FakeDevice& device = kernel.addMicroscope(dir.path(), "video0", "14c31302", 1);
    const CameraPanel::Widgets& ui = h.ui().camera;
    QSlider* gamma = ui.adjustmentSliders[static_cast<size_t>(Adjustment::Gamma)];
    EXPECT_FALSE(ui.profiles.btSaveProfile->isEnabled());  // no camera yet
    usb().connect->click();
    ui.profiles.btSaveProfile->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Type a name for the profile first."});
    h.alerts->alerts.clear();
    gamma->setValue(400);
    emit usb().formats->activated(2);
    emit usb().rates->activated(1);
    ui.profiles.cameraProfiles->setEditText(QStringLiteral("slide"));
    ui.profiles.btSaveProfile->click();

    ui.btDefault->click();
    emit usb().formats->activated(0);
    ASSERT_EQ(ui.profiles.cameraProfiles->count(), 1);
    emit ui.profiles.cameraProfiles->activated(0);
    EXPECT_EQ(gamma->value(), 400);
    EXPECT_TRUE(side.adjustments().bGamma);
    EXPECT_EQ(usb().formats->currentText(), "Motion-JPEG, 1920 x 1080");
    EXPECT_EQ(usb().rates->currentIndex(), 1);

    // Connected again at its first format, the microscope gets its last profile back.
    ui.btDefault->click();
    usb().connect->click();
    ASSERT_TRUE(waitFor([&] { return gamma->value() == 400; }));
    EXPECT_EQ(usb().formats->currentText(), "Motion-JPEG, 1920 x 1080");
    EXPECT_TRUE(h.alerts->alerts.isEmpty()) << h.alerts->alerts.join('\n');
    CameraProfiles stored(h.root() + CameraProfiles::kFileName);
    ASSERT_EQ(stored.load(), "");
    EXPECT_EQ(stored.lastUsed("usb:14c31302:usb-0000:00:14.0-1")->name, "slide");

    // After a firmware change the camera lacks the profile's resolution: the rest applies.
    std::erase_if(device.modes, [](const FakeMode& m) { return m.width == 1920; });
    ui.btDefault->click();
    usb().connect->click();
    ASSERT_TRUE(waitFor([&] { return gamma->value() == 400; }));
    EXPECT_EQ(h.alerts->alerts,
              QStringList{"The camera does not offer Motion-JPEG, 1920 x 1080 now, so that stays "
                          "as it is; the rest of the profile \"slide\" is applied."});

    ui.profiles.btDeleteProfile->click();
    EXPECT_EQ(ui.profiles.cameraProfiles->count(), 0);
}
