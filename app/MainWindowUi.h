#pragma once
// The widgets of the main window, built and laid out in one go: the tool bar on
// top, the camera, calibration and album panel on the left, the drawing settings
// on the right, the measuring view in the middle taking the room there is, and
// the hint line under it. At the default 1400 x 900 the view is 950 wide. The
// window controller drives these outlets; it holds no layout code.

#include <QString>
#include <array>
#include <cstdint>
#include <map>

#include "app/panels/AlbumPanel.h"
#include "app/panels/CalibrationPanel.h"
#include "app/panels/CaptureBar.h"
#include "app/panels/DrawingPanel.h"
#include "app/panels/MeasureBar.h"
#include "measure/Types.h"

class QComboBox;
class QFrame;
class QLabel;
class QMainWindow;
class QProgressBar;
class QSlider;
class QToolButton;
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
    // The camera status while no camera is connected.
    static constexpr const char* kNoCameraStatus = "No camera connected";

    QWidget* stage = nullptr;
    QWidget* brand = nullptr;
    RQVideoView* VideoView = nullptr;

    MeasureBar::Widgets measure;

    CaptureBar::Widgets capture;

    // Cameras.
    QToolButton* btUSBCam = nullptr;
    QToolButton* btWiFiCam = nullptr;
    QLabel* cameraStatus = nullptr;
    QProgressBar* ctrSpinner = nullptr;
    QComboBox* USBVideoNameUpButton = nullptr;
    QComboBox* USBVideoFormatUpButton = nullptr;
    QComboBox* USBVideoFPSUpButton = nullptr;
    QComboBox* WiFiVideoNameUpButton = nullptr;
    QComboBox* WiFiVideoFormatUpButton = nullptr;
    QComboBox* WiFiVideoFPSUpButton = nullptr;

    CalibrationPanel::Widgets calibration;

    AlbumPanel::Widgets album;

    DrawingPanel::Widgets drawing;

    // Picture adjustments of the active camera, in slider order (sliderBrightness,
    // sliderContrast, sliderSaturation, sliderHue, sliderSharpness, sliderGamma), and
    // their reset; disabled until a camera gives them a range.
    std::array<QSlider*, 6> adjustmentSliders{};
    QToolButton* btDefault = nullptr;
    // The WiFi camera's shutter-button polling ("snapon" / "snapoff").
    QToolButton* btLed = nullptr;

    // Hints and the recording time.
    QLabel* txt_recording = nullptr;

    // Builds every widget into the window.
    void setupUi(QMainWindow* window);

private:
    QFrame* buildToolbar(QWidget* parent);
};

}  // namespace lumetra
