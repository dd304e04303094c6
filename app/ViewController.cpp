#include "app/ViewController.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <cmath>

#include "app/AlbumPages.h"
#include "app/AlertPresenter.h"
#include "app/ButtonKeys.h"
#include "app/Images.h"
#include "app/RQVideoView.h"
#include "app/ResultsPanel.h"
#include "app/WindowPlacement.h"
#include "app/panels/AlbumPanel.h"
#include "app/panels/CalibrationPanel.h"
#include "app/panels/CameraPanel.h"
#include "app/panels/CaptureBar.h"
#include "app/panels/CountPanel.h"
#include "app/panels/DrawingPanel.h"
#include "app/panels/MeasureBar.h"
#include "app/panels/SnapshotPanel.h"
#include "measure/MeasurementPass.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

const char* const kConnectFirst = QT_TRANSLATE_NOOP(
    "lumetra::ViewController",
    "Connect a microscope or open a picture first: the USB, WiFi or Open button in the camera "
    "panel");

// The first local file among a drag's URLs; "" none.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

QString toQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

ViewController::ViewController(RQGlobalVariables& settings, std::unique_ptr<AlertPresenter> alerts,
                               QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      alerts_(alerts ? std::move(alerts) : std::make_unique<MessageBoxPresenter>(this)) {
    openUrl_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    setWindowTitle(QStringLiteral("Lumetra"));
    setWindowIcon(imageIcon("lumetra"));
    setAcceptDrops(true);
    ui_.setupUi(this);
    setMinimumSize(MainWindowUi::kMinimumWidth, MainWindowUi::kMinimumHeight);
    if (!restoreWindowPlacement(*this)) {
        // First run: the default size, within the screen.
        QSize size(MainWindowUi::kDefaultWidth, MainWindowUi::kDefaultHeight);
        if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableSize());
        resize(size.expandedTo(minimumSize()));
    }
    camera_ = new CameraPanel(ui_.camera, this);
    new CameraProfilePanel(ui_.camera.profiles, *camera_,
                           settings_.layout().root + CameraProfiles::kFileName, *alerts_, this);
    drawing_ = new DrawingPanel(ui_.drawing, settings_, *ui_.VideoView, this);
    count_ = new CountPanel(ui_.count, *ui_.VideoView, this);
    calibration_ = new CalibrationPanel(ui_.calibration, settings_, *alerts_, this);
    measureBar_ = new MeasureBar(
        ui_.measure, *ui_.VideoView, calibration_->model(), *alerts_,
        [this] { return cameraReady(); }, this);
    album_ = std::make_unique<AlbumPanel>(ui_.album, settings_, *alerts_, this);
    captureBar_ =
        new CaptureBar(ui_.capture, *ui_.VideoView, *ui_.txt_recording, *album_, *alerts_,
                       {.cameraReady = [this] { return cameraReady(); },
                        .cameraActive = [this] { return cameraActive(); },
                        .frameSize = [this] { return QSize(iNewVideoWidth_, iNewVideoHeight_); },
                        .videoFolder = [this] { return settings_.getStrDocumentsVideo(); }},
                       this);
    snapshots_ = new SnapshotPanel(
        ui_.snapshots, settings_, *ui_.VideoView, *alerts_, [this] { return cameraReady(); }, this);
    resultsPanel_ = new ResultsPanel(*alerts_, ui_.album.SettingTabView);
    resultsPanel_->setObjectName(QStringLiteral("ResultsPanel"));
    // The album's own folder: a table among the snapshots is neither listed nor deleted with them.
    resultsPanel_->setExportFolder([this] {
        return QString::fromStdString(settings_.layout().albumFolder(settings_.getStrDefFolder()));
    });
    const int results = ui_.album.SettingTabView->addTab(resultsPanel_, tr("Results"));
    ui_.album.SettingTabView->setTabToolTip(results, tr("The measurements on the picture"));
    orderAlbumPagesForTab();
    pressButtonsFromKeyboard(this);
    connect(ui_.VideoView, &RQVideoView::shapesChanged, this, &ViewController::showResults);
    connect(resultsPanel_, &ResultsPanel::shapeSelected, ui_.VideoView,
            &RQVideoView::setHighlightedShape);
    connect(ui_.VideoView, &RQVideoView::shapeChosen, resultsPanel_, &ResultsPanel::selectShape);
    connectControls();
    startUp();
}

ViewController::~ViewController() {
    // The window's widgets go after this body: what they report on the way (a field that
    // loses the keyboard finishes its editing) must not reach the conductor half gone.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

const CalibrationModel& ViewController::calibration() const { return calibration_->model(); }

// The album's pages are filled after every panel is built: Tab reaches their
// controls right after the page tabs, before the picture.
void ViewController::orderAlbumPagesForTab() {
    QTabWidget* pages = ui_.album.SettingTabView;
    QWidget* previous = pages;
    for (QWidget* control : pages->findChildren<QWidget*>()) {
        const bool tabStop = (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy();
        if (!tabStop || pages->tabBar() == control || pages->tabBar()->isAncestorOf(control))
            continue;
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void ViewController::startUp() {
    // The storage root was laid out when the settings object was created.
    // Album list, with the album of default.txt selected, and its media; the photos
    // page first.
    album_->restore();
    // Calibration list, with the calibration of calibration.txt selected.
    calibration_->restore();
    // No tool or overlay; the camera panel starts without a camera.
    measureBar_->reset();
    // The view at its initial size.
    geometry_ = WindowGeometry{};
    ui_.VideoView->setLogicalSize(kInitialViewSize);
    // Frame sizes: nothing laid out yet, 640 x 480 expected.
    iVideoWidth_ = 0;
    iVideoHeight_ = 0;
    iNewVideoWidth_ = 640;
    iNewVideoHeight_ = 480;
    // The snapshot-button poller, the stream buffer and its queue belong
    // to the WiFi camera side, attached when it exists.
    // The view's initial state, reporting to this window.
    ui_.VideoView->initVideoView();
    ui_.VideoView->resetMeasureParas();
    ui_.VideoView->setDelegate(this);
    ui_.VideoView->setSettings(&settings_);
    showCalibration();  // the view measures in the restored calibration, or in none
    drawing_->restore();
    count_->restore();
    snapshots_->restore();
}

void ViewController::connectControls() {
    connect(ui_.calibration.btCalibration, &QToolButton::clicked, this, [this] {
        if (cameraReady()) calibration_->popUpMenu();
    });
    connect(calibration_, &CalibrationPanel::calibrationChanged, this,
            &ViewController::showCalibration);
    connect(calibration_, &CalibrationPanel::calibrationsCleared, this, [this] {
        ui_.VideoView->deleteshape(static_cast<int32_t>(ShapeRemoval::All));
        measureBar_->endTool();
        measureBar_->endOverlay();
    });
    connect(ui_.VideoView, &RQVideoView::calibrationWanted, this,
            &ViewController::bringBackCalibration);
    connect(calibration_, &CalibrationPanel::calibrationEntered, measureBar_,
            &MeasureBar::enterCalibration);
    connect(measureBar_, &MeasureBar::viewCalibrationChanged, this, &ViewController::showResults);
    connect(calibration_, &CalibrationPanel::folderWanted, this, &ViewController::open_folder);

    connect(album_.get(), &AlbumPanel::filesDeleted, captureBar_, &CaptureBar::forgetDeletedSave);
    connect(album_.get(), &AlbumPanel::folderWanted, this, &ViewController::open_folder);
    connect(ui_.VideoView, &RQVideoView::stepHintChanged, ui_.txt_recording, &QLabel::setText);
    connect(ui_.VideoView, &RQVideoView::snapshotFailed, this,
            [this](const QString& message) { alerts_->alert(message); });
    connect(ui_.VideoView, &RQVideoView::calibrationRefused, this,
            [this](const QString& reason) { alerts_->alert(reason); });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (cameraActive()) measureBar_->abandonShape();
    });
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, measureBar_, &MeasureBar::undo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        auto* redo = new QShortcut(keys, this);
        connect(redo, &QShortcut::activated, measureBar_, &MeasureBar::redo);
    }
    // Only on the picture: the album's grid takes the Delete key for its files.
    auto* remove = new QShortcut(QKeySequence::Delete, ui_.VideoView);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { measureBar_->deleteShapes(false); });
    connect(snapshots_, &SnapshotPanel::analysisSaved, this, [this](const QString& path) {
        ui_.txt_recording->setText(tr("Saved for analysis to %1").arg(path));
    });
    connect(&album_->albumPages(), &AlbumPages::measureWanted, this, &ViewController::openPicture);
    auto* open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, ui_.camera.of(CameraKind::Picture).connect,
            &QToolButton::click);
    auto* freeze = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(freeze, &QShortcut::activated, captureBar_, &CaptureBar::toggleFreeze);
    for (int c = 1; c <= kCountClasses; ++c) {
        auto* choose = new QShortcut(QKeySequence(Qt::Key_0 + c), this);
        connect(choose, &QShortcut::activated, count_, [this, c] { count_->chooseClass(c); });
    }
    connect(count_, &CountPanel::classNamesChanged, this, &ViewController::showResults);
    // The picture takes Space itself (held, it pans) and says when it freezes.
    connect(ui_.VideoView, &RQVideoView::freezeKeyPressed, captureBar_, &CaptureBar::toggleFreeze);
    connect(ui_.VideoView, &RQVideoView::shownSizeChanged, camera_, &CameraPanel::showPictureAt);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_0), QKeySequence(Qt::CTRL | Qt::Key_0)}) {
        auto* fit = new QShortcut(keys, this);
        connect(fit, &QShortcut::activated, ui_.VideoView, &RQVideoView::zoomToFit);
    }
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
}

// ---- Gate ----

bool ViewController::cameraReady() {
    if (cameraActive()) return true;
    ui_.txt_recording->setText(tr(kConnectFirst));
    return false;
}

// ---- Calibration ----

void ViewController::calibrationCompleted(const CompletedCalibration& completed) {
    calibration_->store(completed);
}

void ViewController::showCalibration() {
    const CalibrationModel& c = calibration();
    ui_.VideoView->applyCalibration(c.strCalName(), c.strUnit(), c.fScale(), c.fUnitLength());
    measureBar_->calibrationChanged();
    showResults();
}

void ViewController::bringBackCalibration(const QString& name) {
    if (calibration_->chooseNamed(name.toStdString())) return;
    // The shapes go on reading in the calibration in force, and the hint line says why.
    ui_.txt_recording->setText(
        name.isEmpty() ? tr("The measurements were read without a calibration before; they keep "
                            "the one in force")
                       : tr("The calibration \"%1\" is no longer stored; the measurements keep "
                            "the one in force")
                             .arg(name));
}

void ViewController::showResults() {
    const MeasureModel& model = ui_.VideoView->model();
    // The calibration the shapes read in is the one in force, also while a new one is
    // drawn; its uncertainty is the calibration panel's.
    CalibrationValues values = calibrationOf(model);
    values.relativeUncertainty = calibration().relativeUncertainty();
    resultsPanel_->setShapes(model.oMutShapsArray, values, model.countClassNames);
}

// ---- Albums ----

void ViewController::open_folder() {
    const QString folder = toQString(settings_.getStrDocuments());
    if (openUrl_ && !openUrl_(QUrl::fromLocalFile(folder)))
        alerts_->alert(tr("No file manager opened the folder. It is %1").arg(folder));
}

void ViewController::setUrlOpener(std::function<bool(const QUrl&)> open) {
    openUrl_ = open;
    album_->albumPages().setUrlOpener(std::move(open));
}

// ---- Transfers ----

void ViewController::PassValue(const UserEntity& entity, int32_t type) {
    switch (type) {
        case kTransferSnapshotWritten:
            captureBar_->snapshotWritten(entity.Param1);
            break;
        default:
            break;
    }
}

// ---- Frames and layout ----

void ViewController::setWindowArea() {
    iVideoWidth_ = iNewVideoWidth_;
    iVideoHeight_ = iNewVideoHeight_;
    if (const auto size = computeWindowArea(geometry_, iVideoWidth_, iVideoHeight_))
        ui_.VideoView->setLogicalSize(*size);
    // The camera's pixels per unit follow the frame width.
    calibration_->setFrameWidth(iVideoWidth_, geometry_.fScreenWidth);
}

void ViewController::onFrame(const Frame& frame, const FrameMarks& marks) {
    // The picture's own size, also of a frame reduced for the screen.
    const int width = frame.fullWidth();
    const int height = frame.fullHeight();
    if (frame.isNull() || width > UINT16_MAX || height > UINT16_MAX) return;
    iNewVideoWidth_ = static_cast<uint16_t>(width);
    iNewVideoHeight_ = static_cast<uint16_t>(height);
    displayFrame(*this, frame, marks);
}

void ViewController::restoreMeasurements(const std::optional<SnapshotRecord>& record) {
    measureBar_->abandonShape();
    setWindowArea();  // the view's size for the picture, which the shapes must have been drawn on
    std::vector<RQShape> shapes;
    if (record) {
        calibration_->useCalibration(record->calibrationName, record->calibration);
        const ViewSize view = ui_.VideoView->logicalSize();
        const bool sameView = std::abs(record->viewWidth - view.width) < 1e-3 &&
                              std::abs(record->viewHeight - view.height) < 1e-3;
        if (sameView)
            shapes = record->shapes;
        else if (!record->shapes.empty())
            alerts_->alert(tr("The picture's shapes were measured on a view of %1 x %2 units, "
                              "not %3 x %4, and are not restored.")
                               .arg(record->viewWidth)
                               .arg(record->viewHeight)
                               .arg(view.width)
                               .arg(view.height));
    }
    ui_.VideoView->restoreShapes(std::move(shapes));
}

void ViewController::openPicture(const QString& path) {
    if (openPicture_) openPicture_(path);
}

ViewFacts ViewController::viewFacts() const {
    const RQVideoView& view = *ui_.VideoView;
    return {.iVideoWidth = iVideoWidth_,
            .iVideoHeight = iVideoHeight_,
            .iNewVideoWidth = iNewVideoWidth_,
            .iNewVideoHeight = iNewVideoHeight_,
            .shapesPresent = view.getShapesCount(),
            .iMode = measureBar_->iMode(),
            .iGridMode = measureBar_->iGridMode(),
            .viewTextTool = view.model().iMode == kModeText,
            .scaleBar = view.scaleBarShown(),
            .redrawing = view.redrawing()};
}

void ViewController::setLayerContents(const Frame& frame) {
    ui_.VideoView->setLayerContents(frame);
}

void ViewController::setImage(const Frame& frame) { ui_.VideoView->setImage(frame); }

void ViewController::recordingVideo(const Frame& frame) { captureBar_->recordFrame(frame); }

// ---- Camera and capture sides ----

void ViewController::cameraConnected(CameraMode mode, int width, int height,
                                     const QString& status) {
    // At most one camera is active: the other kind stops, and a recording of its
    // frames is finished.
    camera_->connected(mode, status);
    captureBar_->finishRecording();
    if (ui_.VideoView->frozen()) captureBar_->setFrozen(false);  // the new camera's picture shows
    if (width > 0 && height > 0 && width <= UINT16_MAX && height <= UINT16_MAX) {
        iNewVideoWidth_ = static_cast<uint16_t>(width);
        iNewVideoHeight_ = static_cast<uint16_t>(height);
    }
}

void ViewController::cameraStopped() {
    captureBar_->finishRecording();
    camera_->stopped();
}

void ViewController::cameraLost(const QString& message) {
    cameraStopped();
    camera_->lost();
    ui_.txt_recording->setText(message);
    alerts_->alert(message);
}

void ViewController::requestSnapshot() { captureBar_->requestSnapshot(); }

void ViewController::showFailure(const QString& message) { alerts_->alert(message); }

void ViewController::windowWillClose() {
    keepWindowPlacement(*this);
    captureBar_->finishRecording();
    camera_->stopAll();
}

void ViewController::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ui_.brand->setVisible(width() >= MainWindowUi::kBrandMinimumWidth);
}

void ViewController::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Queued: the toolkit gives the keyboard back to the last focused widget
    // after this event.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isActiveWindow() && !qobject_cast<QLineEdit*>(focusWidget()))
                    ui_.VideoView->setFocus(Qt::ActiveWindowFocusReason);
            },
            Qt::QueuedConnection);
}

void ViewController::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ViewController::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    openPicture(file);
}

void ViewController::closeEvent(QCloseEvent* event) {
    if (captureBar_->keepOpenForMovie()) {
        event->ignore();
        return;
    }
    windowWillClose();
    QMainWindow::closeEvent(event);
}

}  // namespace lumetra
