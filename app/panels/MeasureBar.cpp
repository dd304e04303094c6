#include "app/panels/MeasureBar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QToolButton>

#include "app/AlertPresenter.h"
#include "app/NSGridlinesView.h"
#include "app/RQVideoView.h"
#include "app/panels/PanelWidgets.h"
#include "measure/tools/ToolTable.h"
#include "storage/CalibrationModel.h"

namespace lumetra {

QToolButton* MeasureBar::Widgets::toolButton(MeasureMode mode) const {
    const auto it = toolButtons.find(mode);
    return it == toolButtons.end() ? nullptr : it->second;
}

MeasureBar::Widgets MeasureBar::build(QWidget* toolbar, QHBoxLayout* bar) {
    Widgets w;
    std::vector<QToolButton*> tools;
    for (const ToolSpec& tool : measureTools()) {
        QToolButton* button = iconButton(toolbar, tool.buttonName, tool.image,
                                         QCoreApplication::translate("MeasureTool", tool.toolTip) +
                                             tr("\nEsc abandons the shape in progress"));
        setButtonKey(button, QKeySequence(QString::fromLatin1(tool.key)));
        w.toolButtons[tool.mode] = button;
        tools.push_back(button);
    }
    bar->addWidget(buttonGroup(toolbar, tr("MEASURE"), tools));
    bar->addWidget(separator(toolbar));

    w.btSGride = iconButton(toolbar, "btSGride", "grid", tr("Square grid"));
    w.btCGride = iconButton(toolbar, "btCGride", "circlegrid", tr("Circle grid"));
    w.btCrosshair = iconButton(toolbar, "btCrosshair", "crosshair", tr("Crosshair"));
    w.btScale = iconButton(toolbar, "btScale", "scale", tr("Scale"));
    w.btScaleBar = iconButton(toolbar, "btScaleBar", "scalebar",
                              tr("Scale bar (shown on the picture and in snapshots)"));
    const std::pair<QToolButton*, QKeySequence> overlayKeys[] = {
        {w.btSGride, QKeySequence(Qt::Key_Q)},
        {w.btCGride, QKeySequence(Qt::Key_O)},
        {w.btCrosshair, QKeySequence(Qt::Key_X)},
        {w.btScale, QKeySequence(Qt::Key_S)},
        {w.btScaleBar, QKeySequence(Qt::Key_B)}};
    for (const auto& [button, key] : overlayKeys) setButtonKey(button, key);
    bar->addWidget(buttonGroup(toolbar, tr("OVERLAY"),
                               {w.btSGride, w.btCGride, w.btCrosshair, w.btScale, w.btScaleBar}));
    bar->addWidget(separator(toolbar));

    w.btUndo = iconButton(toolbar, "btUndo", "undo",
                          tr("Undo the last step (Ctrl+Z); redo with Ctrl+Shift+Z"));
    w.btDelete = iconButton(
        toolbar, "btDelete", "delete",
        tr("Remove the chosen measurement (Delete), or all of them when none is chosen"));
    bar->addWidget(buttonGroup(toolbar, tr("EDIT"), {w.btUndo, w.btDelete}));
    bar->addWidget(separator(toolbar));
    return w;
}

MeasureBar::MeasureBar(const Widgets& widgets, RQVideoView& view,
                       const CalibrationModel& calibration, AlertPresenter& alerts,
                       std::function<bool()> cameraReady, QWidget* window)
    : QObject(window),
      w_(widgets),
      view_(view),
      calibration_(calibration),
      alerts_(alerts),
      cameraReady_(std::move(cameraReady)),
      gridlinesView_(new NSGridlinesView(window)) {
    connectButtons();
}

void MeasureBar::connectButtons() {
    for (const auto& [mode, button] : w_.toolButtons) {
        connect(button, &QToolButton::clicked, this, [this, tool = mode] {
            if (cameraReady_()) selectMeasureModel(tool);
        });
    }
    const std::pair<QToolButton*, GridMode> grids[] = {{w_.btSGride, kGridSquare},
                                                       {w_.btCGride, kGridCircle},
                                                       {w_.btCrosshair, kGridCrosshair},
                                                       {w_.btScale, kGridScale}};
    for (const auto& [button, mode] : grids) {
        connect(button, &QToolButton::clicked, this, [this, grid = mode] {
            if (cameraReady_()) selectGridModel(grid);
        });
    }
    connect(w_.btScaleBar, &QToolButton::clicked, this, &MeasureBar::toggleScaleBar);
    connect(w_.btUndo, &QToolButton::clicked, this, &MeasureBar::undo);
    connect(w_.btDelete, &QToolButton::clicked, this, [this] { deleteShapes(true); });
    connect(gridlinesView_, &NSGridlinesView::okRequested, this, [this] {
        const QString text = gridlinesView_->GridlinesField()->text();
        applyOverlayAction(overlays_.ok(text.toStdString()));
    });
    connect(gridlinesView_, &NSGridlinesView::cancelRequested, this,
            [this] { applyOverlayAction(overlays_.cancel()); });
}

void MeasureBar::reset() {
    tools_.reset();
    overlays_.reset();
    showToolState();
    showOverlayState();
}

// ---- Tools ----

void MeasureBar::selectMeasureModel(MeasureMode tool) {
    const MeasureToolState::Choice choice = tools_.select(tool, calibration_.isCalibrated());
    if (choice.needsCalibration) {
        alerts_.alert(tr("Please calibrate first"));
        return;
    }
    showToolState();
    if (choice.viewMode) {
        showToolInView(*choice.viewMode);
        emit viewCalibrationChanged();  // the tool brings the current calibration to the view
    }
}

void MeasureBar::showToolInView(MeasureMode mode) {
    view_.setMeasureMode(mode, calibration_.strCalName(), calibration_.strUnit(),
                         calibration_.fScale(), calibration_.fUnitLength(), false);
}

void MeasureBar::endTool() {
    tools_.reset();
    showToolState();
    showToolInView(kModeNone);  // also leaves a calibration being drawn
    emit viewCalibrationChanged();
}

void MeasureBar::enterCalibration(const std::string& name, const std::string& unit,
                                  float magnification, float actualLength, bool findTicks) {
    tools_.enterCalibration();
    showToolState();
    view_.setTickSearch(findTicks);
    view_.setMeasureMode(kModeLine, name, unit, magnification, actualLength, true);
}

void MeasureBar::showToolState() {
    for (const auto& [tool, button] : w_.toolButtons)
        setButtonImage(button, toolImageName(tool, tools_.chosenButton() == tool));
}

void MeasureBar::abandonShape() {
    // Escape while the reference line is drawn abandons the new calibration: the
    // one in force before the sheet stays.
    if (view_.model().bCalibration)
        endTool();
    else
        view_.abandonShapeInProgress();
}

bool MeasureBar::readyToEdit() {
    if (!cameraReady_()) return false;
    endOverlay();
    endTool();
    return true;
}

void MeasureBar::undo() {
    if (readyToEdit()) view_.undo();
}

void MeasureBar::redo() {
    if (readyToEdit()) view_.redo();
}

void MeasureBar::deleteShapes(bool allWithoutChoice) {
    if (view_.selectedShape() < 0 && !allWithoutChoice) return;
    if (!readyToEdit()) return;
    if (!view_.deleteSelectedShape()) view_.deleteshape(static_cast<int32_t>(ShapeRemoval::All));
}

void MeasureBar::calibrationChanged() {
    const bool calibrated = calibration_.isCalibrated();
    // The scale bar follows the calibration in force and goes with the last one.
    if (view_.scaleBarShown()) showScaleBar(calibrated);
    if (calibrated) return;
    if (tools_.needsCalibration() && !view_.model().bCalibration) endTool();
    if (overlays_.needsCalibration()) endOverlay();
}

// ---- Overlays ----

void MeasureBar::selectGridModel(GridMode mode) {
    applyOverlayAction(overlays_.select(mode, calibration_.isCalibrated()));
}

void MeasureBar::restoreGridState() {
    overlays_.restoreGridState();
    showOverlayState();
}

void MeasureBar::endOverlay() {
    overlays_.reset();
    if (gridlinesView_->isVisible()) gridlinesView_->dismiss();
    view_.setGridView(kGridNone, 0.0f, calibration_.fScale(), calibration_.fUnitLength());
    showOverlayState();
}

void MeasureBar::applyOverlayAction(const OverlayState::Action& action) {
    using Kind = OverlayState::Action::Kind;
    switch (action.kind) {
        case Kind::Nothing:
            break;
        case Kind::CalibrateFirst:
            alerts_.alert(tr("Please calibrate first"));
            return;
        case Kind::IllegalValue:
            alerts_.alert(tr("The value is illegal"));
            return;
        case Kind::OpenPopover: {
            const std::map<GridMode, QToolButton*> anchors{
                {kGridSquare, w_.btSGride}, {kGridCircle, w_.btCGride}, {kGridScale, w_.btScale}};
            const auto anchor = anchors.find(action.mode);
            gridlinesView_->popUp(anchor == anchors.end() ? nullptr : anchor->second,
                                  QString::fromStdString(calibration_.strUnit()));
            break;
        }
        case Kind::ApplyGrid:
            view_.setGridView(action.mode, action.length, calibration_.fScale(),
                              calibration_.fUnitLength());
            break;
    }
    if (!overlays_.popoverOpen() && gridlinesView_->isVisible()) gridlinesView_->dismiss();
    showOverlayState();
}

void MeasureBar::showOverlayState() {
    const std::map<GridMode, QToolButton*> buttons{{kGridSquare, w_.btSGride},
                                                   {kGridCircle, w_.btCGride},
                                                   {kGridCrosshair, w_.btCrosshair},
                                                   {kGridScale, w_.btScale}};
    for (const auto& [mode, button] : buttons)
        setButtonImage(button, gridImageName(mode, overlays_.selectedButton() == mode));
}

// Showing the scale bar needs a calibration.
void MeasureBar::toggleScaleBar() {
    if (!cameraReady_()) return;
    if (!view_.scaleBarShown() && !calibration_.isCalibrated()) {
        alerts_.alert(tr("Please calibrate first"));
        return;
    }
    showScaleBar(!view_.scaleBarShown());
}

void MeasureBar::showScaleBar(bool shown) {
    view_.setScaleBar(shown ? std::optional(calibration_.strCalName()) : std::nullopt);
    setButtonImage(w_.btScaleBar, shown ? "scalebar_s" : "scalebar");
}

}  // namespace lumetra
