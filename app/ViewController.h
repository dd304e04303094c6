#pragma once
// The main window. It builds the widgets, runs the start-up, turns the tool,
// overlay, editing, calibration, album and drawing-setting controls into calls on
// small collaborators (tool and overlay state, the calibration model, the album
// library, the measuring view), receives the transfers of the sheets and the
// view, and routes camera frames. Each slot is a line or two.

#include <QColor>
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/AlertPresenter.h"
#include "app/MainWindowUi.h"
#include "app/MeasureToolState.h"
#include "app/OverlayState.h"
#include "app/WindowArea.h"
#include "camera/FrameRouting.h"
#include "image/Frame.h"
#include "measure/Types.h"
#include "storage/AlbumLibrary.h"
#include "storage/CalibrationModel.h"
#include "storage/MediaList.h"

class QComboBox;
class QUrl;
class QMenu;
class QToolButton;

namespace lumetra {

class CameraSide;
class CaptureSide;
class NSGridlinesView;
class NewCalibrationController;
class NewFolderController;
class RQGlobalVariables;

// Neutral image adjustments (the camera side applies them).
struct ImageAdjustments {
    bool bBrightness = false, bContrast = false, bSaturation = false;
    bool bHue = false, bGamma = false, bSharpness = false;
    float fBrightnessValue = 0.0f;
    float fContrastValue = 1.0f;
    float fSaturationValue = 1.0f;
    float fHueValue = 0.0f;
    float fGammaValue = 1.0f;
    float fSharpnessValue = 0.0f;
};

// The look of the thumbnail grids' cells, shared by every cell of both grids.
struct GridCellAppearances {
    QColor hoverBackground;
    double hoverOpacity = 0.0;
    QColor selectionBackground;
    double selectionOpacity = 0.0;
};

class ViewController : public QMainWindow, public RQTransferDelegate, public FrameTarget {
    Q_OBJECT
public:
    // settings: the storage root and drawing settings; alerts: where messages
    // go (message boxes when none is given).
    explicit ViewController(RQGlobalVariables& settings,
                            std::unique_ptr<AlertPresenter> alerts = nullptr,
                            QWidget* parent = nullptr);
    ~ViewController() override;

    const MainWindowUi& ui() const { return ui_; }

    // Camera mode: 0 no camera, 1 USB, 2 and 3 WiFi. Set by the camera side.
    uint8_t iCameraMode = 0;
    uint8_t iMode() const { return tools_.iMode(); }
    uint8_t iGridMode() const { return overlays_.iGridMode(); }

    // Window geometry and frame sizes.
    WindowGeometry geometry;
    uint16_t iVideoWidth = 0, iVideoHeight = 0;            // laid out for
    uint16_t iNewVideoWidth = 640, iNewVideoHeight = 480;  // delivered by the camera
    ImageAdjustments adjustments;

    const CalibrationModel& calibration() const { return calibrations_; }
    const AlbumLibrary& albums() const { return albums_; }
    const MediaList& oPicMutArray() const { return pictures_; }
    const MediaList& oVidMutArray() const { return videos_; }
    uint8_t bPictureShow = 0;
    uint64_t IndexSelect = 0;
    GridCellAppearances cellAppearances;

    // Opens a URL with the desktop (the file manager for a folder); replaceable
    // so that tests see what would open.
    std::function<bool(const QUrl&)> openUrl;

    // The camera and capture sides, not owned; null until they exist.
    void setCameraSide(CameraSide* side) { camera_ = side; }
    void setCaptureSide(CaptureSide* side) { capture_ = side; }

    // Menus, sheets and the popover, for whoever drives the window.
    QMenu* calibrationMenu() const { return calibrationMenu_; }
    QMenu* albumMenu() const { return albumMenu_; }
    NewCalibrationController* calibrationSheet() const { return calibrationSheet_; }
    NewFolderController* folderSheet() const { return folderSheet_; }
    NSGridlinesView* GridlinesView() const { return gridlinesView_; }

    // Tool and overlay selection.
    void selectMeasureModel(uint8_t tool);
    void restoreMeasureState();
    void selectGridModel(uint8_t mode);
    void restoreGridState();

    // Lays the view out for the frame size iNewVideoWidth x iNewVideoHeight.
    void setWindowArea() override;

    // Reports of the sheets and the view.
    void PassValue(const UserEntity& entity, int32_t type) override;

    // The camera sides hand every decoded frame over here, on the main thread. The
    // frame's size becomes the source size; then the display rule routes it.
    void onFrame(const Frame& frame, const FrameMarks& marks = {});

    // The window's side of the display rule.
    ViewFacts viewFacts() const override;
    void setLayerContents(const Frame& frame) override;
    void setImage(const Frame& frame) override;
    void recordingVideo(const Frame& frame) override;

    // Rebuild one media list from the current album's folder.
    void loadPhotoCollection();
    void loadVideoCollection();
    // Appends a newly written JPEG to a media list: flag 0 a snapshot to the
    // photos, 1 a recording's thumbnail to the videos.
    void addCollectionItem(int32_t flag, const std::string& path);

public slots:
    void onLineAction() { onToolAction(kModeLine); }
    void onCLinesAction() { onToolAction(kModeContinuousLine); }
    void onPLineAction() { onToolAction(kModeParallelLines); }
    void onRCircleAction() { onToolAction(kModeCircleRadius); }
    void onDCircleAction() { onToolAction(kModeCircleDiameter); }
    void onTCircleAction() { onToolAction(kModeCircleThreePoints); }
    void onTAngleAction() { onToolAction(kModeAngleThreePoints); }
    void onFAngleAction() { onToolAction(kModeAngleFourPoints); }
    void onPloygonAction() { onToolAction(kModePolygon); }
    void onTextAction() { onToolAction(kModeText); }
    void onSGrideAction() { onGridAction(kGridSquare); }
    void onCGrideAction() { onGridAction(kGridCircle); }
    void onCrosshairAction() { onGridAction(kGridCrosshair); }
    void onScaleAction() { onGridAction(kGridScale); }
    void onUndoAction() { onRemoveShapes(0); }
    void onDeleteAction() { onRemoveShapes(1); }
    void onAbandonShapeAction();

    void onSliderWidthAction(int value);
    void onSliderFontAction(int value);
    void onSliderDecimalAction(int value);
    void onPickLColorAction(const QColor& color);
    void onPickFColorAction(const QColor& color);

    void onOKGridlinesView();
    void onCancelGridlinesView();

    void onCalibrationAction();
    void new_calibration();
    void open_calibration();
    void clear_calibration();
    void onNewAblumAction();
    void new_folder();
    void open_folder();
    // A choice from the calibration or the album list.
    void comboBoxSelectionDidChange(QComboBox* sender);

    void onTakePictureAction();
    void onTakeVideoAction();
    void onUSBCamAction();
    void onWiFiCamAction();
    void handleVideoFormatPopBtn(int index);
    void handleFpsPopBtn(int index);

signals:
    // A media list was rebuilt or changed; its grid shows it again.
    void photoCollectionChanged();
    void videoCollectionChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();
    void connectControls();
    void buildMenus();
    bool cameraActive() const { return iCameraMode != 0; }
    void onToolAction(uint8_t tool);
    void onGridAction(uint8_t mode);
    void onRemoveShapes(int32_t code);
    void applyOverlayAction(const OverlayState::Action& action);
    void showToolState();
    void showOverlayState();
    void calibrationCompleted(const UserEntity& entity);
    void albumCreated(const std::string& name);
    void switchAlbum(int index);
    void windowWillClose();
    // Puts the view at a frame given in the stage's y-up coordinates.
    void placeView(const ViewFrame& frame);

    RQGlobalVariables& settings_;
    std::unique_ptr<AlertPresenter> alerts_;
    MainWindowUi ui_;
    MeasureToolState tools_;
    OverlayState overlays_;
    CalibrationModel calibrations_;
    AlbumLibrary albums_;
    MediaList pictures_{MediaKind::Picture};
    MediaList videos_{MediaKind::Video};
    CameraSide* camera_ = nullptr;
    CaptureSide* capture_ = nullptr;
    QMenu* calibrationMenu_ = nullptr;
    QMenu* albumMenu_ = nullptr;
    NewCalibrationController* calibrationSheet_ = nullptr;
    NewFolderController* folderSheet_ = nullptr;
    NSGridlinesView* gridlinesView_ = nullptr;
};

}  // namespace lumetra
