#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <bit>
#include <filesystem>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/RQVideoView.h"
#include "image/FullPicture.h"
#include "measure/RQUtility.h"
#include "measure/results/ResultsTable.h"
#include "storage/StorageLayout.h"
#include "support/FileSizeLimit.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

// A shown 800 x 600 view of 800 x 600 units with the default calibration,
// writing snapshots into the picture folder of a temporary home.
class RQVideoViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setLogicalSize({800, 600});
        view.resize(800, 600);
        view.show();
        view.initVideoView();
        view.resetMeasureParas();
        view.setDelegate(&delegate);
        view.setSettings(&settings);
    }
    void choose(MeasureMode mode) { view.setMeasureMode(mode, "", "mm", 60.0f, 1.0f, false); }
    // Clicks a line's two ends and its label's place, moving there first; `first`
    // holds for the first click.
    void drawLine(Point from, Point to, Point label, Qt::KeyboardModifiers first = {}) {
        click(&view, from.x, from.y, first);
        for (const Point p : {to, label}) {
            move(&view, p.x, p.y);
            click(&view, p.x, p.y);
        }
    }
    // Stores a line from (100, 100) to (300, 100) labelled at (150, 300).
    void storeLine() {
        choose(kModeLine);
        drawLine({100, 100}, {300, 100}, {150, 300});
        ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    }
    fs::path pictures() const { return settings.getStrDocumentsPicture(); }
    // A 64 x 48 snapshot with no file larger than `bytes` (a full disk, as the writer sees it).
    void saveWithFileSizeLimit(rlim_t bytes) {
        const ScopedFileSizeLimit limit(bytes);
        view.saveImage(64, 48);
    }
    // The one snapshot reported, decoded.
    Frame onlySnapshot() {
        EXPECT_EQ(delegate.types, std::vector<int32_t>{kTransferSnapshotWritten});
        if (delegate.entities.size() != 1) return {};
        const std::string& path = delegate.entities.front().Param1;
        const fs::path name = fs::path(path).filename();
        std::vector<std::string> files{name, name.string() + ".json"};
        // A clean copy when measurements are burnt in, an analysis copy when asked for.
        if (view.redrawing()) files.insert(files.begin(), fs::path(cleanCopyPath(path)).filename());
        if (settings.snapshotAnalysisCopy())
            files.push_back(fs::path(analysisCopyPath(path)).filename());
        EXPECT_EQ(fileNames(pictures()), files) << "the picture and its companions";
        return decodeJpegFile(delegate.entities.front().Param1).value_or(Frame{});
    }

    TempDir home;
    RQGlobalVariables settings{home.path().string(), LUMETRA_RESOURCE_DIR};
    RecordingDelegate delegate;
    RQVideoView view;
};

// Mouse and wheel input at a widget position, in Qt's y-down pixels.
void sendAt(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
            Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
// Presses `button` at `from`, moves to `to` holding it and releases there.
void dragAt(QWidget* widget, QPointF from, QPointF to, Qt::MouseButton button) {
    sendAt(widget, QEvent::MouseButtonPress, from, button, button);
    sendAt(widget, QEvent::MouseMove, to, Qt::NoButton, button);
    sendAt(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}
void wheel(QWidget* widget, QPointF at, int notches) {
    QWheelEvent event(at, widget->mapToGlobal(at), {}, QPoint(0, notches * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}
// The red pixels of column x between rows y0 and y1.
int redInColumn(const QImage& shot, int x, int y0, int y1) {
    int red = 0;
    for (int y = y0; y <= y1; ++y) red += qRed(shot.pixel(x, y)) > 180 ? 1 : 0;
    return red;
}

}  // namespace

TEST_F(RQVideoViewTest, ClicksBuildALineInYUpCoordinatesAndOnlyThenFramesTakeTheFullPass) {
    view.setLayerContents(greyFrame(800, 600, 0x40));
    view.grab();
    EXPECT_EQ(view.lastFramePath(), FramePath::Layer);
    EXPECT_EQ(view.measurementPassCount(), 0u);

    choose(kModeLine);
    // Qt's y-down (100, 500) is y-up (100, 100).
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 500));
    move(&view, 150, 100);
    sendMouse(&view, QEvent::MouseMove, 300, 100, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.model().pt2ndPoint, (Point{150, 100})) << "dragging leaves the preview alone";
    move(&view, 500, 100);
    click(&view, 500, 100);
    move(&view, 300, 200);
    click(&view, 300, 200);
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(view.model().oMutShapsArray.front().pt1stPoint, (Point{100, 100}));
    EXPECT_FLOAT_EQ(view.model().oMutShapsArray.front().fData1, 400.0f);

    view.setImage(greyFrame(800, 600));
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(view.measurementPassCount(), 1u);
    EXPECT_GT(qRed(shot.pixel(300, 500)), 180) << "the line, at y-up 100";
    EXPECT_LT(qRed(shot.pixel(300, 100)), 180);
}

TEST_F(RQVideoViewTest, ResizingScalesThePictureAndMeasuresInTheSameUnits) {
    storeLine();            // 200 units long
    view.resize(400, 600);  // half the scale: the picture is 400 x 300, 150 from the top
    const ViewFit fit = view.fit();
    EXPECT_DOUBLE_EQ(fit.scale, 0.5);
    EXPECT_DOUBLE_EQ(fit.top, 150.0);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_FALSE(view.model().shapeInProgress()) << "a click beside the picture places nothing";
    drawLine({100, 400}, {300, 400}, {150, 500});
    ASSERT_EQ(view.model().oMutShapsArray.size(), 2u);
    EXPECT_FLOAT_EQ(view.model().oMutShapsArray[1].fData1, 200.0f);
    EXPECT_EQ(view.model().oMutShapsArray[1].pt1stPoint, (Point{100, 400}));

    view.setGridView(kGridSquare, 50.0f, 1.0f, 1.0f);  // a line every 25 pixels at half size
    view.setImage(greyFrame(800, 600));
    const QImage shot = view.grab().toImage();
    int gridRed = 0;
    for (int x = 23; x <= 27; ++x) gridRed = std::max(gridRed, qRed(shot.pixel(x, 200)));
    EXPECT_GT(gridRed, 150) << "the grid and the shapes share one layer";
    int reddest = 0;  // the first line, y-up 100, one pixel wide at half size
    for (int y = 398; y <= 402; ++y) reddest = std::max(reddest, qRed(shot.pixel(100, y)));
    EXPECT_GT(reddest, 150);
    EXPECT_EQ(shot.pixel(100, 20), shot.pixel(300, 580)) << "the bands beside the picture";
}

TEST_F(RQVideoViewTest, FrozenPictureStaysWhileFramesArriveAndSnapshotsIt) {
    view.setLayerContents(greyFrame(800, 600, 0x40));
    view.setFrozen(true);
    view.setLayerContents(greyFrame(800, 600, 0xC0));
    choose(kModeLine);
    view.setImage(greyFrame(800, 600, 0xC0));  // a tool takes the picture to the redraw path
    EXPECT_EQ(view.lastFramePath(), FramePath::Image);
    EXPECT_EQ(view.currentFrame().data[0], 0x40);
    view.saveImage(800, 600);
    EXPECT_TRUE(near(pixelUp(onlySnapshot(), 400, 300), {0x40, 0x40, 0x40}, 4));
    view.setFrozen(false);
    view.setImage(greyFrame(800, 600, 0xC0));
    EXPECT_EQ(view.currentFrame().data[0], 0xC0) << "live again";
}

// ---- Snapshots ----

TEST_F(RQVideoViewTest, SnapshotBurnsTheLineInAtFramePixelsWithItsWidthAndLabel) {
    storeLine();
    click(&view, 100, 500);  // a second line, still in progress
    move(&view, 700, 500);
    view.setImage(greyFrame(1600, 1200, 0xE0));
    settings.setSnapshotAnalysisCopy(true);
    view.saveImage(1600, 1200);
    const Frame shot = onlySnapshot();
    ASSERT_EQ(std::pair(shot.width, shot.height), std::pair(1600, 1200));
    // The copies hold the frame without the line.
    const std::string path = delegate.entities.front().Param1;
    for (const std::string& copy : {cleanCopyPath(path), analysisCopyPath(path)}) {
        const QImage clean(QString::fromStdString(copy));
        ASSERT_EQ(clean.size(), QSize(1600, 1200)) << copy;
        EXPECT_NEAR(qGray(clean.pixel(400, 1000)), 0xE0, 3) << copy;  // on the line
    }

    // From (200, 200) to (600, 200), counted from the lower-left corner, two
    // pixels (iLineWidth) thick, in the line colour.
    ASSERT_EQ(view.model().oMutShapsArray.front().iLineWidth, 2);
    for (int x : {202, 400, 597}) {
        EXPECT_EQ(rowsWhere(shot, x, 180, 220, stroked), (std::vector<int>{199, 200})) << x;
        EXPECT_TRUE(reddish(pixelUp(shot, x, 200))) << x;
    }
    const auto columns = columnsWhere(shot, 200, 150, 650, stroked);
    EXPECT_EQ(std::pair(columns.front(), columns.back()), std::pair(200, 599));
    EXPECT_TRUE(columnsWhere(shot, 1000, 0, 1599, stroked).empty())
        << "neither the line mirrored nor the line in progress";

    // The label sits at the scaled anchor (300, 600), not at the view's (150, 300).
    size_t label = 0, unscaled = 0;
    for (int y = 600; y < 640; ++y) label += columnsWhere(shot, y, 300, 420, bluish).size();
    for (int y = 300; y < 340; ++y) unscaled += columnsWhere(shot, y, 150, 270, bluish).size();
    EXPECT_GT(label, 40u);
    EXPECT_EQ(unscaled, 0u);
}

TEST_F(RQVideoViewTest, SnapshotBurnsTheGridInWithTheScaledPitch) {
    view.setGridView(kGridSquare, 50.0f, 1.0f, 1.0f);  // pitch 50 view units
    // 1600 x 900 on 800 x 600: x scale 2, y scale 1.5.
    view.setImage(greyFrame(1600, 900, 0xE0));
    view.saveImage(1600, 900);
    const Frame shot = onlySnapshot();
    ASSERT_EQ(shot.height, 900);
    // Lines every 100 pixels across and 75 up, each iLineWidth (2) wide.
    const auto every = [](int pitch, int end) {
        std::vector<int> lines;
        for (int p = pitch; p < end; p += pitch) lines.insert(lines.end(), {p - 1, p});
        return lines;
    };
    EXPECT_EQ(columnsWhere(shot, 30, 0, 1599, stroked), every(100, 1600));
    EXPECT_EQ(rowsWhere(shot, 50, 0, 899, stroked), every(75, 900));
}

TEST_F(RQVideoViewTest, SnapshotWithoutASourceOrFailingToWriteReportsNothing) {
    QSignalSpy said(&view, &RQVideoView::snapshotFailed);
    view.saveImage(640, 480);  // no frame shown yet
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said.at(0).at(0).toString(),
              "The camera delivers no picture yet, so there is no snapshot to take.");
    view.setLayerContents(greyFrame(64, 48));
    for (const auto& [w, h] : std::vector<std::pair<double, double>>{
             {0, 48}, {64, 0.5}, {-64, 48}, {std::nan(""), 48}, {64, 1e9}})
        view.saveImage(w, h);
    RQVideoView unconfigured;  // no settings: no picture folder
    unconfigured.setDelegate(&delegate);
    unconfigured.setLayerContents(greyFrame(64, 48));
    unconfigured.saveImage(64, 48);
    fs::remove_all(pictures());
    view.saveImage(64, 48);
    EXPECT_TRUE(delegate.types.empty());
    EXPECT_FALSE(fs::exists(pictures()));

    fs::create_directory(pictures());
    view.saveImage(64, 48);
    view.saveImage(64, 48);
    EXPECT_EQ(delegate.entities.size(), 2u) << "the next snapshots go through";
    EXPECT_EQ(jpegNames(pictures()).size(), 2u) << "a second snapshot never replaces the first";
}

// The picture is written and its sidecar is not (a file size limit stands in for
// a full disk): the picture is reported, and so is the loss of its measurements.
TEST_F(RQVideoViewTest, SnapshotWhoseSidecarCannotBeWrittenSaysSo) {
    settings.setSnapshotCleanCopy(false);
    view.setImage(greyFrame(64, 48));
    for (double y = 20; y < 580; y += 8) {
        choose(kModeLine);
        drawLine({100, y}, {300, y}, {150, y + 4});
    }
    ASSERT_EQ(view.model().oMutShapsArray.size(), 70u);
    view.saveImage(64, 48);
    ASSERT_EQ(delegate.entities.size(), 1u);
    const fs::path first = delegate.entities.front().Param1;
    const auto picture = fs::file_size(first);
    const auto sidecar = fs::file_size(first.string() + ".json");
    ASSERT_LT(picture + 1024, sidecar) << "the sidecar must be the larger file";
    fs::remove(first);
    fs::remove(first.string() + ".json");

    QSignalSpy said(&view, &RQVideoView::snapshotFailed);
    saveWithFileSizeLimit(picture + 512);

    ASSERT_EQ(delegate.entities.size(), 2u) << "the picture is reported";
    const std::string path = delegate.entities.back().Param1;
    EXPECT_EQ(fileNames(pictures()), std::vector<std::string>{fs::path(path).filename()});
    ASSERT_EQ(said.count(), 1);
    const QString message = said.front().front().toString();
    EXPECT_TRUE(message.startsWith(QString::fromStdString("The picture was saved to " + path +
                                                          ", its measurements were not.")))
        << message;
    EXPECT_TRUE(message.contains("File too large")) << message;
}

TEST_F(RQVideoViewTest, ACopyThatCannotBeWrittenIsSaid) {
    settings.setSnapshotAnalysisCopy(true);
    view.setImage(greyFrame(64, 48));
    storeLine();
    view.saveImage(64, 48);
    ASSERT_EQ(delegate.entities.size(), 1u);
    const std::string first = delegate.entities.front().Param1;
    uintmax_t largest = 0;  // of the files but the analysis copy, which is larger
    for (const std::string& file : {first, first + ".json", cleanCopyPath(first)})
        largest = std::max(largest, fs::file_size(file));
    ASSERT_LT(largest + 1024, fs::file_size(analysisCopyPath(first)));
    for (const auto& file : fs::directory_iterator(pictures())) fs::remove(file);

    QSignalSpy said(&view, &RQVideoView::snapshotFailed);
    saveWithFileSizeLimit(largest + 512);

    ASSERT_EQ(said.count(), 1);
    const QString message = said.front().front().toString();
    EXPECT_TRUE(message.contains(", its copy was not. Could not write")) << message;
    EXPECT_TRUE(message.contains(".tif")) << message;
}

TEST_F(RQVideoViewTest, TypedTextSurvivesToolChangesResizeAndEscapeUntilPlaced) {
    choose(kModeText);
    QTest::keyClicks(view.textField(), "cell wall");
    choose(kModeAngleThreePoints);
    choose(kModeText);
    view.resize(700, 500);
    view.abandonShapeInProgress();
    EXPECT_EQ(view.textField()->text(), "cell wall");
    click(&view, 50, 50);
    click(&view, 60, 60);
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(view.model().oMutShapsArray[0].textValue, "cell wall");
    EXPECT_EQ(view.textField()->text(), "") << "placed text leaves the field";
}

TEST_F(RQVideoViewTest, OnlyThePrimaryButtonPlacesPointsAndOnlyKnownCodesDelete) {
    storeLine();
    QSignalSpy changed(&view, &RQVideoView::shapesChanged);
    choose(kModeLine);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        sendMouse(&view, QEvent::MouseButtonPress, 100, 100, button, button);
        sendMouse(&view, QEvent::MouseButtonRelease, 100, 100, button, Qt::NoButton);
    }
    EXPECT_FALSE(view.model().shapeInProgress());
    for (int32_t code : {2, -1, 255}) view.deleteshape(code);
    EXPECT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(changed.count(), 0);
    view.deleteshape(0);
    EXPECT_EQ(changed.count(), 1);
}

namespace {

uint32_t bitsOf(float v) { return std::bit_cast<uint32_t>(v); }

// Presses the primary button at from, drags to `to` and releases there.
void drag(QWidget* view, Point from, Point to) {
    sendMouse(view, QEvent::MouseButtonPress, from.x, from.y, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseMove, to.x, to.y, Qt::NoButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, to.x, to.y, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

TEST_F(RQVideoViewTest, DraggedHandleMeasuresLiveAndUndoRedoGiveBitIdenticalValues) {
    storeLine();
    const RQShape drawn = view.model().oMutShapsArray[0];
    QSignalSpy changed(&view, &RQVideoView::shapesChanged);
    move(&view, 301, 101);
    EXPECT_EQ(view.hoveredShape(), 0) << "its handles show";
    drag(&view, {300, 100}, {250.5, 180.25});
    const RQShape moved = view.model().oMutShapsArray[0];
    EXPECT_EQ(moved.pt2ndPoint, (Point{250.5, 180.25}));
    EXPECT_EQ(moved.fData1, RQUtility::distance(moved.pt2ndPoint, drawn.pt1stPoint));
    EXPECT_EQ(changed.count(), 1) << "the results follow while dragging";
    EXPECT_FALSE(view.model().shapeInProgress()) << "the line tool started nothing";

    ASSERT_TRUE(view.undo());
    EXPECT_EQ(view.model().oMutShapsArray[0], drawn);
    EXPECT_EQ(bitsOf(view.model().oMutShapsArray[0].fData1), bitsOf(drawn.fData1));
    ASSERT_TRUE(view.redo());
    EXPECT_EQ(bitsOf(view.model().oMutShapsArray[0].fData1), bitsOf(moved.fData1));
    EXPECT_FALSE(view.redo());

    // Pressed and released on a handle, barely moved, it is the tool's click.
    drag(&view, {100, 100}, {101, 101});
    EXPECT_EQ(view.model().pt1stPoint, (Point{100, 100}));
    EXPECT_EQ(view.model().oMutShapsArray[0].pt1stPoint, drawn.pt1stPoint);
}

TEST_F(RQVideoViewTest, ClickWithoutToolChoosesAShapeAndDeletingItLeavesTheOthers) {
    storeLine();
    choose(kModeLine);
    for (const Point p : {Point{100, 400}, Point{300, 450}, Point{200, 500}})
        click(&view, p.x, p.y);
    const RQShape second = view.model().oMutShapsArray[1];
    choose(kModeNone);
    QSignalSpy chosen(&view, &RQVideoView::shapeChosen);
    click(&view, 200, 103);
    EXPECT_EQ(view.selectedShape(), 0);
    click(&view, 600, 300);
    EXPECT_EQ(view.selectedShape(), -1) << "beside every shape";
    EXPECT_FALSE(view.deleteSelectedShape());
    click(&view, 200, 103);
    ASSERT_TRUE(view.deleteSelectedShape());
    ASSERT_EQ(view.model().oMutShapsArray.size(), 1u);
    EXPECT_EQ(view.model().oMutShapsArray[0], second);
    EXPECT_EQ(bitsOf(view.model().oMutShapsArray[0].fData1), bitsOf(second.fData1));
    EXPECT_EQ(view.selectedShape(), -1);
    EXPECT_EQ(chosen.count(), 4);
}

TEST_F(RQVideoViewTest, UndoAndRedoWalkAddMoveDeleteAndClear) {
    std::vector<std::vector<RQShape>> states{view.model().oMutShapsArray};
    const auto keep = [&] { states.push_back(view.model().oMutShapsArray); };
    storeLine();
    keep();
    choose(kModeCircleRadius);
    for (const Point p : {Point{500, 300}, Point{550, 300}, Point{600, 400}})
        click(&view, p.x, p.y);
    keep();
    choose(kModeNone);
    drag(&view, {100, 100}, {120, 90});
    keep();
    click(&view, 500, 351);  // on the rim
    ASSERT_TRUE(view.deleteSelectedShape());
    keep();
    view.deleteshape(static_cast<int32_t>(ShapeRemoval::All));
    keep();
    ASSERT_EQ(states.size(), 6u);
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(view.undo()) << i;
        EXPECT_EQ(view.model().oMutShapsArray, states[i - 1]) << "undone to " << i - 1;
    }
    EXPECT_FALSE(view.undo());
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(view.redo()) << i;
        EXPECT_EQ(view.model().oMutShapsArray, states[i]) << "redone to " << i;
    }
    // A new step after undoing drops what could be redone.
    view.undo();
    view.deleteshape(static_cast<int32_t>(ShapeRemoval::All));
    EXPECT_FALSE(view.redo());
}

TEST_F(RQVideoViewTest, WheelZoomsAboutThePointerAndLinesKeepTheirWidthOnScreen) {
    storeLine();  // y-up 100 is row 500, from x 100 to 300
    view.setImage(greyFrame(800, 600));
    const int fitted = redInColumn(view.grab().toImage(), 250, 480, 520);
    wheel(&view, QPointF(200, 500), 2);  // two notches: twice as large
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 2.0);
    EXPECT_DOUBLE_EQ(view.fit().unitX(200), 200.0) << "the point under the pointer stays";
    EXPECT_DOUBLE_EQ(view.fit().unitYUp(500), 100.0);
    const QImage zoomed = view.grab().toImage();
    EXPECT_GT(redInColumn(zoomed, 350, 480, 520), 0) << "the line now reaches x 400";
    EXPECT_EQ(redInColumn(zoomed, 250, 480, 520), fitted) << "as wide on screen as at fit";
    wheel(&view, QPointF(200, 500), 20);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 16.0);
}

TEST_F(RQVideoViewTest, MiddleButtonOrSpaceWithTheLeftPansAndSpaceAloneFreezes) {
    QSignalSpy freeze(&view, &RQVideoView::freezeKeyPressed);
    view.setLayerContents(greyFrame(800, 600));
    choose(kModeLine);
    wheel(&view, QPointF(400, 300), 4);  // 4x about the centre
    const double centre = view.fit().unitX(400);
    dragAt(&view, {400, 300}, {500, 300}, Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(view.fit().unitX(500), centre) << "the picture follows the pointer";

    QTest::keyPress(&view, Qt::Key_Space);
    dragAt(&view, {500, 300}, {1e6, 300}, Qt::LeftButton);
    QTest::keyRelease(&view, Qt::Key_Space);
    EXPECT_EQ(view.fit().left, 0.0) << "no further than the picture's edge";
    EXPECT_FALSE(view.model().shapeInProgress()) << "panning places no point";
    EXPECT_EQ(freeze.count(), 0) << "Space held to pan does not freeze";
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(freeze.count(), 1);
}

TEST_F(RQVideoViewTest, ClickAtEightTimesLandsOnAnEighthOfAUnit) {
    wheel(&view, QPointF(0, 600), 6);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0) << "no picture to zoom into yet";
    view.setLayerContents(greyFrame(800, 600));
    // Six notches about the lower-left corner, which stays where it is.
    wheel(&view, QPointF(0, 600), 6);
    ASSERT_DOUBLE_EQ(view.zoomFactor(), 8.0);
    choose(kModeLine);
    sendAt(&view, QEvent::MouseButtonPress, {1.0, 599.0}, Qt::LeftButton, Qt::LeftButton);
    sendAt(&view, QEvent::MouseButtonRelease, {1.0, 599.0}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.model().pt1stPoint, (Point{0.125, 0.125}));
    view.zoomToFit();
    EXPECT_DOUBLE_EQ(view.fit().scale, 1.0);
}

// A 1600 x 1200 camera picture as a camera path delivers it, and halved for an 800 x 600
// screen with its full picture kept: an edge at frame x 400.5 and, in the top 100 rows,
// one-pixel stripes that the halved picture does not hold.
struct CameraPicture {
    CameraPicture() {
        Frame frame = greyFrame(1600, 1200, 0x30);
        for (int y = 0; y < frame.height; ++y)
            for (int x = 401; x < frame.width; ++x)
                if (y >= 100 || x % 2) std::memset(frame.row(y) + 4 * x, 0xD0, 4);
        jpeg = encodeJpeg(frame, 98);
        full = decodeJpeg(jpeg.data(), jpeg.size()).value_or(Frame{});
        halved = decodeJpegForScreen(jpeg.data(), jpeg.size(), nullptr, {1600, 1200}, {800, 600})
                     .value_or(Frame{});
    }
    Frame halvedWith(JpegInfo claimed) const {
        Frame f = halved;
        f.fullPicture = std::make_shared<FullPicture>(jpeg, claimed, claimed, nullptr);
        return f;
    }
    std::vector<uint8_t> jpeg;
    Frame full, halved;
};

TEST_F(RQVideoViewTest, AHalvedFrameMeasuresFreezesAndSavesAsItsFullPicture) {
    const CameraPicture picture;
    ASSERT_EQ(picture.halved.width, 800);
    auto measure = [&](const Frame& frame) {
        view.restoreShapes({});
        view.setImage(frame);
        choose(kModeLine);
        drawLine({202, 150}, {300, 170}, {150, 300}, Qt::ShiftModifier);  // snaps to the edge
        EXPECT_EQ(view.model().oMutShapsArray.size(), 1u);
        return resultsTable(view.model().oMutShapsArray, calibrationOf(view.model()), {}).rows;
    };
    const auto fromFull = measure(picture.full);
    const auto fromHalved = measure(picture.halvedWith({1600, 1200}));
    EXPECT_EQ(fromHalved, fromFull);
    EXPECT_NEAR(view.model().oMutShapsArray.at(0).pt1stPoint.x, 200.25, 0.1) << "snapped";

    view.setFrozen(true);
    view.setImage(greyFrame(800, 600));
    const Frame frozen = view.currentFrame();  // held at full size, not reduced
    ASSERT_EQ(std::pair(frozen.width, frozen.height), std::pair(1600, 1200));
    EXPECT_EQ(frozen.data, view.fullFrame().data) << "decoded once";
    EXPECT_EQ(std::memcmp(frozen.row(50), picture.full.row(50), 1600 * 4), 0);
    view.setLayerContents(greyFrame(800, 600));  // the picture alone
    view.saveImage(1600, 1200);
    const Frame snapshot = onlySnapshot();
    ASSERT_EQ(snapshot.width, 1600);
    // The stripes are there, as in the full picture: not averaged away.
    EXPECT_GT(std::abs(snapshot.row(50)[4 * 801] - snapshot.row(50)[4 * 802]), 100);
}

TEST_F(RQVideoViewTest, AFullPictureThatDoesNotDecodeIsNoSnapshot) {
    const CameraPicture picture;
    QSignalSpy failed(&view, &RQVideoView::snapshotFailed);
    view.setLayerContents(picture.halvedWith({1601, 1200}));
    view.saveImage(1600, 1200);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(
        failed.at(0).at(0).toString(),
        "The picture could not be decoded at its full size, so there is no snapshot to take.");
    EXPECT_TRUE(delegate.types.empty());
}

TEST_F(RQVideoViewTest, FramesAreWantedAtTheSizeThePictureShowsOrWholeWhileRecording) {
    QSignalSpy wanted(&view, &RQVideoView::shownSizeChanged);
    view.setLayerContents(greyFrame(800, 600));
    wheel(&view, QPointF(400, 300), 2);  // twice as large
    view.setFullFramesWanted(true);
    view.setFullFramesWanted(false);
    view.zoomToFit();
    std::vector<std::pair<int, int>> sizes;
    for (const auto& args : wanted) sizes.emplace_back(args.at(0).toInt(), args.at(1).toInt());
    EXPECT_EQ(sizes,
              (std::vector<std::pair<int, int>>{{1600, 1200}, {0, 0}, {1600, 1200}, {800, 600}}));
}

TEST_F(RQVideoViewTest, ShiftClickLandsOnTheNearestEdgeAndIsMarked) {
    view.setImage(CameraPicture().full);  // an edge at view x 200.25
    choose(kModeLine);
    click(&view, 202, 150, Qt::ShiftModifier);
    ASSERT_TRUE(view.snappedPoint());
    EXPECT_NEAR(view.model().pt1stPoint.x, 200.25, 0.1);
    EXPECT_EQ(view.model().pt1stPoint.y, 150.0);
    click(&view, 300, 150);  // no Shift: where it was clicked, and no mark
    EXPECT_FALSE(view.snappedPoint());
    EXPECT_EQ(view.model().pt2ndPoint.x, 300.0);
}
