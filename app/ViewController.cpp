#include "app/ViewController.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <map>

#include "app/AlertPresenter.h"
#include "app/CameraSeams.h"
#include "app/ColorWell.h"
#include "app/Images.h"
#include "app/NSGridlinesView.h"
#include "app/NewCalibrationController.h"
#include "app/NewFolderController.h"
#include "app/RQVideoView.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

const QString kCalibrateFirst = QStringLiteral("Please calibrate first");
const QString kValueIllegal = QStringLiteral("The value is illegal");

QString toQString(const std::string& text) { return QString::fromStdString(text); }

RgbColor toRgb(const QColor& color) { return {color.redF(), color.greenF(), color.blueF()}; }

// Shows an image on a button and remembers its name in the "image" property.
void setButtonImage(QToolButton* button, const std::string& name) {
    button->setIcon(imageIcon(name));
    button->setProperty("image", toQString(name));
}

QString mediaCountText(size_t count, const QString& singular, const QString& plural) {
    if (count == 0) return QStringLiteral("No %1 in this album").arg(plural);
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? singular : plural);
}

}  // namespace

ViewController::ViewController(RQGlobalVariables& settings, std::unique_ptr<AlertPresenter> alerts,
                               QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      alerts_(alerts ? std::move(alerts) : std::make_unique<MessageBoxPresenter>(this)),
      calibrations_(settings),
      albums_(settings) {
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    setWindowTitle(QStringLiteral("Lumetra"));
    setWindowIcon(imageIcon("lumetra"));
    ui_.setupUi(this);
    setMinimumSize(MainWindowUi::kStageWidth, MainWindowUi::kStageHeight);
    resize(MainWindowUi::kStageWidth, MainWindowUi::kStageHeight);
    gridlinesView_ = new NSGridlinesView(this);
    buildMenus();
    connectControls();
    startUp();
}

ViewController::~ViewController() = default;

void ViewController::startUp() {
    // 1. The busy indicator: red, hidden until the camera side needs it.
    ui_.ctrSpinner->setStyleSheet(
        QStringLiteral("QProgressBar { background: #c0392b; border: none; }"));
    ui_.ctrSpinner->hide();
    // 2. The storage root was laid out when the settings object was created.
    // 3. Album list, with the album of default.txt selected.
    const auto album = albums_.scan();
    for (const std::string& name : albums_.albums()) ui_.AblumComboBox->addItem(toQString(name));
    ui_.AblumComboBox->setCurrentIndex(album ? static_cast<int>(*album) : -1);
    // 4. Calibration list, with the calibration of calibration.txt selected.
    const auto calibrationIndex = calibrations_.restore();
    for (const std::string& name : calibrations_.names()) ui_.CalComboBox->addItem(toQString(name));
    ui_.CalComboBox->setCurrentIndex(calibrationIndex ? static_cast<int>(*calibrationIndex) : -1);
    // 5. Photos page first; empty media lists.
    bPictureShow = 0;
    IndexSelect = 0;
    // 6. Cell appearances of the thumbnail grids.
    cellAppearances = {QColor(Qt::gray), 0.42, QColor::fromRgbF(0.542f, 0.699f, 0.807f), 0.42};
    // 7. The tab view shows its first page.
    ui_.SettingTabView->setCurrentIndex(0);
    // 8. The WiFi resolution and frame-rate lists are wired in connectControls().
    // 9. Neutral image adjustments.
    adjustments = ImageAdjustments{};
    // 10. No camera, tool or overlay.
    iCameraMode = 0;
    tools_.reset();
    overlays_.reset();
    // 11. The view at its initial place.
    geometry = WindowGeometry{};
    placeView(kInitialViewFrame);
    // 12. Frame sizes: nothing laid out yet, 640 x 480 expected.
    iVideoWidth = 0;
    iVideoHeight = 0;
    iNewVideoWidth = 640;
    iNewVideoHeight = 480;
    setButtonImage(ui_.btTakevideo, "movies");  // the recorder is idle
    // 13, 14. The snapshot-button poller, the stream buffer and its queue belong
    // to the camera side (CameraSide), attached when it exists.
    // 15. The current album's media.
    loadPhotoCollection();
    loadVideoCollection();
    // 16. The view's initial state, reporting to this window.
    ui_.VideoView->initVideoView();
    ui_.VideoView->resetMeasureParas();
    ui_.VideoView->setDelegate(this);
    ui_.VideoView->setSettings(&settings_);
    showToolState();
    showOverlayState();
}

void ViewController::connectControls() {
    const std::map<QToolButton*, void (ViewController::*)()> actions{
        {ui_.btLine, &ViewController::onLineAction},
        {ui_.btCLines, &ViewController::onCLinesAction},
        {ui_.btPLine, &ViewController::onPLineAction},
        {ui_.btRCircle, &ViewController::onRCircleAction},
        {ui_.btDCircle, &ViewController::onDCircleAction},
        {ui_.btTCircle, &ViewController::onTCircleAction},
        {ui_.btTAngle, &ViewController::onTAngleAction},
        {ui_.btFAngle, &ViewController::onFAngleAction},
        {ui_.btPloygon, &ViewController::onPloygonAction},
        {ui_.btText, &ViewController::onTextAction},
        {ui_.btSGride, &ViewController::onSGrideAction},
        {ui_.btCGride, &ViewController::onCGrideAction},
        {ui_.btCrosshair, &ViewController::onCrosshairAction},
        {ui_.btScale, &ViewController::onScaleAction},
        {ui_.btUndo, &ViewController::onUndoAction},
        {ui_.btDelete, &ViewController::onDeleteAction},
        {ui_.btSnapshot, &ViewController::onTakePictureAction},
        {ui_.btTakevideo, &ViewController::onTakeVideoAction},
        {ui_.btUSBCam, &ViewController::onUSBCamAction},
        {ui_.btWiFiCam, &ViewController::onWiFiCamAction},
        {ui_.btCalibration, &ViewController::onCalibrationAction},
        {ui_.btNewAblum, &ViewController::onNewAblumAction},
    };
    for (const auto& [button, action] : actions)
        connect(button, &QToolButton::clicked, this, action);

    connect(ui_.sliderWidth, &QSlider::valueChanged, this, &ViewController::onSliderWidthAction);
    connect(ui_.sliderFont, &QSlider::valueChanged, this, &ViewController::onSliderFontAction);
    connect(ui_.sliderDecimal, &QSlider::valueChanged, this,
            &ViewController::onSliderDecimalAction);
    connect(ui_.lColorWell, &ColorWell::colorChosen, this, &ViewController::onPickLColorAction);
    connect(ui_.fColorWell, &ColorWell::colorChosen, this, &ViewController::onPickFColorAction);

    // Only the user's choices count: filling and selecting by the window runs no handling.
    connect(ui_.CalComboBox, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(ui_.CalComboBox); });
    connect(ui_.AblumComboBox, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(ui_.AblumComboBox); });
    connect(ui_.SettingTabView, &QTabWidget::currentChanged, this, [this](int index) {
        bPictureShow = static_cast<uint8_t>(index == 1 ? 1 : 0);
        emit(bPictureShow == 0 ? photoCollectionChanged() : videoCollectionChanged());
    });
    connect(ui_.WiFiVideoFormatUpButton, &QComboBox::activated, this,
            &ViewController::handleVideoFormatPopBtn);
    connect(ui_.WiFiVideoFPSUpButton, &QComboBox::activated, this,
            &ViewController::handleFpsPopBtn);

    connect(gridlinesView_, &NSGridlinesView::okRequested, this,
            &ViewController::onOKGridlinesView);
    connect(gridlinesView_, &NSGridlinesView::cancelRequested, this,
            &ViewController::onCancelGridlinesView);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &ViewController::onAbandonShapeAction);
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &ViewController::onUndoAction);
}

void ViewController::buildMenus() {
    calibrationMenu_ = new QMenu(QStringLiteral("Menu"), this);
    calibrationMenu_->addAction(QStringLiteral("New Calibration"), this,
                                &ViewController::new_calibration);
    calibrationMenu_->addAction(QStringLiteral("Open Folder"), this,
                                &ViewController::open_calibration);
    calibrationMenu_->addAction(QStringLiteral("Clear Calibration"), this,
                                &ViewController::clear_calibration);
    albumMenu_ = new QMenu(QStringLiteral("Menu"), this);
    albumMenu_->addAction(QStringLiteral("New Folder"), this, &ViewController::new_folder);
    albumMenu_->addAction(QStringLiteral("Open Folder"), this, &ViewController::open_folder);
}

// ---- Tools ----

void ViewController::onToolAction(uint8_t tool) {
    if (cameraActive()) selectMeasureModel(tool);
}

void ViewController::selectMeasureModel(uint8_t tool) {
    const MeasureToolState::Choice choice = tools_.select(tool, calibrations_.isCalibrated());
    if (choice.needsCalibration) {
        alerts_->alert(kCalibrateFirst);
        return;
    }
    showToolState();
    if (choice.viewMode) {
        ui_.VideoView->setMeasureMode(*choice.viewMode, "", calibrations_.strUnit(),
                                      calibrations_.fScale(), calibrations_.fUnitLength(), false);
    }
}

void ViewController::restoreMeasureState() {
    tools_.restoreMeasureState();
    showToolState();
}

void ViewController::showToolState() {
    const std::map<uint8_t, QToolButton*> buttons{{kModeLine, ui_.btLine},
                                                  {kModeContinuousLine, ui_.btCLines},
                                                  {kModeParallelLines, ui_.btPLine},
                                                  {kModeCircleRadius, ui_.btRCircle},
                                                  {kModeCircleDiameter, ui_.btDCircle},
                                                  {kModeCircleThreePoints, ui_.btTCircle},
                                                  {kModeAngleThreePoints, ui_.btTAngle},
                                                  {kModeAngleFourPoints, ui_.btFAngle},
                                                  {kModePolygon, ui_.btPloygon}};
    for (const auto& [tool, button] : buttons)
        setButtonImage(button, toolImageName(tool, tools_.chosenButton() == tool));
    ui_.txt_recording->setText(toQString(tools_.hint()));
}

void ViewController::onAbandonShapeAction() {
    if (cameraActive()) ui_.VideoView->abandonShapeInProgress();
}

void ViewController::onRemoveShapes(int32_t code) {
    if (!cameraActive()) return;
    overlays_.reset();
    tools_.reset();
    showOverlayState();
    showToolState();
    ui_.VideoView->deleteshape(code);
}

// ---- Overlays ----

void ViewController::onGridAction(uint8_t mode) {
    if (cameraActive()) selectGridModel(mode);
}

void ViewController::selectGridModel(uint8_t mode) {
    applyOverlayAction(overlays_.select(mode, calibrations_.isCalibrated()));
}

void ViewController::restoreGridState() {
    overlays_.restoreGridState();
    showOverlayState();
}

void ViewController::onOKGridlinesView() {
    const QString text = gridlinesView_->GridlinesField()->text();
    applyOverlayAction(overlays_.ok(text.toStdString()));
}

void ViewController::onCancelGridlinesView() { applyOverlayAction(overlays_.cancel()); }

void ViewController::applyOverlayAction(const OverlayState::Action& action) {
    using Kind = OverlayState::Action::Kind;
    switch (action.kind) {
        case Kind::Nothing:
            break;
        case Kind::CalibrateFirst:
            alerts_->alert(kCalibrateFirst);
            return;
        case Kind::IllegalValue:
            alerts_->alert(kValueIllegal);
            return;
        case Kind::OpenPopover: {
            const std::map<uint8_t, QToolButton*> anchors{{kGridSquare, ui_.btSGride},
                                                          {kGridCircle, ui_.btCGride},
                                                          {kGridScale, ui_.btScale}};
            const auto anchor = anchors.find(action.mode);
            gridlinesView_->popUp(anchor == anchors.end() ? nullptr : anchor->second,
                                  toQString(calibrations_.strUnit()));
            break;
        }
        case Kind::ApplyGrid:
            ui_.VideoView->setGridView(action.mode, action.length, calibrations_.fScale(),
                                       calibrations_.fUnitLength());
            break;
    }
    if (!overlays_.popoverOpen() && gridlinesView_->isVisible()) gridlinesView_->dismiss();
    showOverlayState();
}

void ViewController::showOverlayState() {
    const std::map<uint8_t, QToolButton*> buttons{{kGridSquare, ui_.btSGride},
                                                  {kGridCircle, ui_.btCGride},
                                                  {kGridCrosshair, ui_.btCrosshair},
                                                  {kGridScale, ui_.btScale}};
    for (const auto& [mode, button] : buttons) {
        setButtonImage(button, gridImageName(mode, overlays_.selectedButton() == mode));
    }
}

// ---- Drawing settings ----

void ViewController::onSliderWidthAction(int value) {
    ui_.WidthTextField->setText(QString::number(value));
    settings_.setILineWidth(value);
    ui_.VideoView->setUpdatedProperty(settings_);
}

void ViewController::onSliderFontAction(int value) {
    ui_.FontTextField->setText(QString::number(value));
    settings_.setIFontSize(value);
    ui_.VideoView->setUpdatedProperty(settings_);
}

void ViewController::onSliderDecimalAction(int value) {
    ui_.DecimalTextField->setText(QString::number(value));
    settings_.setIDecimal(value);
    ui_.VideoView->setUpdatedProperty(settings_);
}

void ViewController::onPickLColorAction(const QColor& color) {
    settings_.setOLineColor(toRgb(color));
    ui_.VideoView->setUpdatedProperty(settings_);
}

void ViewController::onPickFColorAction(const QColor& color) {
    settings_.setOFontColor(toRgb(color));
    ui_.VideoView->setUpdatedProperty(settings_);
}

// ---- Calibration ----

void ViewController::onCalibrationAction() {
    if (cameraActive()) calibrationMenu_->popup(QCursor::pos());
}

void ViewController::new_calibration() {
    delete calibrationSheet_;
    calibrationSheet_ = new NewCalibrationController(this, *alerts_);
    calibrationSheet_->delegate = this;
    calibrationSheet_->open();
}

void ViewController::open_calibration() {
    if (openUrl) openUrl(QUrl::fromLocalFile(toQString(settings_.getStrDocuments())));
}

void ViewController::clear_calibration() {
    calibrations_.clear();
    ui_.CalComboBox->clear();
    ui_.VideoView->deleteshape(1);
    tools_.reset();
    overlays_.reset();
    showToolState();
    showOverlayState();
}

void ViewController::calibrationCompleted(const UserEntity& entity) {
    const size_t index =
        calibrations_.addCompleted(entity.Param1, entity.Param2, entity.Param3, entity.Param4);
    ui_.CalComboBox->addItem(toQString(entity.Param1));
    ui_.CalComboBox->setCurrentIndex(static_cast<int>(index));
}

void ViewController::comboBoxSelectionDidChange(QComboBox* sender) {
    const int index = sender->currentIndex();
    if (index < 0) return;
    if (sender == ui_.CalComboBox) calibrations_.select(static_cast<size_t>(index));
    if (sender == ui_.AblumComboBox) switchAlbum(index);
}

// ---- Albums ----

void ViewController::onNewAblumAction() { albumMenu_->popup(QCursor::pos()); }

void ViewController::new_folder() {
    delete folderSheet_;
    folderSheet_ = new NewFolderController(this, *alerts_, albums_);
    folderSheet_->delegate = this;
    folderSheet_->open();
}

void ViewController::open_folder() { open_calibration(); }

void ViewController::albumCreated(const std::string& name) {
    const size_t index = albums_.appendAlbum(name);
    ui_.AblumComboBox->addItem(toQString(name));
    ui_.AblumComboBox->setCurrentIndex(static_cast<int>(index));
    switchAlbum(static_cast<int>(index));
}

void ViewController::switchAlbum(int index) {
    if (!albums_.switchAlbum(static_cast<size_t>(index))) return;
    loadPhotoCollection();
    loadVideoCollection();
}

void ViewController::loadPhotoCollection() {
    pictures_.load(settings_.getStrDocumentsPicture());
    ui_.photoCount->setText(
        mediaCountText(pictures_.size(), QStringLiteral("snapshot"), QStringLiteral("snapshots")));
    emit photoCollectionChanged();
}

void ViewController::loadVideoCollection() {
    videos_.load(settings_.getStrDocumentsVideo());
    ui_.videoCount->setText(
        mediaCountText(videos_.size(), QStringLiteral("recording"), QStringLiteral("recordings")));
    emit videoCollectionChanged();
}

void ViewController::addCollectionItem(int32_t flag, const std::string& path) {
    if (flag == 0) {
        pictures_.append(path);
        ui_.photoCount->setText(mediaCountText(pictures_.size(), QStringLiteral("snapshot"),
                                               QStringLiteral("snapshots")));
        emit photoCollectionChanged();
    } else if (flag == 1) {
        videos_.append(path);
        ui_.videoCount->setText(mediaCountText(videos_.size(), QStringLiteral("recording"),
                                               QStringLiteral("recordings")));
        emit videoCollectionChanged();
    }
}

// ---- Transfers ----

void ViewController::PassValue(const UserEntity& entity, int32_t type) {
    switch (type) {
        case kTransferAlbumCreated:
            albumCreated(entity.Param1);
            break;
        case kTransferCalibrationEntered:
            calibrations_.beginCalibration(entity.Param1, entity.Param2, entity.Param3,
                                           entity.Param4);
            tools_.enterCalibration();
            showToolState();
            ui_.VideoView->setMeasureMode(kModeLine, calibrations_.strCalName(),
                                          calibrations_.strUnit(), calibrations_.fScale(),
                                          calibrations_.fUnitLength(), true);
            break;
        case kTransferSnapshotWritten:
            if (capture_) capture_->snapshotWritten(entity.Param1);
            break;
        case kTransferCalibrationStored:
            calibrationCompleted(entity);
            break;
        case kTransferFigureStored:
            tools_.figureEnded();
            ui_.txt_recording->setText(toQString(tools_.hint()));
            break;
        default:
            break;
    }
}

// ---- Frames and layout ----

void ViewController::setWindowArea() {
    iVideoWidth = iNewVideoWidth;
    iVideoHeight = iNewVideoHeight;
    if (const auto frame = computeWindowArea(geometry, iVideoWidth, iVideoHeight))
        placeView(*frame);
}

void ViewController::placeView(const ViewFrame& frame) {
    ui_.VideoView->setGeometry(qRound(frame.x),
                               qRound(topFromParentTop(frame, geometry.fWindowHeight)),
                               qRound(frame.width), qRound(frame.height));
}

void ViewController::onFrame(const Frame& frame, const FrameMarks& marks) {
    if (frame.isNull() || frame.width > UINT16_MAX || frame.height > UINT16_MAX) return;
    iNewVideoWidth = static_cast<uint16_t>(frame.width);
    iNewVideoHeight = static_cast<uint16_t>(frame.height);
    displayFrame(*this, frame, marks);
}

ViewFacts ViewController::viewFacts() const {
    const RQVideoView& view = *ui_.VideoView;
    return {.iVideoWidth = iVideoWidth,
            .iVideoHeight = iVideoHeight,
            .iNewVideoWidth = iNewVideoWidth,
            .iNewVideoHeight = iNewVideoHeight,
            .shapesPresent = view.getShapesCount(),
            .iMode = tools_.iMode(),
            .iGridMode = overlays_.iGridMode(),
            .viewTextTool = view.model().iMode == kModeText,
            .redrawing = view.redrawing()};
}

void ViewController::setLayerContents(const Frame& frame) {
    ui_.VideoView->setLayerContents(frame);
}

void ViewController::setImage(const Frame& frame) { ui_.VideoView->setImage(frame); }

void ViewController::recordingVideo(const Frame& frame) {
    if (capture_) capture_->recordingVideo(frame);
}

// ---- Camera and capture ----

void ViewController::onTakePictureAction() {
    if (cameraActive() && capture_) capture_->takePicture();
}

void ViewController::onTakeVideoAction() {
    if (cameraActive() && capture_) capture_->toggleRecording();
}

void ViewController::onUSBCamAction() {
    if (camera_) camera_->connectUsbCamera();
}

void ViewController::onWiFiCamAction() {
    if (camera_) camera_->connectWiFiCamera();
}

void ViewController::handleVideoFormatPopBtn(int index) {
    if (camera_) camera_->chooseWiFiFormat(index);
}

void ViewController::handleFpsPopBtn(int index) {
    if (camera_) camera_->chooseWiFiFrameRate(index);
}

void ViewController::windowWillClose() {
    if (camera_) camera_->stopUsbCapture();
}

void ViewController::closeEvent(QCloseEvent* event) {
    windowWillClose();
    QMainWindow::closeEvent(event);
}

}  // namespace lumetra
