#include "app/MainWindowUi.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "app/CameraListBox.h"
#include "app/Images.h"
#include "app/RQVideoView.h"
#include "app/WheelNeedsFocus.h"
#include "app/panels/PanelWidgets.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

constexpr int kMargin = 10;
constexpr int kPanelWidth = 200;
constexpr int kToolbarHeight = 90;
// Between the panels and the picture: at 1400 x 900 the picture is 950 wide.
constexpr int kViewGap = 15;
constexpr int kHintHeight = 40;

// The program's logo and name, which the window hides where the tool bar needs the room.
QWidget* brandBlock(QWidget* toolbar) {
    auto* brand = new QWidget(toolbar);
    brand->setMinimumWidth(1);
    auto* brandRow = new QHBoxLayout(brand);
    brandRow->setContentsMargins(0, 0, 0, 0);
    brandRow->setSpacing(10);
    auto* logo = new QLabel(brand);
    logo->setPixmap(imageIcon("lumetra").pixmap(40, 40));
    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    names->addWidget(label(brand, QStringLiteral("Lumetra"), "appTitle"));
    names->addWidget(label(brand,
                           QCoreApplication::translate("MainWindowUi", "Microscope measurement"),
                           "appSubtitle"));
    brandRow->addWidget(logo);
    brandRow->addLayout(names);
    return brand;
}

// The keys of the measuring view, under "SHORTCUTS".
void addShortcutLegend(QWidget* parent, QVBoxLayout* column) {
    column->addWidget(
        label(parent, QCoreApplication::translate("MainWindowUi", "SHORTCUTS"), "panelTitle"));
    auto* keys = new QGridLayout;
    keys->setHorizontalSpacing(6);
    keys->setVerticalSpacing(8);
    const std::pair<const char*, const char*> shortcuts[] = {
        {QT_TRANSLATE_NOOP("MainWindowUi", "Ctrl + Click"),
         QT_TRANSLATE_NOOP("MainWindowUi", "end figure")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Esc"),
         QT_TRANSLATE_NOOP("MainWindowUi", "cancel shape")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Ctrl + Z"), QT_TRANSLATE_NOOP("MainWindowUi", "undo")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Ctrl + Shift + Z"),
         QT_TRANSLATE_NOOP("MainWindowUi", "redo")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Delete"),
         QT_TRANSLATE_NOOP("MainWindowUi", "remove chosen")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Space"),
         QT_TRANSLATE_NOOP("MainWindowUi", "freeze picture")},
        {QT_TRANSLATE_NOOP("MainWindowUi", "Wheel"), QT_TRANSLATE_NOOP("MainWindowUi", "zoom")},
        {"0", QT_TRANSLATE_NOOP("MainWindowUi", "whole picture")},
        {"1 - 9", QT_TRANSLATE_NOOP("MainWindowUi", "count class")}};
    int keyRow = 0;
    for (const auto& [key, meaning] : shortcuts) {
        auto* cap = label(parent, QCoreApplication::translate("MainWindowUi", key), "keycap");
        cap->setAlignment(Qt::AlignCenter);
        cap->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        keys->addWidget(cap, keyRow, 0, Qt::AlignLeft);
        auto* what =
            label(parent, QCoreApplication::translate("MainWindowUi", meaning), "secondaryText");
        what->setWordWrap(true);  // beside a long key, the meaning takes two lines
        keys->addWidget(what, keyRow, 1);
        ++keyRow;
    }
    keys->setColumnStretch(1, 1);
    column->addLayout(keys);
}

}  // namespace

// The tool bar: the name, then the measure, overlay, edit and capture buttons.
QFrame* MainWindowUi::buildToolbar(QWidget* parent) {
    auto* toolbar = new QFrame(parent);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFixedHeight(kToolbarHeight);
    auto* bar = new QHBoxLayout(toolbar);
    bar->setContentsMargins(18, 6, 18, 4);
    bar->setSpacing(10);

    brand = brandBlock(toolbar);
    bar->addWidget(brand);
    bar->addStretch(1);

    measure = MeasureBar::build(toolbar, bar);

    capture = CaptureBar::build(toolbar, bar);
    bar->addStretch(1);
    return toolbar;
}

void MainWindowUi::setupUi(QMainWindow* window) {
    // The tool bar on top; under it the left panel, the picture with the hint
    // line, and the right panel. The picture takes whatever space there is.
    stage = new QWidget(window);
    stage->setObjectName(QStringLiteral("stage"));
    window->setCentralWidget(stage);
    auto* page = new QVBoxLayout(stage);
    page->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    page->setSpacing(kMargin);

    page->addWidget(buildToolbar(stage));

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    page->addLayout(body, 1);

    // Left panel: cameras, calibration, albums.
    QFrame* left = panelFrame(stage);
    left->setFixedWidth(kPanelWidth);
    body->addWidget(left);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(12, 14, 12, 14);
    leftColumn->setSpacing(8);

    camera = CameraPanel::build(left, leftColumn);
    leftColumn->addSpacing(14);

    calibration = CalibrationPanel::build(left, leftColumn);
    leftColumn->addSpacing(14);

    album = AlbumPanel::build(left, leftColumn);

    // The measuring view and the hint line under it.
    body->addSpacing(kViewGap);
    auto* centre = new QVBoxLayout;
    centre->setSpacing(6);
    VideoView = new RQVideoView(stage);
    VideoView->setMinimumSize(320, 240);
    VideoView->setFocusPolicy(Qt::StrongFocus);  // the keyboard's home: Space freezes
    centre->addWidget(VideoView, 1);
    txt_recording = label(stage, QString(), "txt_recording");
    txt_recording->setAlignment(Qt::AlignCenter);
    txt_recording->setFixedHeight(kHintHeight);
    txt_recording->setWordWrap(true);
    centre->addWidget(txt_recording);
    capture.timeLapseProgress = CaptureBar::buildProgressLine(stage);
    centre->addWidget(capture.timeLapseProgress);
    body->addLayout(centre, 1);
    body->addSpacing(kViewGap);

    // Right panel: drawing settings, scrolling where the window is too low for it.
    auto* rightScroll = new QScrollArea(stage);
    rightScroll->setObjectName(QStringLiteral("sideScroll"));
    rightScroll->setFixedWidth(kPanelWidth);
    rightScroll->setFrameShape(QFrame::NoFrame);
    rightScroll->setWidgetResizable(true);
    rightScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rightScroll->setFocusPolicy(Qt::NoFocus);  // Tab goes on into the panel, which follows it
    body->addWidget(rightScroll);
    QFrame* right = panelFrame(rightScroll);
    rightScroll->setWidget(right);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(12, 14, 12, 14);
    rightColumn->setSpacing(12);
    drawing = DrawingPanel::build(right, rightColumn);
    rightColumn->addSpacing(10);
    count = CountPanel::build(right, rightColumn);
    snapshots = SnapshotPanel::build(right, rightColumn);
    rightColumn->addSpacing(10);

    CameraPanel::buildAdjustments(camera, right, rightColumn);
    rightColumn->addSpacing(10);
    addShortcutLegend(right, rightColumn);
    rightColumn->addStretch(1);
    takeWheelOnlyWithFocus(window);
}

}  // namespace lumetra
