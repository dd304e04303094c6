#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "AppTestSupport.h"
#include "app/RQVideoView.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

// A shown view of 640 x 480 on the redraw path, with the default calibration.
class RQVideoViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(640, 480);
        view.show();
        view.initVideoView();
        view.resetMeasureParas();
    }
    void choose(uint8_t mode) { view.setMeasureMode(mode, "", "mm", 60.0f, 1.0f, false); }

    RQVideoView view;
};

}  // namespace

TEST_F(RQVideoViewTest, ClicksOnTheWidgetBuildALineInYUpCoordinates) {
    choose(kModeLine);
    // A real click through the test library, at Qt's y-down (100, 380) = y-up (100, 100).
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 380));
    move(&view, 160, 180);
    click(&view, 160, 180);
    move(&view, 200, 200);
    click(&view, 200, 200);
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    const RQShape& shape = view.model().oMutShapsArray.front();
    EXPECT_EQ(shape.type, kModeLine);
    EXPECT_EQ(shape.pt1stPoint, (Point{100, 100}));
    EXPECT_EQ(shape.pt2ndPoint, (Point{160, 180}));
    EXPECT_EQ(shape.pt3rdPoint, (Point{200, 200}));
    EXPECT_FLOAT_EQ(shape.fData1, 100.0f);
    EXPECT_TRUE(view.getShapesCount());
}

TEST_F(RQVideoViewTest, ControlClickEndsAPolygonWithTheCtrlKey) {
    choose(kModePolygon);
    click(&view, 10, 10);
    move(&view, 110, 10);
    click(&view, 110, 10);
    move(&view, 110, 110);
    click(&view, 110, 110);
    move(&view, 10, 110);
    click(&view, 10, 110, Qt::ControlModifier);
    EXPECT_TRUE(view.model().bPolygon2ndPoint);
    click(&view, 300, 300);
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_FLOAT_EQ(view.model().oMutShapsArray.front().fData1, 10000.0f);
}

TEST_F(RQVideoViewTest, OtherModifiersDoNotEndAFigure) {
    choose(kModeContinuousLine);
    click(&view, 10, 10);
    click(&view, 50, 50, Qt::MetaModifier);
    click(&view, 90, 20, Qt::AltModifier);
    EXPECT_FALSE(view.model().bCLine2ndPoint);
    EXPECT_EQ(view.model().iCLineAuvariable, 4);
}

TEST_F(RQVideoViewTest, MovesPreviewOnlyWithoutAButtonHeld) {
    choose(kModeLine);
    click(&view, 100, 100);
    move(&view, 150, 100);
    EXPECT_EQ(view.model().pt2ndPoint, (Point{150, 100}));
    sendMouse(&view, QEvent::MouseMove, 300, 100, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.model().pt2ndPoint, (Point{150, 100})) << "dragging leaves the preview alone";
    move(&view, 200, 100);
    EXPECT_EQ(view.model().pt2ndPoint, (Point{200, 100}));
}

TEST_F(RQVideoViewTest, EscapeAbandonsTheShapeButKeepsToolAndCalibration) {
    view.setMeasureMode(kModeLine, "ref", "mm", 10.0f, 0.5f, true);
    click(&view, 100, 100);
    move(&view, 200, 100);
    view.abandonShapeInProgress();
    EXPECT_FALSE(view.model().bLine1stPoint);
    EXPECT_EQ(view.model().pt1stPoint, Point{});
    EXPECT_EQ(view.model().iMode, kModeLine);
    EXPECT_TRUE(view.model().bCalibration);
    EXPECT_FLOAT_EQ(view.model().fActualLength, 0.5f);
    EXPECT_EQ(view.model().strCalName, "ref");

    choose(kModeCircleRadius);
    view.setMeasureMode(kModeCircleRadius, "", "µm", 40.0f, 2.5f, false);
    click(&view, 100, 100);
    view.abandonShapeInProgress();
    EXPECT_FALSE(view.model().bRCircle1stPoint);
    EXPECT_EQ(view.model().iMode, kModeCircleRadius);
    EXPECT_FLOAT_EQ(view.model().fUnitLength, 2.5f);
    EXPECT_FALSE(view.model().bCalibration);
}

TEST(RQVideoViewFramePath, DirectPathRunsNoMeasurementPass) {
    RQVideoView view;
    view.resize(640, 480);
    view.show();
    view.initVideoView();
    view.resetMeasureParas();
    view.showFrame(greyFrame(640, 480), FramePath::Direct);
    view.grab();
    EXPECT_EQ(view.measurementPassCount(), 0u);
    EXPECT_EQ(view.lastFramePath(), FramePath::Direct);

    view.showFrame(greyFrame(640, 480), FramePath::Redraw);
    view.grab();
    EXPECT_EQ(view.measurementPassCount(), 1u);
}

TEST(RQVideoViewFramePath, NullFramesAreIgnored) {
    RQVideoView view;
    view.resize(64, 48);
    view.showFrame(greyFrame(64, 48, 0x10), FramePath::Direct);
    view.showFrame(Frame{}, FramePath::Redraw);
    EXPECT_EQ(view.currentFrame().width, 64);
    EXPECT_EQ(view.lastFramePath(), FramePath::Direct);
}

TEST(RQVideoViewFramePath, TheFrameFillsTheView) {
    RQVideoView view;
    view.resize(320, 240);
    view.show();
    view.initVideoView();
    view.showFrame(greyFrame(640, 480, 0x40), FramePath::Direct);
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(QColor(shot.pixel(319, 239)), QColor(0x40, 0x40, 0x40));
}

TEST_F(RQVideoViewTest, RedrawDrawsStoredShapesOverTheFrame) {
    choose(kModeLine);
    click(&view, 100, 100);
    move(&view, 500, 100);
    click(&view, 500, 100);
    move(&view, 300, 200);
    click(&view, 300, 200);
    view.showFrame(greyFrame(640, 480), FramePath::Redraw);
    const QImage shot = view.grab().toImage();
    EXPECT_GT(redPixels(shot), 300) << "the stored line is drawn in red";
    // y-up 100 is Qt's row 380.
    EXPECT_GT(qRed(shot.pixel(300, 380)), 180);
    EXPECT_LT(qRed(shot.pixel(300, 100)), 180);
}

TEST_F(RQVideoViewTest, OverlayIsRedrawnWhenItsSettingChanges) {
    view.showFrame(greyFrame(640, 480), FramePath::Redraw);
    view.setGridView(kGridSquare, 1.0f, 60.0f, 1.0f);  // pitch 60
    const int squareGrid = redPixels(view.grab().toImage());
    EXPECT_GT(squareGrid, 0);
    view.setGridView(kGridCrosshair, 0.0f, 60.0f, 1.0f);
    const int crosshair = redPixels(view.grab().toImage());
    EXPECT_GT(crosshair, 0);
    EXPECT_LT(crosshair, squareGrid);
    view.setGridView(kGridNone, 0.0f, 60.0f, 1.0f);
    EXPECT_EQ(redPixels(view.grab().toImage()), 0);
}

TEST_F(RQVideoViewTest, TextFieldFollowsTheModel) {
    EXPECT_EQ(view.textField(), nullptr);
    choose(kModeText);
    QLineEdit* field = view.textField();
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->isVisible());
    EXPECT_EQ(field->placeholderText(), "Please enter text");
    EXPECT_TRUE(field->alignment().testFlag(Qt::AlignHCenter));
    // x 100, y-up height - 100 with height 32: Qt's top is 100 - 32 = 68.
    EXPECT_EQ(field->geometry(), QRect(100, 68, 440, 32));

    field->setText(QStringLiteral("Sample A"));
    click(&view, 200, 200);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(view.model().strTextValue, "Sample A");
    move(&view, 250, 150);
    click(&view, 10, 10);
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(view.model().oMutShapsArray.front().textValue, "Sample A");
    EXPECT_EQ(view.model().oMutShapsArray.front().pt1stPoint, (Point{250, 150}));
    EXPECT_EQ(view.model().iMode, kModeNone);
}

TEST_F(RQVideoViewTest, EmptyTextFieldOnlyHidesTheField) {
    choose(kModeText);
    click(&view, 200, 200);
    EXPECT_FALSE(view.textField()->isVisible());
    EXPECT_FALSE(view.model().bText1stPoint);
    EXPECT_FALSE(view.getShapesCount());
}

TEST_F(RQVideoViewTest, DrawingSettingsComeFromTheSettingsObject) {
    TempDir home;
    RQGlobalVariables settings(home.path().string(), resourceDirectory());
    settings.setILineWidth(7);
    settings.setIFontSize(30);
    settings.setIDecimal(1);
    settings.setOLineColor(RgbColor{0.0, 1.0, 0.0});
    settings.setOFontColor(RgbColor{1.0, 1.0, 0.0});
    view.setUpdatedProperty(settings);
    EXPECT_EQ(view.model().iLineWidth, 7);
    EXPECT_EQ(view.model().iFontSize, 30);
    EXPECT_EQ(view.model().iDecimal, 1);
    EXPECT_EQ(view.model().ctrLColor, (RgbColor{0.0, 1.0, 0.0}));
    EXPECT_EQ(view.model().ctrFColor, (RgbColor{1.0, 1.0, 0.0}));
}
