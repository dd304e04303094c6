#pragma once
// The camera panel: a connect button and three lists (devices, formats, frame
// rates) per kind of camera, the line naming the active camera, the busy
// indicator, the WiFi camera's shutter-button toggle, and, on the right, the six
// picture-adjustment sliders with their reset. It holds the camera sides by kind
// and knows which camera is active: every control reaches the side of its own kind
// or of the active camera, so the USB or WiFi choice is made here, by kind, and
// nowhere else.

#include <QObject>
#include <QString>
#include <array>
#include <utility>

#include "app/WindowSides.h"
#include "app/panels/CameraProfilePanel.h"
#include "camera/CameraMode.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QSlider;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class CameraPanel : public QObject {
    Q_OBJECT
public:
    // One kind's controls.
    struct KindWidgets {
        QToolButton* connect = nullptr;  // btUSBCam, btWiFiCam
        QComboBox* devices = nullptr;    // USBVideoNameUpButton, WiFiVideoNameUpButton
        QComboBox* formats = nullptr;    // USBVideoFormatUpButton, WiFiVideoFormatUpButton
        QComboBox* rates = nullptr;      // USBVideoFPSUpButton, WiFiVideoFPSUpButton
    };
    struct Widgets {
        std::array<KindWidgets, kCameraKinds> kinds;
        QLabel* cameraStatus = nullptr;
        QProgressBar* ctrSpinner = nullptr;
        // The WiFi camera's shutter-button polling ("snapon" / "snapoff").
        QToolButton* btLed = nullptr;
        // Picture adjustments of the active camera, in slider order (sliderBrightness,
        // sliderContrast, sliderSaturation, sliderHue, sliderSharpness, sliderGamma);
        // disabled until a camera gives them a range.
        std::array<QSlider*, 6> adjustmentSliders{};
        QToolButton* btDefault = nullptr;
        CameraProfilePanel::Widgets profiles;

        const KindWidgets& of(CameraKind kind) const { return kinds[static_cast<size_t>(kind)]; }
    };

    static constexpr const char* kNoCameraStatus = QT_TR_NOOP("No camera connected");

    // Builds the "CAMERA" part at the end of the left column, then the "PICTURE" part
    // (the adjustments and their reset) at the end of the right one.
    static Widgets build(QWidget* left, QVBoxLayout* leftColumn);
    static void buildAdjustments(Widgets& w, QWidget* right, QVBoxLayout* rightColumn);

    CameraPanel(const Widgets& widgets, QObject* parent);

    void setSide(CameraKind kind, CameraSide* side);
    CameraMode mode() const { return mode_; }
    bool active() const { return mode_ != CameraMode::None; }
    const Widgets& widgets() const { return w_; }
    // The side of the active camera; null when none is active.
    CameraSide* activeSide() const;

    // A camera of mode is now active: the active camera of another kind stops; the
    // status line names the new one.
    void connected(CameraMode mode, const QString& status);
    // The active camera's frames stopped: the status line says it is disconnected.
    void stopped();
    // The active camera is gone: no camera is active and no list shows.
    void lost();
    // The window closes: every camera stops.
    void stopAll();

    void setBusy(bool busy);
    // Shows the kind's three lists, hides the other kinds'.
    void showLists(CameraKind kind, const CameraList& devices, const CameraList& formats,
                   const CameraList& rates);
    void showAdjustments(const std::array<SliderSetting, 6>& sliders);
    void showShutterButton(bool visible, const QString& image, const QString& toolTip);
    // The view shows the picture at width x height device pixels: told to every side.
    void showPictureAt(int width, int height);

signals:
    // A camera connected (again), or the active one is gone.
    void activeCameraChanged();

private:
    CameraSide* side(CameraKind kind) const { return sides_[static_cast<size_t>(kind)]; }
    void connectKind(CameraKind kind);

    Widgets w_;
    std::array<CameraSide*, kCameraKinds> sides_{};  // not owned; null until attached
    CameraMode mode_ = CameraMode::None;
    std::pair<int, int> shownAt_{0, 0};
};

}  // namespace lumetra
