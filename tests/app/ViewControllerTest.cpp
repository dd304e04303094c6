#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "AppTestSupport.h"
#include "app/AlbumPages.h"
#include "app/ColorWell.h"
#include "app/KeptSettings.h"
#include "app/NSGridlinesView.h"
#include "app/NewCalibrationController.h"
#include "app/NewFolderController.h"
#include "app/ResultsPanel.h"
#include "app/WindowSides.h"
#include "capture/SnapshotSidecar.h"
#include "image/JpegComment.h"
#include "measure/LabelFormat.h"
#include "measure/MeasurementPass.h"
#include "measure/results/ResultsText.h"
#include "measure/tools/ToolTable.h"
#include "storage/CalibrationRecords.h"
#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"
#include "support/PlistSamples.h"
#include "tools/camsim/MicrometerSlide.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

// Capture sides that count what the window asks of them.
struct RecordingCaptureSide : SnapshotSide, RecordingSide {
    void takePicture() override { ++pictures; }
    void requestPicture() override { ++pictures; }
    void snapshotWritten(const std::string&) override {}
    void toggleRecording() override { ++toggles; }
    void recordingVideo(const Frame&) override {}
    void finishRecording() override {}
    int pictures = 0, toggles = 0;
};

// A calibration completed by the view's reference line.
void calibrate(WindowHarness& h, const std::string& name = "Ref", float mag = 60.0f,
               float unitLength = 1.0f) {
    h.window->calibrationCompleted({name, mag, "mm", unitLength});
}

// Chooses the three-point angle tool and draws and stores an angle through the view.
void drawAngle(WindowHarness& h) {
    h.ui().measure.toolButton(kModeAngleThreePoints)->click();
    for (int xy : {110, 10}) click(h.view(), xy, 120 - xy);
    click(h.view(), 10, 10);
    move(h.view(), 200, 200);
    click(h.view(), 200, 200);
}

// An entry of the calibration menu: 0 new, 2 clear, 3 delete.
void calibrationMenu(WindowHarness& h, int entry) {
    h.window->calibrationPanel().menu()->actions().at(entry)->trigger();
}

// Fills and confirms the new-calibration sheet.
void enterCalibration(WindowHarness& h, const QString& name, const QString& mag, const QString& len,
                      bool findTicks = false) {
    calibrationMenu(h, 0);
    NewCalibrationController* sheet = h.window->calibrationPanel().sheet();
    ASSERT_NE(sheet, nullptr);
    sheet->CalibrationMethod()->setCurrentIndex(findTicks ? 1 : 0);
    if (findTicks) sheet->CalibrationUnit()->setCurrentIndex(1);  // µm
    sheet->CalibrationName()->setText(name);
    sheet->CalibrationMag()->setText(mag);
    sheet->CalibrationLen()->setText(len);
    sheet->okButton()->click();
}

// A line of `pixels` from (100, 100), then the mouse on its label; the next
// frame completes a calibration in progress. Placing the label stores the line.
void drawReferenceLine(WindowHarness& h, double pixels, bool placeLabel = false) {
    click(h.view(), 100, 100);
    move(h.view(), 100 + pixels, 100);
    click(h.view(), 100 + pixels, 100);
    move(h.view(), 250, 150);
    if (placeLabel) click(h.view(), 250, 150);
}

// "Demo" (100 view units to 1 mm) in force, the length tool chosen and a line of
// 100 units drawn with its live label showing.
void lineInDemo(WindowHarness& h) {
    calibrate(h, "Demo", 100.0f, 1.0f);
    h.ui().measure.toolButton(kModeLine)->click();
    h.frame();
    drawReferenceLine(h, 100);
}

// Chooses an entry of a list as the user does: made current, then activated.
void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

class ViewControllerWithCamera : public ::testing::Test {
protected:
    void SetUp() override {
        h.connectCamera();
        h.frame();
    }
    // Window state and buttons, and nothing drawn.
    void expectOverlaysOff() {
        EXPECT_EQ(h.window->measureBar().iGridMode(), 0);
        EXPECT_EQ(h.model().iGridMode, 0);
        for (QToolButton* b : {h.ui().measure.btSGride, h.ui().measure.btCGride,
                               h.ui().measure.btCrosshair, h.ui().measure.btScale})
            EXPECT_FALSE(imageOf(b).endsWith("_s")) << b->objectName();
    }
    WindowHarness h;
};

}  // namespace

TEST(ViewControllerWithoutCamera, GatedActionsDoNothingButSaySo) {
    WindowHarness h;
    RecordingCaptureSide capture;
    h.window->captureBar().setSnapshotSide(&capture);
    h.window->captureBar().setRecordingSide(&capture);
    calibrate(h);
    h.frame();

    std::vector<QToolButton*> buttons{
        h.ui().measure.btSGride,   h.ui().measure.btCGride,    h.ui().measure.btCrosshair,
        h.ui().measure.btScale,    h.ui().measure.btUndo,      h.ui().measure.btDelete,
        h.ui().capture.btSnapshot, h.ui().capture.btTakevideo, h.ui().calibration.btCalibration,
        h.ui().capture.btFreeze,   h.ui().measure.btScaleBar};
    for (const auto& [mode, button] : h.ui().measure.toolButtons) buttons.push_back(button);
    for (QToolButton* b : buttons) {
        SCOPED_TRACE(b->objectName().toStdString());
        h.ui().txt_recording->clear();
        b->click();
        const QString said = h.ui().txt_recording->text();
        EXPECT_TRUE(said.startsWith("Connect a microscope or open a picture first"));
        EXPECT_EQ((std::tuple<int, int, int>(h.window->measureBar().iMode(),
                                             h.window->measureBar().iGridMode(), h.model().iMode)),
                  (std::tuple(0, 0, 0)));
    }
    ASSERT_TRUE(h.activate());
    click(h.view(), 40, 40);
    QTest::keyClick(h.window.get(), Qt::Key_Escape);
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(h.window->measureBar().GridlinesView()->isVisible());
    EXPECT_FALSE(h.window->calibrationPanel().menu()->isVisible());
    EXPECT_FALSE(h.view()->frozen());
    EXPECT_FALSE(h.view()->scaleBarShown());
    EXPECT_EQ(capture.pictures + capture.toggles, 0);
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

TEST(ViewControllerWithoutCamera, AlbumButtonWorksAndDrawingSettingsAreKeptForTheNextRun) {
    WindowHarness h;
    h.ui().album.btNewAblum->click();
    EXPECT_TRUE(h.window->albumPanel().menu()->isVisible());
    h.window->albumPanel().menu()->hide();
    h.ui().drawing.sliderWidth->setValue(6);
    h.ui().drawing.sliderFont->setValue(24);
    h.ui().drawing.DecimalTextField->setText("1");  // typed beside the slider
    emit h.ui().drawing.DecimalTextField->editingFinished();
    EXPECT_EQ(h.settings().getILineWidth(), 6);
    EXPECT_EQ(std::tuple(h.model().iLineWidth, h.model().iFontSize, h.model().iDecimal),
              std::tuple(6, 24, 1));
    h.ui().drawing.lColorWell->choose(QColor(0, 255, 0));
    h.ui().drawing.fColorWell->choose(QColor(255, 255, 0));
    EXPECT_EQ(h.settings().getOLineColor(), (RgbColor{0.0, 1.0, 0.0}));
    EXPECT_EQ(h.model().ctrFColor, (RgbColor{1.0, 1.0, 0.0}));

    WindowHarness restarted(h.home());
    EXPECT_EQ(std::tuple(restarted.model().iLineWidth, restarted.model().iFontSize,
                         restarted.model().iDecimal),
              std::tuple(6, 24, 1));
    EXPECT_EQ(restarted.ui().drawing.DecimalTextField->text(), "1");
    EXPECT_EQ(restarted.settings().getOFontColor(), (RgbColor{1.0, 1.0, 0.0}));

    // A folder that no file manager opens is named in a message.
    restarted.window->setUrlOpener([](const QUrl&) { return false; });
    restarted.window->open_folder();
    ASSERT_EQ(restarted.alerts->alerts.size(), 1);
    EXPECT_TRUE(restarted.alerts->alerts[0].contains(QString::fromStdString(restarted.root())));
}

TEST_F(ViewControllerWithCamera, FreezeHoldsThePictureAndTheScaleBarNeedsACalibration) {
    ASSERT_TRUE(h.activate());
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    EXPECT_TRUE(h.view()->frozen());
    EXPECT_EQ(imageOf(h.ui().capture.btFreeze), "freeze_s");
    h.ui().capture.btFreeze->click();
    EXPECT_FALSE(h.view()->frozen());

    h.ui().measure.btScaleBar->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});
    calibrate(h);
    h.ui().measure.btScaleBar->click();
    EXPECT_TRUE(h.view()->scaleBarShown());
    EXPECT_EQ(imageOf(h.ui().measure.btScaleBar), "scalebar_s");
    h.frame();
    EXPECT_EQ(h.view()->lastFramePath(), FramePath::Image) << "the bar is drawn over the picture";
}

TEST_F(ViewControllerWithCamera, ZeroShowsTheWholePictureAgainAndF11GoesFullScreen) {
    ASSERT_TRUE(h.activate());
    const QPointF centre = QRectF(h.view()->rect()).center();
    QWheelEvent wheel(centre, h.view()->mapToGlobal(centre), {}, QPoint(0, 480), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.view(), &wheel);
    EXPECT_DOUBLE_EQ(h.view()->zoomFactor(), 4.0);
    QTest::keyClick(h.window.get(), Qt::Key_0);
    EXPECT_DOUBLE_EQ(h.view()->zoomFactor(), 1.0);
    QTest::keyClick(h.window.get(), Qt::Key_F11);
    EXPECT_TRUE(h.window->isFullScreen());
    QTest::keyClick(h.window.get(), Qt::Key_F11);
    EXPECT_FALSE(h.window->isFullScreen());
}

TEST_F(ViewControllerWithCamera, AfterADialogSpaceFreezesUnlessATextFieldHasTheKeyboard) {
    ASSERT_TRUE(h.activate());
    h.ui().calibration.CalComboBox->setFocus();
    calibrationMenu(h, 0);
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.window->calibrationPanel().sheet()));
    h.window->calibrationPanel().sheet()->reject();
    ASSERT_TRUE(h.activate());  // as the window manager does
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == h.view(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(h.view()->frozen());
    h.ui().calibration.CalComboBox->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(h.view()->frozen()) << "a list with the keyboard leaves Space to the picture";
    EXPECT_FALSE(h.ui().calibration.CalComboBox->view()->isVisible());
    h.ui().drawing.WidthTextField->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(h.view()->frozen()) << "Space is typed into the field";
}

TEST_F(ViewControllerWithCamera, MenuButtonsPressedFromTheKeyboardOpenTheirMenuBelowThem) {
    ASSERT_TRUE(h.activate());
    QCursor::setPos(h.window->mapToGlobal(QPoint(0, 0)));  // away from the buttons
    const std::pair<QToolButton*, QMenu*> buttons[] = {
        {h.ui().calibration.btCalibration, h.window->calibrationPanel().menu()},
        {h.ui().album.btNewAblum, h.window->albumPanel().menu()}};
    for (const auto& [button, menu] : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        ASSERT_TRUE(menu->isVisible());
        const QRect below = button->rect().translated(button->mapToGlobal(QPoint(0, 0)));
        EXPECT_EQ(menu->geometry().top(), below.bottom() + 1);
        EXPECT_TRUE(menu->geometry().left() <= below.right() &&
                    menu->geometry().right() >= below.left());
        menu->hide();
    }
}

TEST(ViewControllerPanels, ASliderInTheScrolledPanelTakesTheWheelOnlyWithTheKeyboard) {
    WindowHarness h;
    h.window->resize(h.window->minimumSize());
    ASSERT_TRUE(h.activate());
    auto* panel = h.window->findChild<QScrollArea*>("sideScroll");
    ASSERT_NE(panel, nullptr);
    ASSERT_GT(panel->verticalScrollBar()->maximum(), 0) << "the panel must scroll at this size";
    EXPECT_LE(panel->widget()->minimumSizeHint().width(), panel->viewport()->width())
        << "nothing in the panel is cut at its right edge";
    QSlider* slider = h.ui().drawing.sliderWidth;
    // A wheel event left unaccepted goes on to the scrolled panel.
    const auto wheelOverSlider = [&] {
        const QPointF at(slider->rect().center());
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
        return wheel.isAccepted();
    };
    const int value = slider->value();
    EXPECT_FALSE(wheelOverSlider());
    EXPECT_EQ(slider->value(), value);
    slider->setFocus();
    EXPECT_TRUE(wheelOverSlider());
    EXPECT_NE(slider->value(), value);
}

TEST(ViewControllerRestart, TheWindowComesBackWhereItWasAndOnTheScreen) {
    std::shared_ptr<TempDir> home;
    QRect was;
    {
        WindowHarness first;
        home = first.home();
        first.window->setGeometry(60, 50, 1100, 680);
        was = first.window->frameGeometry();
        first.window->close();
    }
    {
        WindowHarness again(home);
        // The test screen is narrower than the window: its left edge takes the screen's.
        const QRect screen = again.window->screen()->availableGeometry();
        EXPECT_EQ(again.window->frameGeometry(), was.translated(screen.left() - was.left(), 0));
        again.window->close();
        keptSettings().setValue(kept::kWindowFramePosition, QPoint(-9000, 9000));
    }
    WindowHarness again(home);
    const QRect screen = again.window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(again.window->pos())) << "the frame is kept on the screen";
}

TEST_F(ViewControllerWithCamera, ToolsNeedingACalibrationAlertWhileAnglesAndTextWork) {
    h.ui().measure.toolButton(kModeLine)->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});
    EXPECT_EQ(h.model().iMode, 0);
    EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeLine)), "line");
    h.ui().measure.toolButton(kModeAngleThreePoints)->click();
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints);
    h.ui().measure.toolButton(kModePolygon)->click();
    EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeAngleThreePoints)), "tangle_s")
        << "a refused tool keeps the current one";
    h.ui().measure.toolButton(kModeText)->click();
    EXPECT_EQ(h.model().iMode, kModeText);
    EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeAngleThreePoints)), "tangle");
    ASSERT_TRUE(h.view()->textField() && h.view()->textField()->isVisible());
    EXPECT_EQ(h.view()->textField()->placeholderText(), "Please enter text");
}

TEST_F(ViewControllerWithCamera, TheHintLineTellsTheNextStepAndAStoredFigureKeepsTheTool) {
    calibrate(h);
    h.ui().measure.toolButton(kModeContinuousLine)->click();
    EXPECT_EQ(h.ui().txt_recording->text(), "Click the first point");
    click(h.view(), 10, 10);
    EXPECT_EQ(h.ui().txt_recording->text(), "Click the next point, Ctrl + Click to end");
    move(h.view(), 100, 10);
    click(h.view(), 100, 10, Qt::ControlModifier);
    EXPECT_EQ(h.ui().txt_recording->text(), "Click to place the label");
    click(h.view(), 50, 50);  // stores the line: transfer 4
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(h.ui().txt_recording->text(), "Click the first point");
    EXPECT_EQ(h.window->measureBar().iMode(), kModeContinuousLine);
}

TEST_F(ViewControllerWithCamera, UnknownTransferChangesNothing) {
    calibrate(h);
    h.ui().measure.toolButton(kModePolygon)->click();
    h.ui().measure.btCrosshair->click();
    const auto state = [&] {
        return std::make_tuple(h.window->measureBar().iMode(), h.window->measureBar().iGridMode(),
                               h.ui().txt_recording->text(),
                               h.ui().calibration.CalComboBox->count(),
                               h.ui().album.AblumComboBox->count());
    };
    const auto before = state();
    UserEntity entity;
    entity.Param1 = "Other";
    for (int type : {7, 5, -1}) h.window->PassValue(entity, type);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
}

// Window, view and hint line agree on the tool, and the overlay buttons on what is drawn.
TEST_F(ViewControllerWithCamera, UndoAndDeleteEndToolAndOverlayEverywhere) {
    calibrate(h);
    for (QToolButton* remove : {h.ui().measure.btUndo, h.ui().measure.btDelete}) {
        for (QToolButton* overlay : {h.ui().measure.btSGride, h.ui().measure.btCrosshair}) {
            overlay->click();
            h.window->measureBar().GridlinesView()->GridlinesField()->setText("1");
            if (h.window->measureBar().GridlinesView()->isVisible())
                h.window->measureBar().GridlinesView()->okButton()->click();
            ASSERT_NE(h.model().iGridMode, 0);
            h.ui().measure.toolButton(kModeLine)->click();
            click(h.view(), 10, 10);
            remove->click();
            EXPECT_EQ(std::pair(h.window->measureBar().iMode(), h.model().iMode),
                      (std::pair<MeasureMode, uint8_t>(kModeNone, 0)))
                << remove->objectName();
            EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeLine)), "line");
            EXPECT_EQ(h.ui().txt_recording->text(), h.view()->stepHint());
            EXPECT_FALSE(h.model().shapeInProgress());
            expectOverlaysOff();
            h.ui().measure.btCrosshair->click();  // one press draws it again
            EXPECT_EQ(h.model().iGridMode, kGridCrosshair);
            h.ui().measure.btCrosshair->click();
        }
    }
}

TEST_F(ViewControllerWithCamera, EscapeKeepsTheToolAndControlZUndoes) {
    drawAngle(h);
    click(h.view(), 40, 40);
    ASSERT_TRUE(h.activate());
    QTest::keyClick(h.window.get(), Qt::Key_Escape);
    EXPECT_FALSE(h.model().shapeInProgress());
    EXPECT_EQ(h.model().iMode, kModeAngleThreePoints) << "Escape keeps the tool";
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(h.model().getShapesCount());
}

// Choosing another calibration is a step of its own: undoing it chooses the one before
// again, or says why it cannot.
TEST_F(ViewControllerWithCamera, RelabellingIsUndoneAndRedoneWithTheShapesAndItsKeys) {
    h.alerts->confirmAnswer = true;
    calibrate(h, "Fine", 60.0f);
    calibrate(h, "Coarse", 30.0f);
    h.ui().measure.toolButton(kModeLine)->click();
    click(h.view(), 100, 100);
    click(h.view(), 160, 100);
    click(h.view(), 150, 150);
    ASSERT_EQ(h.model().oMutShapsArray.size(), 1u);
    ASSERT_TRUE(h.window->calibrationPanel().chooseNamed("Fine"));
    EXPECT_FALSE(h.window->calibrationPanel().chooseNamed("None such"));
    const auto inForce = [&] {
        return std::tuple(h.window->calibration().strCalName(), calibrationNameOf(h.model()),
                          calibrationOf(h.model()).fScale, h.model().oMutShapsArray.size());
    };
    h.ui().measure.btUndo->click();
    EXPECT_EQ(inForce(),
              std::tuple(std::string("Coarse"), std::string("Coarse"), 30.0f, size_t{1}));
    ASSERT_TRUE(h.activate());
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(h.model().getShapesCount()) << "then the line's adding";
    QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(h.window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(inForce(), std::tuple(std::string("Fine"), std::string("Fine"), 60.0f, size_t{1}));

    // Coarse chosen, then deleted: undoing the second relabelling cannot bring it back.
    ASSERT_TRUE(h.window->calibrationPanel().chooseNamed("Coarse"));
    h.window->calibrationPanel().deleteChosen();
    h.ui().measure.btUndo->click();
    EXPECT_EQ(h.ui().txt_recording->text(),
              "The calibration \"Coarse\" is no longer stored; the measurements keep the one in "
              "force");
    EXPECT_EQ(calibrationNameOf(h.model()), "");
    h.ui().measure.btUndo->click();
    EXPECT_EQ(inForce(), std::tuple(std::string("Fine"), std::string("Fine"), 60.0f, size_t{1}));
}

TEST_F(ViewControllerWithCamera, UndoneFirstCalibrationLeavesTheShapesInTheOneInForce) {
    drawAngle(h);
    calibrate(h, "Ref");
    h.ui().measure.btUndo->click();
    EXPECT_EQ(h.ui().txt_recording->text(),
              "The measurements were read without a calibration before; they keep the one in "
              "force");
    EXPECT_EQ(std::tuple(h.window->calibration().strCalName(), calibrationNameOf(h.model())),
              std::tuple(std::string("Ref"), std::string("Ref")));
    h.ui().measure.btUndo->click();
    EXPECT_FALSE(h.model().getShapesCount()) << "then the angle's adding";
}

// A click on a shape without a tool chooses it here and in the results; Delete on
// the picture removes that one only.
TEST_F(ViewControllerWithCamera, ChosenShapeFollowsTheResultsAndDeleteRemovesOnlyIt) {
    drawAngle(h);
    calibrate(h);
    h.ui().measure.toolButton(kModeLine)->click();
    for (int x : {300, 400, 350}) click(h.view(), x, 300);
    const RQShape angle = h.model().oMutShapsArray[0];
    h.ui().measure.toolButton(kModeLine)->click();  // no tool
    ASSERT_EQ(h.window->measureBar().iMode(), kModeNone);
    click(h.view(), 320, 301);
    EXPECT_EQ(h.window->resultsPanel().selectedShape(), 1);
    h.window->resultsPanel().selectShape(0);
    EXPECT_EQ(h.view()->selectedShape(), 0) << "a row chooses the shape";
    h.window->resultsPanel().selectShape(1);
    ASSERT_TRUE(h.activate());
    h.view()->setFocus();
    QTest::keyClick(h.view(), Qt::Key_Delete);
    ASSERT_EQ(h.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(h.model().oMutShapsArray[0], angle);
    EXPECT_EQ(h.window->resultsPanel().selectedShape(), -1);
    QTest::keyClick(h.view(), Qt::Key_Delete);
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u) << "the key removes only a chosen shape";
    h.ui().measure.btDelete->click();
    EXPECT_FALSE(h.model().getShapesCount()) << "the button, none chosen, all of them";
}

TEST_F(ViewControllerWithCamera, CrosshairWithoutCalibrationGridsNeedOneAndCancelTurnsAllOff) {
    h.ui().measure.btCrosshair->click();
    EXPECT_EQ(h.model().iGridMode, kGridCrosshair);
    EXPECT_EQ(imageOf(h.ui().measure.btCrosshair), "crosshair_s");
    for (QToolButton* b :
         {h.ui().measure.btSGride, h.ui().measure.btCGride, h.ui().measure.btScale})
        b->click();
    EXPECT_EQ(h.alerts->alerts, QStringList(3, "Please calibrate first"));
    EXPECT_FALSE(h.window->measureBar().GridlinesView()->isVisible());
    h.ui().measure.btCrosshair->click();
    EXPECT_EQ(h.model().iGridMode, 0);

    calibrate(h);
    h.ui().measure.btCrosshair->click();
    h.ui().measure.btScale->click();
    h.window->measureBar().GridlinesView()->cancelButton()->click();
    EXPECT_FALSE(h.window->measureBar().GridlinesView()->isVisible());
    expectOverlaysOff();
    EXPECT_EQ(h.model().iGridMode, 0);
    h.ui().measure.btCGride->click();
    QTest::keyClick(h.window->measureBar().GridlinesView(), Qt::Key_Escape);
    EXPECT_FALSE(h.window->measureBar().GridlinesView()->isVisible());
}

TEST_F(ViewControllerWithCamera, SquareGridLengthAndChosenTwiceTurnsOffWithoutThePopover) {
    calibrate(h);
    NSGridlinesView* popover = h.window->measureBar().GridlinesView();
    const auto choose = [&](const char* length) {
        h.ui().measure.btSGride->click();
        ASSERT_TRUE(popover->isVisible());
        EXPECT_EQ(imageOf(h.ui().measure.btSGride), "grid") << "selected only after OK";
        popover->GridlinesField()->setText(length);
        popover->okButton()->click();
        EXPECT_FALSE(popover->isVisible());
        h.frame();
    };
    choose("abc");
    EXPECT_EQ(imageOf(h.ui().measure.btSGride), "grid_s");
    EXPECT_EQ(h.model().iGridMode, 0);
    EXPECT_EQ(redPixels(h.view()->grab().toImage()), 0) << "no number, no grid";
    h.ui().measure.btSGride->click();

    choose("1");
    EXPECT_DOUBLE_EQ(h.model().fPitchPixes, 60.0);
    EXPECT_GT(redPixels(h.view()->grab().toImage()), 1000) << "the grid is drawn";
    h.ui().measure.btSGride->click();
    EXPECT_FALSE(popover->isVisible());
    expectOverlaysOff();
    EXPECT_EQ(h.model().iGridMode, 0);
}

TEST(ViewControllerAlbums, AlbumsListedInOrderNewFolderBecomesCurrentAndItemsJoinTheirList) {
    auto home = std::make_shared<TempDir>();
    for (const char* album : {"beta", "Alpha", "gamma"})
        for (const char* media : {"Image", "Video"})
            fs::create_directories(home->path() / "Lumetra" / album / media);
    std::ofstream(home->path() / "Lumetra/beta/Image/20240101120000.jpg") << "x";
    WindowHarness h(home);
    QComboBox* albums = h.ui().album.AblumComboBox;
    const auto chooseAlbum = [&](const char* name) { choose(albums, albums->findText(name)); };
    QStringList listed;
    for (int i = 0; i < albums->count(); ++i) listed << albums->itemText(i);
    EXPECT_EQ(listed, (QStringList{"Alpha", "beta", "default", "gamma"}));

    h.window->albumPanel().newFolder();
    ASSERT_NE(h.window->albumPanel().folderSheet(), nullptr);
    h.window->albumPanel().folderSheet()->mFolderName()->setText("Slides");
    h.window->albumPanel().folderSheet()->okButton()->click();
    EXPECT_EQ(h.settings().getStrDocumentsPicture(), h.root() + "Slides/Image/");
    EXPECT_EQ(readNameFile(h.root() + "default.txt"), "Slides");
    EXPECT_EQ(albums->currentText(), "Slides");
    EXPECT_EQ(h.window->albumPanel().albumPages().grid(MediaKind::Picture).numberOfItems() +
                  h.window->albumPanel().albumPages().grid(MediaKind::Video).numberOfItems(),
              0);

    std::ofstream(h.root() + "default/Video/20240101120000.mp4.jpg") << "x";
    chooseAlbum("default");
    EXPECT_EQ(h.ui().album.videoCount->text(), "1 recording");
    EXPECT_EQ(readNameFile(h.root() + "default.txt"), "default");
    // The switch happens when default.txt cannot be written, and that is said.
    fs::remove(h.root() + "default.txt");
    fs::create_directory(h.root() + "default.txt");
    chooseAlbum("gamma");
    EXPECT_EQ(h.settings().getStrDocumentsPicture(), h.root() + "gamma/Image/");
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_TRUE(h.alerts->alerts.front().contains("default.txt"));
    fs::remove(h.root() + "default.txt");
    chooseAlbum("default");

    h.window->captureBar().recordingThumbnailAdded(h.settings().getStrDocumentsVideo() +
                                                   "20250303090507.mp4.jpg");
    EXPECT_EQ(h.window->albumPanel().oVidMutArray().size(), 2u);
    EXPECT_TRUE(h.window->albumPanel().oPicMutArray().empty());
}

TEST_F(ViewControllerWithCamera, CalibrationEndToEndAndAfterARestart) {
    h.ui().measure.toolButton(kModeAngleThreePoints)->click();  // another tool in force
    enterCalibration(h, "Objective 4x", " 4 ", "0.5");
    EXPECT_TRUE(h.alerts->alerts.isEmpty());
    EXPECT_FALSE(h.window->calibrationPanel().sheet()->isVisible());
    EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeLine)), "line_s");
    EXPECT_TRUE(h.model().bCalibration);
    h.window->captureBar().setFrozen(true);
    EXPECT_EQ(h.ui().txt_recording->text(),
              "Calibration: click the first end of the reference line (picture frozen)");
    h.window->captureBar().setFrozen(false);
    drawReferenceLine(h, 300);
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 0)
        << "stored only once the line is complete";
    h.frame();
    const auto stored = readCalibrationList(h.settings().getStrCalibrationPlist());
    ASSERT_TRUE(stored && stored->size() == 1u);
    EXPECT_EQ(stored->front().name, "Objective 4x");
    EXPECT_EQ(stored->front().record, "4.000-mm-0.006666667");
    EXPECT_EQ(std::pair(h.ui().calibration.CalComboBox->count(),
                        h.ui().calibration.CalComboBox->currentIndex()),
              std::pair(1, 0));
    EXPECT_EQ(readNameFile(h.root() + "calibration.txt"), "Objective 4x");
    EXPECT_EQ(h.window->calibration().fUnitLength(), h.model().fUnitLength) << "stored exactly";
    click(h.view(), 250, 150);
    EXPECT_EQ(h.model().oMutShapsArray.size(), 1u) << "the reference line is stored like any line";
    // Drawn where it was clicked, seen in the whole window as the screen shows it.
    const ViewFit fit = h.view()->fit();
    const QPoint onLine =
        h.view()->mapTo(h.window.get(), QPointF(fit.pixelX(250), fit.pixelY(100)).toPoint());
    EXPECT_GT(redPixels(h.window->grab(QRect(onLine - QPoint(3, 3), QSize(7, 7))).toImage()), 0);

    auto restarted = std::make_unique<WindowHarness>(h.home());
    EXPECT_EQ(restarted->ui().calibration.CalComboBox->currentIndex(), 0);
    EXPECT_FLOAT_EQ(restarted->window->calibration().fScale(), 4.0f);
    EXPECT_TRUE(restarted->ui().calibration.calibrationStatus->text().endsWith(
        " view units at this magnification"))
        << "no frame yet: the camera's pixels are unknown";
    // A remembered name without a record starts uncalibrated.
    ASSERT_TRUE(writeNameFile(h.root() + "calibration.txt", "Gone"));
    restarted = std::make_unique<WindowHarness>(h.home());
    EXPECT_EQ(restarted->ui().calibration.CalComboBox->currentIndex(), -1);
    EXPECT_FALSE(restarted->window->calibration().isCalibrated());
}

TEST_F(ViewControllerWithCamera, ACalibrationWithoutAFiniteUnitLengthIsRefusedAndNotStored) {
    // 3.4e38 mm over a line that reads 0.3 units at magnification 1000.
    enterCalibration(h, "Huge", "1000", "340000000000000000000000000000000000000");
    drawReferenceLine(h, 300);
    h.frame();
    EXPECT_EQ(h.alerts->alerts, QStringList{"The actual length is out of range for this line"});
    EXPECT_TRUE(h.model().bCalibration) << "drawn again";
    EXPECT_FALSE(h.model().pt1stPoint.isSet());
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 0);
    EXPECT_FALSE(h.window->calibration().isCalibrated());
}

TEST(ViewController, CalibrationFromTheDemoMicrometersTicks) {
    WindowHarness h;
    h.window->cameraConnected(CameraMode::Usb, 1280, 720, QString());
    const Frame slide = camsim::renderMicrometerSlide(1280, 720, 0, 3);
    const camsim::ScaleGeometry g = camsim::scaleGeometry(1280, 720);
    h.window->onFrame(slide);
    h.window->captureBar().setFrozen(true);
    // The frame's pixels in the view's units.
    const ViewSize logical = h.view()->logicalSize();
    const auto inView = [&](double x, double y) {
        return std::pair(x * logical.width / 1280, logical.height - y * logical.height / 720);
    };
    const auto drawOver = [&](double x0, double x1, double y) {
        const auto [ax, ay] = inView(x0, y);
        const auto [bx, by] = inView(x1, y);
        click(h.view(), ax, ay);
        move(h.view(), bx, by);
        click(h.view(), bx, by);
        move(h.view(), bx - 40, by - 60);
        h.window->onFrame(slide);  // the next frame completes it
        h.view()->grab();
    };

    // Over the light field above the scale: refused, and drawn again.
    enterCalibration(h, "Demo", "100", "10", true);
    drawOver(200, 1000, 100);
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_TRUE(h.alerts->alerts.front().contains("ticks")) << h.alerts->alerts.front();
    EXPECT_TRUE(h.model().bCalibration);
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 0);

    // Along the short ticks: every division found, 10 µm each.
    drawOver(g.firstTickX - 4, g.firstTickX + 100 * g.spacing + 4,
             g.baselineY - g.majorLength / 5.0);
    EXPECT_EQ(h.view()->tickMarks().size(), 101u);
    ASSERT_FALSE(h.model().bCalibration);
    const auto stored = readCalibrationList(h.settings().getStrCalibrationPlist());
    ASSERT_TRUE(stored && stored->size() == 1u && stored->front().record);
    const auto record = parseCalibrationRecord(*stored->front().record);
    ASSERT_TRUE(record);
    EXPECT_GT(record->relativeUncertainty, 0.0f);
    const double pixelsPerUm = g.spacing / 10.0;  // the demo's known scale
    const QString status = h.ui().calibration.calibrationStatus->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Demo: 1 \u00B5m = 1.02"))) << status;
    EXPECT_TRUE(status.contains(QStringLiteral(" \u00B1 "))) << status;
    const double found = status.section(' ', 4, 4).toDouble();
    EXPECT_NEAR(found, pixelsPerUm, 2e-4 * pixelsPerUm) << status;
}

// A list nested too deeply for the reader: the window starts without it, and a
// calibration stored next to it keeps the old file beside the new list and says so.
// A calibration.txt that cannot be written is said too.
TEST_F(ViewControllerWithCamera, UnreadableListIsKeptAsideAndFailedWritesAreSaid) {
    const std::string plist = h.settings().getStrCalibrationPlist();
    const std::string deep = binaryList(100000, 1);
    std::ofstream(plist, std::ios::binary | std::ios::trunc) << deep;
    WindowHarness restarted(h.home());
    EXPECT_EQ(restarted.ui().calibration.CalComboBox->count(), 0);
    ASSERT_EQ(restarted.alerts->alerts.size(), 1);
    EXPECT_TRUE(restarted.alerts->alerts.front().contains(QString::fromStdString(plist)));

    fs::create_directory(h.root() + "calibration.txt");  // cannot be replaced by a file
    enterCalibration(h, "New", "10", "1");
    drawReferenceLine(h, 100);
    h.frame();
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 1);
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    const QString said = h.alerts->alerts.front();
    const auto kept = said.indexOf("calibration.plist.unreadable-");
    ASSERT_GE(kept, 0) << said;
    EXPECT_TRUE(said.contains(QString::fromStdString(h.root() + "calibration.txt"))) << said;
    const QString keptName = said.mid(kept).section('"', 0, 0);
    EXPECT_EQ(readWholeFile(h.root() + keptName.toStdString()), deep);

    choose(h.ui().calibration.CalComboBox, 0);
    EXPECT_EQ(h.alerts->alerts.size(), 2) << "choosing says it too";
}

TEST_F(ViewControllerWithCamera, ClearCalibrationAsksThenForgetsEverything) {
    calibrate(h, "Low", 10.0f, 2.0f);
    drawAngle(h);
    h.ui().measure.btCrosshair->click();
    calibrationMenu(h, 2);  // cancelled: nothing changes
    EXPECT_EQ(h.alerts->confirmations,
              QStringList{"Clear Calibration: All 1 stored calibration will be deleted. This "
                          "cannot be undone."});
    EXPECT_EQ(readCalibrationList(h.settings().getStrCalibrationPlist())->size(), 1u);
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 1);
    h.alerts->confirmAnswer = true;
    calibrationMenu(h, 2);
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 0);
    EXPECT_FALSE(h.model().getShapesCount());
    expectOverlaysOff();
}

TEST_F(ViewControllerWithCamera, AbandonedNewCalibrationLeavesTheOneInForce) {
    lineInDemo(h);  // 100 px read 1 mm
    click(h.view(), 250, 150);
    const auto inForce = [&] {
        const MeasureModel& m = h.model();
        return std::tuple(m.strCalName, m.fScale, m.fUnitLength, m.strUnit);
    };
    const auto before = inForce();
    ASSERT_EQ(h.window->resultsPanel().table().rows.at(0).at(2), "1.000");
    ASSERT_TRUE(h.activate());
    const std::vector<std::function<void()>> abandons{
        [&] { h.ui().measure.toolButton(kModeAngleThreePoints)->click(); },
        [&] { QTest::keyClick(h.window.get(), Qt::Key_Escape); }};
    for (const auto& abandon : abandons) {
        enterCalibration(h, "New", "2", "0.1");
        ASSERT_TRUE(h.model().bCalibration);
        EXPECT_EQ(h.window->calibration().strCalName(), "Demo") << "in force until completed";
        EXPECT_EQ(calibrationOf(h.model()).fScale, 100.0f) << "stored shapes read in it";
        EXPECT_EQ(snapshotRecord(h.model(), 640, 480, true).calibrationName, "Demo");
        abandon();
        h.frame();
        EXPECT_FALSE(h.model().bCalibration);
        EXPECT_EQ(inForce(), before);
        EXPECT_EQ(h.window->calibration().fScale(), 100.0f);
        EXPECT_EQ(h.ui().calibration.CalComboBox->currentText(), "Demo");
        EXPECT_EQ(h.window->resultsPanel().table().rows.at(0).at(2), "1.000") << "not relabelled";
    }
    EXPECT_EQ(readCalibrationList(h.settings().getStrCalibrationPlist())->size(), 1u);

    // The one in force deleted meanwhile: the shapes lose their lengths, the reference
    // line goes on.
    enterCalibration(h, "New", "2", "0.1");
    h.alerts->confirmAnswer = true;
    h.window->calibrationPanel().deleteChosen();
    EXPECT_TRUE(h.model().bCalibration);
    EXPECT_EQ(h.window->measureBar().iMode(), kModeLine);
    EXPECT_FALSE(isUsable(calibrationOf(h.model())));
    EXPECT_EQ(snapshotRecord(h.model(), 640, 480, true).calibrationName, "");
}

// With no calibration the length tool ends as if refused: nothing reads inf.
TEST_F(ViewControllerWithCamera, ClearedOrDeletedCalibrationEndsTheLengthTool) {
    h.alerts->confirmAnswer = true;
    for (int menuEntry : {2, 3}) {  // Clear Calibration, Delete Calibration
        lineInDemo(h);
        calibrationMenu(h, menuEntry);
        EXPECT_FALSE(h.window->calibration().isCalibrated());
        EXPECT_EQ(std::pair(h.window->measureBar().iMode(), h.model().iMode),
                  (std::pair<MeasureMode, uint8_t>(kModeNone, 0)));
        EXPECT_EQ(imageOf(h.ui().measure.toolButton(kModeLine)), "line");
        EXPECT_FALSE(h.model().shapeInProgress());
        h.alerts->alerts.clear();
        h.ui().measure.toolButton(kModeLine)->click();
        EXPECT_EQ(h.alerts->alerts, QStringList{"Please calibrate first"});
    }
}

TEST_F(ViewControllerWithCamera, CsvExportOpensInTheAlbumFolderNotAmongTheSnapshots) {
    RQShape line;
    line.type = kModeLine;
    h.window->resultsPanel().setShapes(std::span(&line, 1), {60.0f, 1.0f, "mm"},
                                       defaultCountClassNames());
    QString opened;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (!dialog || !dialog->isVisible()) continue;
            opened = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    h.window->resultsPanel().findChild<QPushButton*>(QStringLiteral("btExportCsv"))->click();
    EXPECT_EQ(opened.toStdString(),
              h.settings().layout().albumFolder(h.settings().getStrDefFolder()));
}

TEST_F(ViewControllerWithCamera, ChosenCalibrationRelabelsAtOnceAndOneCanBeDeleted) {
    calibrate(h, "Low", 10.0f, 2.0f);
    calibrate(h, "High", 40.0f, 2.0f);
    h.ui().measure.toolButton(kModeLine)->click();
    h.frame();
    drawReferenceLine(h, 200, true);
    EXPECT_EQ(h.model().fScale, 40.0f);
    choose(h.ui().calibration.CalComboBox, 0);
    EXPECT_EQ(h.model().fScale, 10.0f) << "the stored line reads in the chosen calibration";
    const ResultsTable& results = h.window->resultsPanel().table();
    ASSERT_EQ(results.rows.size(), 1u);
    EXPECT_EQ(results.rows[0][2], "40.000") << "200 px at 5 px per mm, in the results too";
    // 5 view units per mm; the view is 950 units wide for a 640-pixel frame, then 1280.
    EXPECT_EQ(h.ui().calibration.calibrationStatus->text(),
              "Low: 1 mm = 3.37 camera pixels at this magnification");
    h.window->onFrame(greyFrame(1280, 960));
    EXPECT_EQ(h.ui().calibration.calibrationStatus->text(),
              "Low: 1 mm = 6.74 camera pixels at this magnification");

    h.alerts->confirmAnswer = true;
    h.window->calibrationPanel().deleteChosen();
    EXPECT_EQ(h.ui().calibration.CalComboBox->count(), 1);
    EXPECT_EQ(h.ui().calibration.CalComboBox->itemText(0), "High");
    EXPECT_FALSE(h.window->calibration().isCalibrated()) << "the deleted one was in force";
}

// A reference line reads exactly the entered length, also after a restart: 1 mm over
// 760 view pixels at magnification 1 needs more than three decimals of unit length.
TEST_F(ViewControllerWithCamera, CalibrationKeepsItsPrecisionAcrossARestart) {
    // The newest stored line in the window's current calibration, as its label reads.
    const auto reading = [](WindowHarness& w) {
        const CalibrationModel& cal = w.window->calibration();
        const RQShape& line = w.model().oMutShapsArray.back();
        return formatFixed(3, lengthInUnits(line.fData1, {cal.fScale(), cal.fUnitLength(), "mm"}));
    };
    enterCalibration(h, "USB 1x", "1", "1");
    drawReferenceLine(h, 760);
    h.frame();
    click(h.view(), 250, 150);
    EXPECT_EQ(reading(h), "1.000");

    WindowHarness restarted(h.home());
    restarted.connectCamera();
    restarted.ui().measure.toolButton(kModeLine)->click();
    restarted.frame();
    drawReferenceLine(restarted, 760, true);
    EXPECT_EQ(reading(restarted), "1.000");
}

// Every tool in every calibration state: no label, results row, CSV cell, sidecar
// or snapshot comment holds inf or nan or is computed in a calibration other than
// the one the window names.
TEST(ViewControllerSweep, EveryToolInEveryCalibrationStateReadsInTheNamedCalibration) {
    const auto finite = [](const std::string& text) {
        return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos &&
               text.find("\"value\": null") == std::string::npos;
    };
    const std::vector<std::pair<const char*, std::function<void(WindowHarness&)>>> states{
        {"calibrated", [](WindowHarness&) {}},
        {"cleared", [](WindowHarness& h) { calibrationMenu(h, 2); }},
        {"deleted", [](WindowHarness& h) { calibrationMenu(h, 3); }},
        {"abandoned",
         [](WindowHarness& h) {
             enterCalibration(h, "New", "2", "0.1");
             h.ui().measure.toolButton(kModeAngleThreePoints)->click();
         }},
        {"none", nullptr},
    };
    for (const auto& [state, enter] : states) {
        WindowHarness h;
        h.connectCamera();
        h.frame();
        h.alerts->confirmAnswer = true;
        if (enter) {
            lineInDemo(h);
            click(h.view(), 250, 150);  // stores it
            drawReferenceLine(h, 50);   // and one in progress
            enter(h);
        }
        for (const ToolSpec& tool : measureTools()) {
            SCOPED_TRACE(std::string(state) + ", tool " + std::to_string(tool.mode));
            h.ui().measure.toolButton(tool.mode)->click();
            // Enough clicks for any tool, the fourth ending a continuous line or polygon.
            const std::vector<std::pair<int, int>> points{
                {60, 60}, {160, 60}, {160, 140}, {60, 160}, {300, 200}};
            for (size_t i = 0; i < points.size(); ++i) {
                move(h.view(), points[i].first, points[i].second);
                click(h.view(), points[i].first, points[i].second,
                      i == 3 ? Qt::ControlModifier : Qt::NoModifier);
            }
            move(h.view(), 320, 220);  // a shape in progress shows its live label
            h.frame();

            const CalibrationModel& named = h.window->calibration();
            const MeasureModel& m = h.model();
            const CalibrationValues cal = calibrationOf(m);
            EXPECT_EQ(m.strCalName, named.strCalName());
            if (named.isCalibrated()) {
                EXPECT_EQ(std::tuple(cal.fScale, cal.fUnitLength, cal.strUnit),
                          std::tuple(named.fScale(), named.fUnitLength(), named.strUnit()));
            } else {
                EXPECT_FALSE(isUsable(cal)) << "no calibration, no lengths";
            }
            std::string labels;
            for (const std::string& line : measurementLabel(m.iMode, m.fData1, 3, cal))
                labels += line;
            for (const RQShape& shape : m.oMutShapsArray)
                for (const std::string& line : measurementLabel(shape.type, shape.fData1, 3, cal))
                    labels += line;
            EXPECT_TRUE(finite(labels)) << labels;
            const std::string csv = resultsCsv(h.window->resultsPanel().table());
            EXPECT_TRUE(finite(csv)) << csv;
            const ResultsTable& table = h.window->resultsPanel().table();
            EXPECT_EQ(std::count(table.shapeOfRow.begin(), table.shapeOfRow.end(), -1) > 0,
                      std::ranges::any_of(m.oMutShapsArray, isMark))
                << "marks are counted";

            h.view()->saveImage(640, 480);
            const QString saved = h.ui().txt_recording->text();
            ASSERT_TRUE(saved.startsWith("Snapshot saved to ")) << saved;
            const std::string picture = saved.mid(18).toStdString();
            const std::string sidecar = slurp(sidecarPath(picture));
            EXPECT_TRUE(finite(sidecar)) << sidecar;
            const auto record = parseSidecar(sidecar);
            ASSERT_TRUE(record);
            EXPECT_EQ(record->calibrationName, named.strCalName());
            const std::string jpeg = slurp(picture);
            const auto comment = readJpegComment(
                std::span(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size()));
            ASSERT_TRUE(comment);
            const std::string head = "Calibration: " + named.strCalName();
            EXPECT_EQ(comment->substr(0, head.size() + 9),
                      head + (named.isCalibrated() ? "; scale: " : comment->substr(head.size())));
            EXPECT_TRUE(finite(*comment)) << *comment;
            fs::remove(picture);
            fs::remove(sidecarPath(picture));
        }
    }
}

// Counting through the window: the keys choose the class, the marks show as
// counts per class in the results and the snapshot's sidecar, and the chosen class
// and a renamed one are kept for the next run.
TEST_F(ViewControllerWithCamera, CountsPerClassReachResultsSidecarAndTheNextRun) {
    ASSERT_TRUE(h.activate());
    h.ui().measure.toolButton(kModeCount)->click();
    for (int x : {100, 200}) click(h.view(), x, 100);
    QTest::keyClick(h.window.get(), Qt::Key_3);
    for (int y : {100, 200}) click(h.view(), 300, y);
    click(h.view(), 200, 100);  // removes the second mark of class 1
    QComboBox* classes = h.ui().count.countClassBox;
    ASSERT_EQ(classes->currentIndex(), 2);
    classes->lineEdit()->setText("Spores");
    emit classes->lineEdit()->editingFinished();
    classes->lineEdit()->setText(" ");  // an empty name is refused
    emit classes->lineEdit()->editingFinished();
    EXPECT_EQ(classes->currentText(), "Spores");
    const ResultsTable& table = h.window->resultsPanel().table();
    std::vector<std::string> counts;
    for (const auto& row : table.rows)
        counts.push_back(row[resultsClassColumn()] + "=" + row[resultsCountColumn()]);
    EXPECT_EQ(counts, (std::vector<std::string>{"Class 1=1", "Spores=2"}));

    h.frame();  // the next picture shows the marks
    h.view()->saveImage(640, 480);
    const QString saved = h.ui().txt_recording->text();
    ASSERT_TRUE(saved.startsWith("Snapshot saved to ")) << saved;
    const std::string sidecar = slurp(sidecarPath(saved.mid(18).toStdString()));
    const auto record = parseSidecar(sidecar);
    ASSERT_TRUE(record);
    EXPECT_EQ(countsPerClass(record->shapes), (ClassCounts{1, 0, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_NE(sidecar.find("\"Spores\""), std::string::npos);

    WindowHarness restarted(h.home());
    EXPECT_EQ(restarted.model().iCountClass, 3);
    EXPECT_EQ(restarted.model().countClassNames[2], "Spores");
    EXPECT_EQ(restarted.ui().count.countClassBox->currentText(), "Spores");
}
