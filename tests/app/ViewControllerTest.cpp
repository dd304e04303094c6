#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "AppTestSupport.h"
#include "app/AppDelegate.h"
#include "app/ColorWell.h"
#include "app/NSGridlinesView.h"
#include "app/NewCalibrationController.h"
#include "app/NewFolderController.h"
#include "app/ViewController.h"
#include "storage/CalibrationRecords.h"
#include "storage/TextFiles.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

// Stores a calibration record the way the view does and reports it (transfer 3).
void calibrate(WindowHarness& h, const std::string& name = "Ref", float mag = 60.0f,
               float unitLength = 1.0f) {
    ASSERT_TRUE(
        storeCalibrationRecord(h.settings().getStrCalibrationPlist(), name, mag, "mm", unitLength));
    UserEntity entity;
    entity.Param1 = name;
    entity.Param2 = std::to_string(mag);
    entity.Param3 = std::to_string(unitLength);
    entity.Param4 = "mm";
    entity.Param5 = name;
    h.window->PassValue(entity, kTransferCalibrationStored);
}

// Draws and stores a three-point angle through the view.
void drawAngle(WindowHarness& h) {
    click(h.view(), 110, 10);
    click(h.view(), 10, 110);
    click(h.view(), 10, 10);
    move(h.view(), 200, 200);
    click(h.view(), 200, 200);
}

class ViewControllerWithCamera : public ::testing::Test {
protected:
    void SetUp() override {
        h.window->iCameraMode = 1;
        h.frame();
    }
    WindowHarness h;
};

}  // namespace

// ---- Start-up ----

TEST(ViewControllerStartUp, BeginsWithoutCameraToolOrOverlay) {
    WindowHarness h;
    EXPECT_EQ(h.window->iCameraMode, 0);
    EXPECT_EQ(h.window->iMode(), 0);
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(h.window->iNewVideoWidth, 640);
    EXPECT_EQ(h.window->iNewVideoHeight, 480);
    EXPECT_EQ(h.window->iVideoWidth, 0);
    EXPECT_EQ(h.ui().VideoView->geometry(), QRect(218, 112, 950, 712));
    EXPECT_FALSE(h.ui().ctrSpinner->isVisible());
    EXPECT_EQ(h.model().fScale, 60.0f) << "the view starts with its default calibration";
    EXPECT_EQ(h.model().delegate, h.window.get());
    EXPECT_EQ(imageOf(h.ui().btLine), "line");
    EXPECT_EQ(imageOf(h.ui().btSGride), "grid");
    EXPECT_FALSE(h.window->calibration().isCalibrated());
    EXPECT_EQ(h.ui().CalComboBox->count(), 0);
    ASSERT_EQ(h.ui().AblumComboBox->count(), 1);
    EXPECT_EQ(h.ui().AblumComboBox->currentText(), "default");
    EXPECT_EQ(h.ui().SettingTabView->currentIndex(), 0);
}

TEST(ViewControllerStartUp, ListsTheAlbumsAndShowsTheCurrentAlbumsMedia) {
    auto home = std::make_shared<TempDir>();
    const fs::path root = home->path() / "Lumetra";
    for (const char* album : {"beta", "Alpha", "default"}) {
        fs::create_directories(root / album / "Image");
        fs::create_directories(root / album / "Video");
    }
    fs::create_directories(root / "notAnAlbum" / "Image");
    std::ofstream(root / "default" / "Image" / "20240101120000.jpg") << "x";
    std::ofstream(root / "default" / "Image" / "20240101120001.jpg") << "x";
    WindowHarness h(home);
    QStringList albums;
    for (int i = 0; i < h.ui().AblumComboBox->count(); ++i)
        albums << h.ui().AblumComboBox->itemText(i);
    EXPECT_EQ(albums, (QStringList{"Alpha", "beta", "default"}));
    EXPECT_EQ(h.ui().AblumComboBox->currentText(), "default");
    EXPECT_EQ(h.window->oPicMutArray().size(), 2u);
    EXPECT_EQ(h.ui().photoCount->text(), "2 snapshots");
    EXPECT_EQ(h.ui().videoCount->text(), "No recordings in this album");
}

// ---- Without a camera ----

TEST(ViewControllerWithoutCamera, GatedActionsDoNothing) {
    WindowHarness h;
    RecordingCaptureSide capture;
    h.window->setCaptureSide(&capture);
    calibrate(h);
    // A state to disturb: the angle tool with one stored angle.
    h.window->iCameraMode = 1;
    h.frame();
    h.ui().btTAngle->click();
    drawAngle(h);
    h.window->iCameraMode = 0;

    for (QToolButton* b :
         {h.ui().btLine, h.ui().btCLines, h.ui().btPLine, h.ui().btRCircle, h.ui().btDCircle,
          h.ui().btTCircle, h.ui().btTAngle, h.ui().btFAngle, h.ui().btPloygon, h.ui().btText,
          h.ui().btSGride, h.ui().btCGride, h.ui().btCrosshair, h.ui().btScale, h.ui().btUndo,
          h.ui().btDelete, h.ui().btSnapshot, h.ui().btTakevideo, h.ui().btCalibration}) {
        b->click();
        EXPECT_EQ(h.window->iMode(), kModeAngleThreePoints) << b->objectName().toStdString();
        EXPECT_EQ(h.window->iGridMode(), 0) << b->objectName().toStdString();
    }
    ASSERT_TRUE(h.activate());
    click(h.view(), 40, 40);
    QTest::keyClick(h.window.get(), Qt::Key_Escape);
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(h.model().bTAngle1stPoint) << "Escape is gated too";
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u) << "undo, delete and Ctrl+Z removed nothing";
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints);
    EXPECT_EQ(h.model().iGridMode, 0);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle_s");
    EXPECT_EQ(h.model().textField, std::nullopt) << "the text tool never reached the view";
    EXPECT_FALSE(h.window->GridlinesView()->isVisible());
    EXPECT_FALSE(h.window->calibrationMenu()->isVisible());
    EXPECT_EQ(capture.pictures, 0);
    EXPECT_EQ(capture.toggles, 0);
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

TEST(ViewControllerWithoutCamera, AlbumButtonSlidersAndColourWellsWork) {
    WindowHarness h;
    h.ui().btNewAblum->click();
    EXPECT_TRUE(h.window->albumMenu()->isVisible());
    h.window->albumMenu()->hide();

    h.ui().sliderWidth->setValue(6);
    h.ui().sliderFont->setValue(24);
    h.ui().sliderDecimal->setValue(1);
    EXPECT_EQ(h.ui().WidthTextField->text(), "6");
    EXPECT_EQ(h.ui().FontTextField->text(), "24");
    EXPECT_EQ(h.ui().DecimalTextField->text(), "1");
    EXPECT_EQ(h.settings().getILineWidth(), 6);
    EXPECT_EQ(h.settings().getIFontSize(), 24);
    EXPECT_EQ(h.settings().getIDecimal(), 1);
    EXPECT_EQ(h.model().iLineWidth, 6);
    EXPECT_EQ(h.model().iFontSize, 24);
    EXPECT_EQ(h.model().iDecimal, 1);

    h.ui().lColorWell->choose(QColor(0, 255, 0));
    h.ui().fColorWell->choose(QColor(255, 255, 0));
    EXPECT_EQ(h.settings().getOLineColor(), (RgbColor{0.0, 1.0, 0.0}));
    EXPECT_EQ(h.model().ctrLColor, (RgbColor{0.0, 1.0, 0.0}));
    EXPECT_EQ(h.settings().getOFontColor(), (RgbColor{1.0, 1.0, 0.0}));
    EXPECT_EQ(h.model().ctrFColor, (RgbColor{1.0, 1.0, 0.0}));
}

TEST(ViewControllerWithoutCamera, CameraButtonsReachTheCameraSide) {
    WindowHarness h;
    h.ui().btUSBCam->click();
    h.ui().btWiFiCam->click();  // nothing attached: nothing happens
    RecordingCameraSide camera;
    h.window->setCameraSide(&camera);
    h.ui().btUSBCam->click();
    h.ui().btWiFiCam->click();
    EXPECT_EQ(camera.usb, 1);
    EXPECT_EQ(camera.wifi, 1);
}

// ---- Tools ----

TEST_F(ViewControllerWithCamera, LineToolAsksForACalibrationFirst) {
    h.ui().btLine->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});
    EXPECT_EQ(h.window->iMode(), 0);
    EXPECT_EQ(h.model().iMode, 0);
    EXPECT_EQ(imageOf(h.ui().btLine), "line");
}

TEST_F(ViewControllerWithCamera, AngleToolsAndTextWorkWithoutCalibration) {
    h.ui().btTAngle->click();
    EXPECT_EQ(h.window->iMode(), kModeAngleThreePoints);
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle_s");
    h.ui().btFAngle->click();
    EXPECT_EQ(h.model().iMode, kModeAngleFourPoints);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle");
    EXPECT_EQ(imageOf(h.ui().btFAngle), "fangle_s");
    h.ui().btText->click();
    EXPECT_EQ(h.model().iMode, kModeText);
    EXPECT_EQ(h.window->iMode(), 0) << "the text tool is one-shot on the window's side";
    EXPECT_EQ(imageOf(h.ui().btFAngle), "fangle");
    ASSERT_NE(h.view()->textField(), nullptr);
    EXPECT_TRUE(h.view()->textField()->isVisible());
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

TEST_F(ViewControllerWithCamera, RefusedToolKeepsTheCurrentToolShown) {
    h.ui().btTAngle->click();
    h.ui().btPloygon->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});
    EXPECT_EQ(h.window->iMode(), kModeAngleThreePoints);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle_s");
}

TEST_F(ViewControllerWithCamera, ChoosingTheLineToolTwiceTurnsItOff) {
    calibrate(h, "Ref", 4.0f, 0.25f);
    h.ui().btLine->click();
    EXPECT_EQ(imageOf(h.ui().btLine), "line_s");
    EXPECT_EQ(h.model().iMode, kModeLine);
    EXPECT_FLOAT_EQ(h.model().fScale, 4.0f) << "a tool choice hands the calibration to the view";
    EXPECT_FLOAT_EQ(h.model().fUnitLength, 0.25f);
    h.ui().btLine->click();
    EXPECT_EQ(h.window->iMode(), 0);
    EXPECT_EQ(h.model().iMode, 0);
    EXPECT_EQ(imageOf(h.ui().btLine), "line");
}

TEST_F(ViewControllerWithCamera, ContinuousLineHintLastsUntilTheFigureIsStored) {
    calibrate(h);
    h.ui().btCLines->click();
    EXPECT_EQ(h.ui().txt_recording->text(), "Ctrl + Click to end");
    click(h.view(), 10, 10);
    move(h.view(), 100, 10);
    click(h.view(), 100, 10, Qt::ControlModifier);
    EXPECT_EQ(h.ui().txt_recording->text(), "Ctrl + Click to end");
    click(h.view(), 50, 50);  // stores the line: transfer 4
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(h.ui().txt_recording->text(), "");
    EXPECT_EQ(h.window->iMode(), kModeContinuousLine);

    h.ui().btPloygon->click();
    EXPECT_EQ(h.ui().txt_recording->text(), "Ctrl + Click to end");
    h.ui().btRCircle->click();
    EXPECT_EQ(h.ui().txt_recording->text(), "") << "another tool clears the hint";
}

TEST_F(ViewControllerWithCamera, UnknownTransferChangesNothing) {
    calibrate(h);
    h.ui().btPloygon->click();
    h.ui().btCrosshair->click();
    const auto before =
        std::make_tuple(h.window->iMode(), h.window->iGridMode(), h.ui().txt_recording->text(),
                        h.ui().CalComboBox->count(), h.ui().AblumComboBox->count(), h.model().iMode,
                        h.model().iGridMode, h.window->calibration().fScale());
    UserEntity entity;
    entity.Param1 = "Other";
    entity.Param2 = "5";
    entity.Param3 = "5";
    h.window->PassValue(entity, 7);
    h.window->PassValue(entity, 5);
    h.window->PassValue(entity, -1);
    const auto after =
        std::make_tuple(h.window->iMode(), h.window->iGridMode(), h.ui().txt_recording->text(),
                        h.ui().CalComboBox->count(), h.ui().AblumComboBox->count(), h.model().iMode,
                        h.model().iGridMode, h.window->calibration().fScale());
    EXPECT_EQ(before, after);
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

TEST_F(ViewControllerWithCamera, UndoAndDeleteResetTheButtonsAndRemoveShapes) {
    h.ui().btTAngle->click();
    drawAngle(h);
    drawAngle(h);
    ASSERT_EQ(h.model().oMutShapsArray.size(), 2u);
    h.ui().btCrosshair->click();
    h.ui().btUndo->click();
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(h.window->iMode(), 0);
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle");
    EXPECT_EQ(imageOf(h.ui().btCrosshair), "crosshair");
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints) << "the view keeps its own tool";
    EXPECT_EQ(h.model().iGridMode, kGridCrosshair) << "and its own overlay";
    drawAngle(h);
    h.ui().btDelete->click();
    EXPECT_FALSE(h.model().getShapesCount());
}

TEST_F(ViewControllerWithCamera, KeyboardAbandonsTheShapeAndUndoes) {
    h.ui().btTAngle->click();
    drawAngle(h);
    click(h.view(), 40, 40);
    EXPECT_TRUE(h.model().bTAngle1stPoint);
    ASSERT_TRUE(h.activate());
    QTest::keyClick(h.window.get(), Qt::Key_Escape);
    EXPECT_FALSE(h.model().bTAngle1stPoint);
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints) << "Escape keeps the tool";
    EXPECT_EQ(h.window->iMode(), kModeAngleThreePoints);
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u);
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(h.model().getShapesCount());
}

TEST(ViewControllerShortcuts, ToolTipsNameTheKeys) {
    WindowHarness h;
    EXPECT_TRUE(h.ui().btUndo->toolTip().contains("Ctrl+Z"));
    EXPECT_TRUE(h.ui().btLine->toolTip().contains("Esc"));
    EXPECT_TRUE(h.ui().btCLines->toolTip().contains("Ctrl + Click"));
}

// ---- Overlays ----

TEST_F(ViewControllerWithCamera, CrosshairTogglesWithoutCalibration) {
    h.ui().btCrosshair->click();
    EXPECT_EQ(h.window->iGridMode(), kGridCrosshair);
    EXPECT_EQ(h.model().iGridMode, kGridCrosshair);
    EXPECT_EQ(imageOf(h.ui().btCrosshair), "crosshair_s");
    h.ui().btCrosshair->click();
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(h.model().iGridMode, 0);
    EXPECT_EQ(imageOf(h.ui().btCrosshair), "crosshair");
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

TEST_F(ViewControllerWithCamera, GridsNeedACalibration) {
    h.ui().btSGride->click();
    h.ui().btCGride->click();
    h.ui().btScale->click();
    EXPECT_EQ(h.alerts->alerts, QStringList(3, "Please calibrate first"));
    EXPECT_FALSE(h.window->GridlinesView()->isVisible());
    EXPECT_EQ(h.window->iGridMode(), 0);
}

TEST_F(ViewControllerWithCamera, SquareGridChosenTwiceTurnsOffWithoutThePopover) {
    calibrate(h);
    h.ui().btSGride->click();
    NSGridlinesView* popover = h.window->GridlinesView();
    ASSERT_TRUE(popover->isVisible());
    EXPECT_EQ(imageOf(h.ui().btSGride), "grid") << "selected only after OK";
    popover->GridlinesField()->setText("1");
    popover->okButton()->click();
    EXPECT_FALSE(popover->isVisible());
    EXPECT_EQ(imageOf(h.ui().btSGride), "grid_s");
    EXPECT_EQ(h.model().iGridMode, kGridSquare);
    EXPECT_DOUBLE_EQ(h.model().fPitchPixes, 60.0);
    h.frame();
    EXPECT_GT(redPixels(h.view()->grab().toImage()), 1000) << "the grid is drawn";

    h.ui().btSGride->click();
    EXPECT_FALSE(popover->isVisible());
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(h.model().iGridMode, 0);
    EXPECT_EQ(imageOf(h.ui().btSGride), "grid");
}

TEST_F(ViewControllerWithCamera, CancelTurnsEveryOverlayOff) {
    calibrate(h);
    h.ui().btCrosshair->click();
    h.ui().btScale->click();
    ASSERT_TRUE(h.window->GridlinesView()->isVisible());
    h.window->GridlinesView()->cancelButton()->click();
    EXPECT_FALSE(h.window->GridlinesView()->isVisible());
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(h.model().iGridMode, 0);
    for (QToolButton* b : {h.ui().btSGride, h.ui().btCGride, h.ui().btCrosshair, h.ui().btScale}) {
        EXPECT_FALSE(imageOf(b).endsWith("_s")) << b->objectName().toStdString();
    }
}

TEST_F(ViewControllerWithCamera, EscapeOnThePopoverCancels) {
    calibrate(h);
    h.ui().btCGride->click();
    QTest::keyClick(h.window->GridlinesView(), Qt::Key_Escape);
    EXPECT_FALSE(h.window->GridlinesView()->isVisible());
    EXPECT_EQ(h.window->iGridMode(), 0);
}

TEST_F(ViewControllerWithCamera, EmptyGridLengthIsIllegalAndThePopoverStays) {
    calibrate(h);
    h.ui().btCGride->click();
    h.window->GridlinesView()->okButton()->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"The value is illegal"});
    EXPECT_TRUE(h.window->GridlinesView()->isVisible());
    EXPECT_EQ(imageOf(h.ui().btCGride), "circlegrid");
}

TEST_F(ViewControllerWithCamera, NonNumericGridLengthShowsTheButtonButDrawsNoGrid) {
    calibrate(h);
    h.ui().btSGride->click();
    h.window->GridlinesView()->GridlinesField()->setText("abc");
    h.window->GridlinesView()->okButton()->click();
    EXPECT_EQ(imageOf(h.ui().btSGride), "grid_s");
    EXPECT_EQ(h.window->iGridMode(), kGridSquare);
    EXPECT_EQ(h.model().iGridMode, 0);
    h.frame();
    EXPECT_EQ(redPixels(h.view()->grab().toImage()), 0);
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

// ---- Frames ----

TEST(ViewControllerFrames, ViewFollowsTheFrameSize) {
    WindowHarness h;
    h.window->onFrame(greyFrame(640, 480));
    EXPECT_EQ(h.window->iVideoWidth, 640);
    EXPECT_EQ(h.window->iVideoHeight, 480);
    // y-up origin (225, 55.75), 950 x 712.5: Qt's top edge is 900 - 55.75 - 712.5.
    EXPECT_EQ(h.view()->geometry(), QRect(225, 132, 950, 713));
    h.window->onFrame(greyFrame(1280, 720));
    EXPECT_EQ(h.window->iNewVideoWidth, 1280);
    EXPECT_EQ(h.view()->geometry(), QRect(225, 221, 950, 534));
    EXPECT_EQ(h.view()->currentFrame().width, 1280);
}

TEST(ViewControllerFrames, FastPathUntilSomethingIsDrawnOverThePicture) {
    WindowHarness h;
    h.window->iCameraMode = 1;
    RecordingCaptureSide capture;
    h.window->setCaptureSide(&capture);
    h.frame();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Layer);
    EXPECT_EQ(h.view()->measurementPassCount(), 0u);

    h.ui().btTAngle->click();
    drawAngle(h);
    h.ui().btTAngle->click();  // tool off again: only the shape needs the redraw
    ASSERT_EQ(h.window->iMode(), 0);
    const uint64_t before = h.view()->measurementPassCount();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Image);
    EXPECT_GT(h.view()->measurementPassCount(), before);
    EXPECT_EQ(capture.frames, 3) << "every frame goes to the recorder, drawn or not";

    h.ui().btDelete->click();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Layer);
}

TEST(ViewControllerFrames, ToolOrOverlayAloneTakesTheRedrawPath) {
    WindowHarness h;
    h.window->iCameraMode = 1;
    h.ui().btCrosshair->click();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Image);
    h.ui().btCrosshair->click();
    h.ui().btFAngle->click();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Image);
    h.ui().btFAngle->click();
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Layer);
}

TEST(ViewControllerFrames, PickedUpTextIsShownWhileItFollowsTheMouse) {
    WindowHarness h;
    h.window->iCameraMode = 1;
    h.frame();
    h.ui().btText->click();
    h.view()->textField()->setText("Cell wall");
    click(h.view(), 100, 100);
    move(h.view(), 300, 200);
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Image);
}

TEST(ViewControllerFrames, OversizedOrEmptyFramesAreRefused) {
    WindowHarness h;
    h.window->onFrame(Frame{});
    EXPECT_EQ(h.window->iVideoWidth, 0);
    EXPECT_TRUE(h.view()->currentFrame().isNull());
}

// ---- Albums ----

TEST(ViewControllerAlbums, NewFolderBecomesTheCurrentAlbum) {
    WindowHarness h;
    h.window->new_folder();
    NewFolderController* sheet = h.window->folderSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    sheet->mFolderName()->setText("Slides");
    sheet->okButton()->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(h.ui().AblumComboBox->currentText(), "Slides");
    EXPECT_EQ(h.settings().getStrDocumentsPicture(), h.root() + "Slides/Image/");
    EXPECT_EQ(readNameFile(h.root() + "default.txt"), "Slides");
    EXPECT_TRUE(fs::is_directory(h.root() + "Slides/Video"));
}

TEST(ViewControllerAlbums, ChoosingAnAlbumSwitchesToIt) {
    auto home = std::make_shared<TempDir>();
    const fs::path root = home->path() / "Lumetra";
    fs::create_directories(root / "zoo" / "Image");
    fs::create_directories(root / "zoo" / "Video");
    std::ofstream(root / "zoo" / "Video" / "20240101120000.mp4.jpg") << "x";
    WindowHarness h(home);
    const int zoo = h.ui().AblumComboBox->findText("zoo");
    ASSERT_GE(zoo, 0);
    h.ui().AblumComboBox->setCurrentIndex(zoo);
    h.window->comboBoxSelectionDidChange(h.ui().AblumComboBox);
    EXPECT_EQ(h.settings().getStrDocumentsVideo(), h.root() + "zoo/Video/");
    EXPECT_EQ(h.window->oVidMutArray().size(), 1u);
    EXPECT_EQ(h.ui().videoCount->text(), "1 recording");
    EXPECT_EQ(readNameFile(h.root() + "default.txt"), "zoo");
}

TEST(ViewControllerAlbums, NewItemsJoinTheirListByFlag) {
    WindowHarness h;
    int photoChanges = 0, videoChanges = 0;
    QObject::connect(h.window.get(), &ViewController::photoCollectionChanged,
                     [&] { ++photoChanges; });
    QObject::connect(h.window.get(), &ViewController::videoCollectionChanged,
                     [&] { ++videoChanges; });
    const std::string movie = h.settings().getStrDocumentsVideo() + "20250303090507.mp4.jpg";
    h.window->addCollectionItem(1, movie);
    h.window->addCollectionItem(7, "/elsewhere/ignored.jpg");
    ASSERT_EQ(h.window->oVidMutArray().size(), 1u);
    EXPECT_EQ(h.window->oVidMutArray().items().front().itemTitle, movie);
    EXPECT_EQ(h.ui().videoCount->text(), "1 recording");
    EXPECT_TRUE(h.window->oPicMutArray().empty());
    EXPECT_EQ(videoChanges, 1);
    EXPECT_EQ(photoChanges, 0);
}

TEST(ViewControllerAlbums, OpenFolderRevealsTheStorageRoot) {
    WindowHarness h;
    QList<QUrl> opened;
    h.window->openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    h.window->albumMenu()->actions().at(1)->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front(), QUrl::fromLocalFile(QString::fromStdString(h.root())));
}

// ---- Closing ----

TEST(ViewControllerClosing, ClosingTheWindowStopsTheUsbCaptureAndQuits) {
    WindowHarness h;
    AppDelegate::install(*qApp);
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    RecordingCameraSide camera;
    h.window->setCameraSide(&camera);
    h.window->close();
    EXPECT_EQ(camera.stops, 1);
    EXPECT_FALSE(h.window->isVisible());
}

// ---- Calibration ----

namespace {

// The list file's entries as name -> record.
std::map<std::string, std::string> storedRecords(const std::string& plist) {
    std::map<std::string, std::string> records;
    const auto entries = readCalibrationList(plist);
    if (!entries) return records;
    for (const auto& e : *entries) records[e.name] = e.record.value_or("");
    return records;
}

// Fills and confirms the new-calibration sheet.
void enterCalibration(WindowHarness& h, const QString& name, const QString& mag,
                      const QString& len) {
    h.window->calibrationMenu()->actions().at(0)->trigger();
    NewCalibrationController* sheet = h.window->calibrationSheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->isVisible());
    sheet->CalibrationName()->setText(name);
    sheet->CalibrationMag()->setText(mag);
    sheet->CalibrationLen()->setText(len);
    sheet->okButton()->click();
}

}  // namespace

TEST_F(ViewControllerWithCamera, CalibrationMenuHasItsThreeEntries) {
    h.ui().btCalibration->click();
    QMenu* menu = h.window->calibrationMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->title(), "Menu");
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(0)->text(), "New Calibration");
    EXPECT_EQ(menu->actions().at(1)->text(), "Open Folder");
    EXPECT_EQ(menu->actions().at(2)->text(), "Clear Calibration");
    menu->hide();
    QList<QUrl> opened;
    h.window->openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    menu->actions().at(1)->trigger();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(h.root()))});
}

TEST_F(ViewControllerWithCamera, InvalidSheetEntryKeepsTheSheetAndStartsNothing) {
    enterCalibration(h, "x10", "12.5", "1");
    EXPECT_EQ(h.alerts->alerts, QStringList{"Actual Length is illegal"});
    EXPECT_TRUE(h.window->calibrationSheet()->isVisible());
    EXPECT_FALSE(h.model().bCalibration);
    EXPECT_EQ(h.window->iMode(), 0);
}

TEST_F(ViewControllerWithCamera, CalibrationEndToEnd) {
    h.ui().btTAngle->click();  // another tool in force when the calibration starts
    enterCalibration(h, "Objective 4x", " 4 ", "0.5");
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
    EXPECT_FALSE(h.window->calibrationSheet()->isVisible());
    // Transfer 1: the typed values are in force and the view draws the reference line.
    EXPECT_EQ(h.window->iMode(), kModeLine);
    EXPECT_EQ(imageOf(h.ui().btLine), "line_s");
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle");
    EXPECT_TRUE(h.model().bCalibration);
    EXPECT_EQ(h.model().strCalName, "Objective 4x");
    EXPECT_FLOAT_EQ(h.model().fScale, 4.0f);
    EXPECT_FLOAT_EQ(h.model().fActualLength, 0.5f);
    EXPECT_FLOAT_EQ(h.window->calibration().fScale(), 4.0f);
    EXPECT_FLOAT_EQ(h.window->calibration().fUnitLength(), 0.5f);
    EXPECT_EQ(h.ui().CalComboBox->count(), 0);

    // A 300 px reference line, then its label position; the next redraw completes it.
    click(h.view(), 100, 100);
    move(h.view(), 400, 100);
    click(h.view(), 400, 100);
    move(h.view(), 250, 150);
    h.frame();
    const std::string plist = h.settings().getStrCalibrationPlist();
    EXPECT_EQ(storedRecords(plist),
              (std::map<std::string, std::string>{{"Objective 4x", "4.000-mm-0.007"}}));
    ASSERT_EQ(h.ui().CalComboBox->count(), 1);
    EXPECT_EQ(h.ui().CalComboBox->currentIndex(), 0);
    EXPECT_EQ(h.ui().CalComboBox->currentText(), "Objective 4x");
    EXPECT_EQ(readNameFile(h.root() + "calibration.txt"), "Objective 4x");
    EXPECT_FLOAT_EQ(h.window->calibration().fUnitLength(), 0.007f) << "the stored, rounded value";
    EXPECT_NEAR(h.model().fUnitLength, 0.5f * 4.0f / 300.0f, 1e-6) << "the view keeps its own";
    click(h.view(), 250, 150);
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u) << "the reference line is stored like any line";

    // A restart selects it again and applies it.
    WindowHarness restarted(h.home());
    ASSERT_EQ(restarted.ui().CalComboBox->count(), 1);
    EXPECT_EQ(restarted.ui().CalComboBox->currentIndex(), 0);
    EXPECT_TRUE(restarted.window->calibration().isCalibrated());
    EXPECT_EQ(restarted.window->calibration().strCalName(), "Objective 4x");
    EXPECT_FLOAT_EQ(restarted.window->calibration().fScale(), 4.0f);
}

TEST_F(ViewControllerWithCamera, CalibrationIsStoredOnlyWhenTheListFileExists) {
    fs::remove(h.settings().getStrCalibrationPlist());
    enterCalibration(h, "Lost", "10", "1");
    click(h.view(), 100, 100);
    move(h.view(), 200, 100);
    click(h.view(), 200, 100);
    move(h.view(), 150, 150);
    h.frame();
    EXPECT_FALSE(h.model().bCalibration) << "completed in the view";
    EXPECT_EQ(h.ui().CalComboBox->count(), 0);
    EXPECT_FALSE(fs::exists(h.root() + "calibration.txt"));
}

TEST_F(ViewControllerWithCamera, ChoosingACalibrationFromTheList) {
    calibrate(h, "Low", 10.0f, 2.0f);
    calibrate(h, "High", 100.0f, 0.5f);
    EXPECT_EQ(h.window->calibration().strCalName(), "High");
    const float viewScale = h.model().fScale;
    h.ui().CalComboBox->setCurrentIndex(0);
    h.window->comboBoxSelectionDidChange(h.ui().CalComboBox);
    EXPECT_EQ(h.window->calibration().strCalName(), "Low");
    EXPECT_FLOAT_EQ(h.window->calibration().fScale(), 10.0f);
    EXPECT_FLOAT_EQ(h.window->calibration().fUnitLength(), 2.0f);
    EXPECT_EQ(readNameFile(h.root() + "calibration.txt"), "Low");
    EXPECT_FLOAT_EQ(h.model().fScale, viewScale) << "the view learns it with the next tool choice";
    h.ui().btRCircle->click();
    EXPECT_FLOAT_EQ(h.model().fScale, 10.0f);
    EXPECT_FLOAT_EQ(h.model().fUnitLength, 2.0f);
}

TEST_F(ViewControllerWithCamera, ClearCalibrationForgetsEverything) {
    calibrate(h, "Low", 10.0f, 2.0f);
    h.ui().btTAngle->click();
    drawAngle(h);
    h.ui().btCrosshair->click();
    h.window->calibrationMenu()->actions().at(2)->trigger();
    EXPECT_EQ(readCalibrationList(h.settings().getStrCalibrationPlist())->size(), 0u)
        << "the list file holds an empty dictionary";
    EXPECT_FALSE(fs::exists(h.root() + "calibration.txt"));
    EXPECT_EQ(h.ui().CalComboBox->count(), 0);
    EXPECT_FALSE(h.model().getShapesCount());
    EXPECT_EQ(h.window->iMode(), 0);
    EXPECT_EQ(h.window->iGridMode(), 0);
    EXPECT_EQ(imageOf(h.ui().btTAngle), "tangle");
    EXPECT_EQ(imageOf(h.ui().btCrosshair), "crosshair");
    EXPECT_FALSE(h.window->calibration().isCalibrated());
    h.ui().btLine->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});

    calibrate(h, "Fresh", 20.0f, 1.0f);
    ASSERT_EQ(h.ui().CalComboBox->count(), 1) << "a new calibration is the only entry";
    EXPECT_EQ(h.ui().CalComboBox->itemText(0), "Fresh");
}

TEST_F(ViewControllerWithCamera, SameNameTwiceStandsTwiceInTheList) {
    calibrate(h, "Twin", 10.0f, 1.0f);
    calibrate(h, "Twin", 20.0f, 2.0f);
    ASSERT_EQ(h.ui().CalComboBox->count(), 2);
    EXPECT_EQ(h.ui().CalComboBox->currentIndex(), 1);
    EXPECT_EQ(storedRecords(h.settings().getStrCalibrationPlist()).size(), 1u);
    h.ui().CalComboBox->setCurrentIndex(0);
    h.window->comboBoxSelectionDidChange(h.ui().CalComboBox);
    EXPECT_FLOAT_EQ(h.window->calibration().fScale(), 20.0f)
        << "both entries select the one record";
}

TEST(ViewControllerCalibrationStartUp, NameWithoutRecordStartsUncalibrated) {
    auto home = std::make_shared<TempDir>();
    {
        WindowHarness first(home);
        calibrate(first, "Kept", 10.0f, 1.0f);
    }
    ASSERT_TRUE(writeNameFile((home->path() / "Lumetra" / "calibration.txt").string(), "Gone"));
    WindowHarness h(home);
    EXPECT_EQ(h.ui().CalComboBox->count(), 1);
    EXPECT_EQ(h.ui().CalComboBox->currentIndex(), -1);
    EXPECT_FALSE(h.window->calibration().isCalibrated());
}
