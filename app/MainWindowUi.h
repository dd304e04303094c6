#pragma once
// The widgets of the main window, laid out in one go, each panel's built by that
// panel's own function: the tool bar on top (the measure bar and the capture bar),
// the camera, calibration and album panels on the left, the drawing settings, the
// camera's picture adjustments and the shortcut legend on the right, the measuring
// view in the middle taking the room there is, and the hint line under it. At the
// default 1400 x 900 the view is 950 wide. The panels drive their widgets; the
// window holds no layout code.

#include "app/panels/AlbumPanel.h"
#include "app/panels/CalibrationPanel.h"
#include "app/panels/CameraPanel.h"
#include "app/panels/CaptureBar.h"
#include "app/panels/CountPanel.h"
#include "app/panels/DrawingPanel.h"
#include "app/panels/MeasureBar.h"
#include "app/panels/SnapshotPanel.h"

class QFrame;
class QLabel;
class QMainWindow;
class QWidget;

namespace lumetra {

class RQVideoView;

struct MainWindowUi {
    // The window's default and smallest sizes.
    static constexpr int kDefaultWidth = 1400;
    static constexpr int kDefaultHeight = 900;
    static constexpr int kMinimumWidth = 1024;
    static constexpr int kMinimumHeight = 640;
    // Below this width the tool bar drops the program's name for the buttons.
    static constexpr int kBrandMinimumWidth = 1240;

    QWidget* stage = nullptr;
    QWidget* brand = nullptr;
    RQVideoView* VideoView = nullptr;

    MeasureBar::Widgets measure;
    CaptureBar::Widgets capture;
    CameraPanel::Widgets camera;
    CalibrationPanel::Widgets calibration;
    AlbumPanel::Widgets album;
    DrawingPanel::Widgets drawing;
    CountPanel::Widgets count;
    SnapshotPanel::Widgets snapshots;
    // Hints and the recording time.
    QLabel* txt_recording = nullptr;

    // Builds every widget into the window.
    void setupUi(QMainWindow* window);

private:
    QFrame* buildToolbar(QWidget* parent);
};

}  // namespace lumetra
