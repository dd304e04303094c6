#pragma once
// The main window. It builds the widgets, runs the start-up, turns the tool,
// overlay, editing, calibration, album and drawing-setting controls into calls on
// small collaborators (tool and overlay state, the calibration model, the album
// library, the measuring view), receives the transfers of the sheets and the
// view, and routes camera frames. Each slot is a line or two.

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/AlertPresenter.h"
#include "app/MainWindowUi.h"
#include "app/WindowSides.h"
#include "camera/FrameRouting.h"
#include "image/Frame.h"
#include "measure/Types.h"
#include "policy/WindowArea.h"
#include "storage/AlbumLibrary.h"
#include "storage/CalibrationModel.h"
#include "storage/MediaList.h"

class QComboBox;
class QUrl;
class QMenu;
class QToolButton;

namespace lumetra {

class AlbumPages;
class CalibrationPanel;
class DrawingPanel;
class MeasureBar;
class ResultsPanel;
class NewFolderController;
class RQGlobalVariables;

class ViewController : public QMainWindow,
                       public RQTransferDelegate,
                       public FrameTarget,
                       public SideWindow {
    Q_OBJECT
public:
    // settings: the storage root and drawing settings; alerts: where messages
    // go (message boxes when none is given).
    explicit ViewController(RQGlobalVariables& settings,
                            std::unique_ptr<AlertPresenter> alerts = nullptr,
                            QWidget* parent = nullptr);
    ~ViewController() override;

    const MainWindowUi& ui() const { return ui_; }

    uint8_t iCameraMode() const { return static_cast<uint8_t>(cameraMode_); }
    // The frame size the view was last laid out for (0 x 0 before any frame).
    int laidOutWidth() const { return iVideoWidth_; }
    int laidOutHeight() const { return iVideoHeight_; }

    // The calibration in force.
    const CalibrationModel& calibration() const;
    const AlbumLibrary& albums() const { return albums_; }
    const MediaList& oPicMutArray() const { return pictures_; }
    const MediaList& oVidMutArray() const { return videos_; }

    // How a URL is opened with the desktop (the file manager for a folder, a
    // picture or movie of the album); replaceable so that tests see what would open.
    void setUrlOpener(std::function<bool(const QUrl&)> open);

    // The sides, not owned; null until they exist. A side detaches itself by
    // passing null before it goes.
    void setCameraSide(CameraKind kind, CameraSide* side);
    void setSnapshotSide(SnapshotSide* side) { snapshots_ = side; }
    void setRecordingSide(RecordingSide* side) { recorder_ = side; }

    // Menus, sheets and the popover, for whoever drives the window.
    QMenu* albumMenu() const { return albumMenu_; }
    NewFolderController* folderSheet() const { return folderSheet_; }
    // The photo and video pages with their thumbnail grids.
    AlbumPages& albumPages() const { return *albumPages_; }
    ResultsPanel& resultsPanel() const { return *resultsPanel_; }
    CalibrationPanel& calibrationPanel() const { return *calibration_; }
    MeasureBar& measureBar() const { return *measureBar_; }

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

    // What the camera and capture sides call.
    CameraMode cameraMode() const override { return cameraMode_; }
    void cameraConnected(CameraMode mode, int width, int height, const QString& status) override;
    void cameraStopped() override;
    // Every decoded frame, on the main thread: its size becomes the frame size,
    // then the display rule routes it.
    void onFrame(const Frame& frame, const FrameMarks& marks = {}) override;
    void requestSnapshot() override;
    void showFailure(const QString& message) override;
    void setBusy(bool busy) override;
    void showCameraLists(CameraKind kind, const CameraList& devices, const CameraList& formats,
                         const CameraList& rates) override;
    void showAdjustments(const std::array<SliderSetting, 6>& sliders) override;
    void showShutterButton(bool visible, const QString& image, const QString& toolTip) override;
    RQVideoView& videoView() override;
    int frameWidth() const override { return iNewVideoWidth_; }
    int frameHeight() const override { return iNewVideoHeight_; }
    void pictureAdded(const std::string& path) override { addMedia(MediaKind::Picture, path); }
    void recordingThumbnailAdded(const std::string& path) override {
        addMedia(MediaKind::Video, path);
    }
    void recordingStarted(const std::string& moviePath) override;
    void recordingStopped() override;
    void recordingTime(const QString& text) override;
    void recordingFinished(const std::string& moviePath) override;
    void recordingFailed(const QString& reason) override;

    // Rebuild one media list from the current album's folder.
    void loadPhotoCollection();
    void loadVideoCollection();
    // Appends a newly written JPEG to a media list: flag 0 a snapshot to the
    // photos, 1 a recording's thumbnail to the videos; other flags nothing.
    void addCollectionItem(int32_t flag, const std::string& path);

public slots:
    // Holds the picture on screen, or goes back to live.
    void onFreezeAction();
    void onNewAblumAction();
    void new_folder();
    void open_folder();
    // A choice from the album list.
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
    void resizeEvent(QResizeEvent* event) override;
    // Back in the window (after a dialog, an alert or another program), the
    // keyboard goes to the picture, where Space freezes it; a text field being
    // typed in keeps it.
    void changeEvent(QEvent* event) override;

private:
    void startUp();
    void connectControls();
    void buildMenus();
    bool cameraActive() const { return cameraMode_ != CameraMode::None; }
    // Whether a camera is active; if not, the hint line says to connect one.
    bool cameraReady();
    void setFrozen(bool frozen);
    CameraSide* cameraSide(CameraKind kind) const;
    // The side of the active camera; null when none is active.
    CameraSide* activeSide() const;
    void addMedia(MediaKind kind, const std::string& path);
    void showMediaCount(MediaKind kind);
    // The hint line's "saved to" goes once the file it names was deleted.
    void forgetDeletedSave();
    // The calibration in force, in the view at once; the tools and overlays that
    // need one end without it.
    void showCalibration();
    // The results table of the view's stored shapes in the view's calibration.
    void showResults();
    void albumCreated(const std::string& name);
    void switchAlbum(int index);
    void windowWillClose();

    RQGlobalVariables& settings_;
    std::unique_ptr<AlertPresenter> alerts_;
    MainWindowUi ui_;
    AlbumLibrary albums_;
    MediaList pictures_{MediaKind::Picture};
    MediaList videos_{MediaKind::Video};
    CameraSide* usbSide_ = nullptr;
    CameraSide* wifiSide_ = nullptr;
    SnapshotSide* snapshots_ = nullptr;
    RecordingSide* recorder_ = nullptr;
    std::function<bool(const QUrl&)> openUrl_;
    CameraMode cameraMode_ = CameraMode::None;
    WindowGeometry geometry_;
    uint16_t iVideoWidth_ = 0, iVideoHeight_ = 0;            // laid out for
    uint16_t iNewVideoWidth_ = 640, iNewVideoHeight_ = 480;  // delivered by the camera
    bool recording_ = false;                                 // the record button shows it
    QString savedFile_;         // the file the hint line last said was saved
    uint8_t bPictureShow_ = 0;  // the page shown: 0 photos, 1 videos
    QMenu* albumMenu_ = nullptr;
    NewFolderController* folderSheet_ = nullptr;
    std::unique_ptr<AlbumPages> albumPages_;  // its grids sit in the window's pages
    ResultsPanel* resultsPanel_ = nullptr;    // the tab view's third page
    CalibrationPanel* calibration_ = nullptr;
    DrawingPanel* drawing_ = nullptr;
    MeasureBar* measureBar_ = nullptr;
};

}  // namespace lumetra
