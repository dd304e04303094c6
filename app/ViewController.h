#pragma once
// The main window, the conductor of its panels. Each panel (app/panels/) owns its
// widgets, slots and kept settings: the measure and capture bars, the camera,
// calibration, album and drawing-settings panels, and the results panel. The
// window builds them, runs the start-up, carries one panel's news to the others and
// to the measuring view, receives the view's reports, routes camera frames through
// the display rule and is the camera sides' CameraWindow.

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/AlertPresenter.h"
#include "app/MainWindowUi.h"
#include "app/WindowSides.h"
#include "image/Frame.h"
#include "measure/Types.h"
#include "policy/FrameRouting.h"
#include "policy/WindowArea.h"
#include "storage/CalibrationModel.h"

class QDragEnterEvent;
class QDropEvent;
class QUrl;

namespace lumetra {

class AlbumPanel;
class CalibrationPanel;
class CameraPanel;
class CaptureBar;
class CountPanel;
class DrawingPanel;
class MeasureBar;
class ResultsPanel;
class RQGlobalVariables;
class SnapshotPanel;

class ViewController : public QMainWindow,
                       public RQTransferDelegate,
                       public FrameTarget,
                       public CameraWindow {
    Q_OBJECT
public:
    // settings: the storage root and drawing settings; alerts: where messages
    // go (message boxes when none is given).
    explicit ViewController(RQGlobalVariables& settings,
                            std::unique_ptr<AlertPresenter> alerts = nullptr,
                            QWidget* parent = nullptr);
    ~ViewController() override;

    const MainWindowUi& ui() const { return ui_; }

    // The frame size the view was last laid out for (0 x 0 before any frame).
    int laidOutWidth() const { return iVideoWidth_; }
    int laidOutHeight() const { return iVideoHeight_; }

    // The calibration in force.
    const CalibrationModel& calibration() const;

    // How a URL is opened with the desktop (the file manager for a folder, a
    // picture or movie of the album); replaceable so that tests see what would open.
    void setUrlOpener(std::function<bool(const QUrl&)> open);

    // How a picture file is opened for measuring (the picture side's openPicture):
    // from the command line, a file dropped on the window and the album's "Measure".
    void setPictureOpener(std::function<void(const QString&)> open) {
        openPicture_ = std::move(open);
    }
    void openPicture(const QString& path);

    // The camera sides, not owned, held by the camera panel by kind.
    void setCameraSide(CameraKind kind, CameraSide* side) override { camera_->setSide(kind, side); }

    // The panels, for whoever drives the window.
    ResultsPanel& resultsPanel() const { return *resultsPanel_; }
    AlbumPanel& albumPanel() const { return *album_; }
    CalibrationPanel& calibrationPanel() const { return *calibration_; }
    MeasureBar& measureBar() const { return *measureBar_; }
    CaptureBar& captureBar() const { return *captureBar_; }
    SnapshotPanel& snapshotPanel() const { return *snapshots_; }

    // Lays the view out for the frame size of the active camera.
    void setWindowArea() override;

    // Reports of the sheets and the view.
    void PassValue(const UserEntity& entity, int32_t type) override;
    void calibrationCompleted(const CompletedCalibration& completed) override;

    // The window's side of the display rule.
    ViewFacts viewFacts() const override;
    void setLayerContents(const Frame& frame) override;
    void setImage(const Frame& frame) override;
    void recordingVideo(const Frame& frame) override;

    // What the camera sides call.
    CameraMode cameraMode() const override { return camera_->mode(); }
    void cameraConnected(CameraMode mode, int width, int height, const QString& status) override;
    void cameraStopped() override;
    void cameraLost(const QString& message) override;
    // Every decoded frame, on the main thread: its size becomes the frame size,
    // then the display rule routes it.
    void onFrame(const Frame& frame, const FrameMarks& marks = {}) override;
    void restoreMeasurements(const std::optional<SnapshotRecord>& record) override;
    void requestSnapshot() override;
    void showFailure(const QString& message) override;
    void setBusy(bool busy) override { camera_->setBusy(busy); }
    void showCameraLists(CameraKind kind, const CameraList& devices, const CameraList& formats,
                         const CameraList& rates) override {
        camera_->showLists(kind, devices, formats, rates);
    }
    void showAdjustments(const std::array<SliderSetting, 6>& sliders) override {
        camera_->showAdjustments(sliders);
    }
    void showShutterButton(bool visible, const QString& image, const QString& toolTip) override {
        camera_->showShutterButton(visible, image, toolTip);
    }

public slots:
    // The storage folder, from the calibration and the album menus.
    void open_folder();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Back in the window (after a dialog, an alert or another program), the
    // keyboard goes to the picture, where Space freezes it; a text field being
    // typed in keeps it.
    void changeEvent(QEvent* event) override;
    // A picture file dropped on the window is opened for measuring.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startUp();
    void orderAlbumPagesForTab();
    void connectControls();
    bool cameraActive() const { return camera_->active(); }
    // Whether a camera is active; if not, the hint line says to connect one.
    bool cameraReady();
    // The calibration in force, in the view at once; the tools and overlays that
    // need one end without it.
    void showCalibration();
    // Undoing or redoing a relabelling: the calibration of that name in force again,
    // when it is still stored.
    void bringBackCalibration(const QString& name);
    // The results table of the view's stored shapes in the view's calibration.
    void showResults();
    void windowWillClose();

    RQGlobalVariables& settings_;
    std::unique_ptr<AlertPresenter> alerts_;
    MainWindowUi ui_;
    std::function<bool(const QUrl&)> openUrl_;
    std::function<void(const QString&)> openPicture_;
    WindowGeometry geometry_;
    uint16_t iVideoWidth_ = 0, iVideoHeight_ = 0;            // laid out for
    uint16_t iNewVideoWidth_ = 640, iNewVideoHeight_ = 480;  // delivered by the camera
    std::unique_ptr<AlbumPanel> album_;     // goes before the widgets its grids sit in
    ResultsPanel* resultsPanel_ = nullptr;  // the tab view's third page
    CalibrationPanel* calibration_ = nullptr;
    DrawingPanel* drawing_ = nullptr;
    CountPanel* count_ = nullptr;
    MeasureBar* measureBar_ = nullptr;
    CameraPanel* camera_ = nullptr;
    CaptureBar* captureBar_ = nullptr;
    SnapshotPanel* snapshots_ = nullptr;
};

}  // namespace lumetra
