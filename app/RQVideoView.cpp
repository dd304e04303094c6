#include "app/RQVideoView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "app/ViewDrawing.h"
#include "app/ViewSnapshot.h"
#include "measure/CalibrationCompletion.h"
#include "measure/tools/ToolStepHint.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

// Screen pixels within which a handle or an outline is under the pointer.
constexpr double kReachPixels = 6.0;

}  // namespace

RQVideoView::RQVideoView(QWidget* parent)
    : QWidget(parent),
      history_({.restoreShapes = [this](const std::vector<RQShape>& s) { showShapes(s); },
                .chooseCalibration =
                    [this](const std::string& name) {
                        emit calibrationWanted(QString::fromStdString(name));
                    }}),
      panning_(*this) {
    setObjectName(QStringLiteral("VideoView"));
    // Moves without a button give the preview and show handles; moves with the
    // primary button held drag a handle pressed on.
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    syncSize();
}

RQVideoView::~RQVideoView() = default;

void RQVideoView::initVideoView() {
    const std::vector<RQShape> before = model_.oMutShapsArray;
    model_.initVideoView();
    syncTextField();
    reportShapes(before);
    reportStep();
}

void RQVideoView::resetMeasureParas() {
    model_.resetMeasureParas();
    syncTextField();
}

void RQVideoView::setDelegate(RQTransferDelegate* delegate) { model_.delegate = delegate; }

void RQVideoView::setMeasureMode(MeasureMode mode, const std::string& name, const std::string& unit,
                                 float mag, float len, bool cal) {
    syncSize();
    model_.setMeasureMode(mode, name, unit, mag, len, cal);
    syncTextField();
    refreshIfRedrawing();
    reportStep();
}

void RQVideoView::deleteshape(int32_t code) {
    if (code != static_cast<int32_t>(ShapeRemoval::Last) &&
        code != static_cast<int32_t>(ShapeRemoval::All))
        return;
    const std::vector<RQShape> before = model_.oMutShapsArray;
    model_.removeShapes(static_cast<ShapeRemoval>(code));
    refreshIfRedrawing();
    reportShapes(before);
}

bool RQVideoView::deleteSelectedShape() {
    const int index = highlightedShape_;
    if (index < 0 || static_cast<size_t>(index) >= model_.oMutShapsArray.size()) return false;
    const std::vector<RQShape> before = model_.oMutShapsArray;
    model_.oMutShapsArray.erase(model_.oMutShapsArray.begin() + index);
    drag_.cancel();
    refreshIfRedrawing();
    reportShapes(before);
    chooseShape(-1);
    return true;
}

bool RQVideoView::undo() { return replay(&MeasureHistory::undo); }

bool RQVideoView::redo() { return replay(&MeasureHistory::redo); }

bool RQVideoView::replay(bool (MeasureHistory::*step)()) {
    drag_.cancel();
    if (!(history_.*step)()) return false;
    chooseShape(-1);
    return true;
}

void RQVideoView::showShapes(const std::vector<RQShape>& shapes) {
    model_.oMutShapsArray = shapes;
    hoveredShape_ = -1;
    refreshIfRedrawing();
    emit shapesChanged();
}

void RQVideoView::setCountClasses(int current, const CountClassNames& names) {
    if (isCountClass(current)) model_.iCountClass = static_cast<uint8_t>(current);
    model_.countClassNames = names;
    refreshIfRedrawing();
    reportStep();
}

void RQVideoView::applyCalibration(const std::string& name, const std::string& unit, float mag,
                                   float len) {
    const std::string before = calibrationNameOf(model_);
    if (model_.bCalibration) {
        // The reference line keeps its own; the shapes read in the chosen one.
        model_.heldCalibration = {mag, len, unit};
        model_.strHeldCalName = name;
    } else {
        model_.strCalName = name;
        model_.strUnit = unit;
        model_.fScale = mag;
        model_.fUnitLength = len;
        if (model_.iGridMode != kGridNone && model_.iGridMode != kGridCrosshair)
            model_.setGridView(model_.iGridMode, model_.fGridLength, mag, len);
    }
    if (model_.getShapesCount()) history_.recordRelabel(before, name);
    refreshIfRedrawing();
}

void RQVideoView::reportShapes(const std::vector<RQShape>& before) {
    if (model_.oMutShapsArray == before) return;
    history_.recordShapes(before, model_.oMutShapsArray);
    emit shapesChanged();
}

void RQVideoView::reportStep() {
    const QString hint = QString::fromStdString(toolStepHint(model_));
    if (hint == stepHint_) return;
    stepHint_ = hint;
    emit stepHintChanged(stepHint_);
}

void RQVideoView::setGridView(GridMode mode, float len, float mag, float unitlength) {
    model_.setGridView(mode, len, mag, unitlength);
    refreshIfRedrawing();
}

void RQVideoView::setUpdatedProperty(const RQGlobalVariables& settings) {
    model_.iLineWidth = static_cast<uint8_t>(settings.getILineWidth());
    model_.iFontSize = static_cast<uint8_t>(settings.getIFontSize());
    model_.iDecimal = static_cast<uint8_t>(settings.getIDecimal());
    model_.ctrLColor = settings.getOLineColor();
    model_.ctrFColor = settings.getOFontColor();
    refreshIfRedrawing();
}

void RQVideoView::abandonShapeInProgress() {
    const bool calibrating = model_.bCalibration;
    // Re-entering the same tool clears the shape in progress; a calibration in
    // progress keeps its actual length, anything else its unit length.
    setMeasureMode(static_cast<MeasureMode>(model_.iMode), model_.strCalName, model_.strUnit,
                   model_.fScale, calibrating ? model_.fActualLength : model_.fUnitLength,
                   calibrating);
}

void RQVideoView::setLogicalSize(ViewSize size) {
    if (size.width <= 0.0 || size.height <= 0.0 || size == logical_) return;
    logical_ = size;
    syncSize();
    syncTextField();
    reportShownSize();
    update();
}

ViewFit RQVideoView::fit() const {
    return zoom_.place(fitView(logical_, width(), height()), width(), height());
}

void RQVideoView::zoomToFit() {
    if (zoom_.atFit()) return;
    zoom_.reset();
    zoomChanged();
}

void RQVideoView::zoomChanged() {
    syncTextField();
    reportShownSize();
    update();
}

void RQVideoView::setFullFramesWanted(bool wanted) {
    fullFramesWanted_ = wanted;
    reportShownSize();
}

void RQVideoView::reportShownSize() {
    const ViewFit f = fit();
    const double toDevice = f.scale * devicePixelRatioF();
    QSize size(static_cast<int>(std::ceil(logical_.width * toDevice)),
               static_cast<int>(std::ceil(logical_.height * toDevice)));
    if (size.isEmpty()) return;
    if (fullFramesWanted_) size = QSize(0, 0);
    if (size == shownSize_) return;
    shownSize_ = size;
    emit shownSizeChanged(size.width(), size.height());
}

void RQVideoView::setFrozen(bool frozen) {
    frozen_ = frozen;
    // A frozen picture is the full one: it is measured, zoomed and saved for a while.
    if (frozen)
        if (Frame full = frame_.full(); !full.isNull()) frame_ = std::move(full);
    aids_.clear();
    update();
}

void RQVideoView::setScaleBar(std::optional<std::string> calibrationName) {
    scaleBar_ = std::move(calibrationName);
    refreshIfRedrawing();
}

void RQVideoView::present(const Frame& frame, FramePath path) {
    if (frame.isNull()) return;
    if (frozen_ && !frame_.isNull()) {
        // The picture stays; only the window's choice of path is followed.
        if (path == path_) return;
    } else {
        frame_ = frame;
    }
    path_ = path;
    if (redrawing()) completeCalibrationIfDue();
    update();
}

void RQVideoView::saveImage(double pixelWidth, double pixelHeight, bool withMeasurements) {
    if (frame_.isNull()) {
        emit snapshotFailed(
            tr("The camera delivers no picture yet, so there is no snapshot to take."));
        return;
    }
    const auto size = snapshotPixelSize(pixelWidth, pixelHeight);
    if (!settings_ || !size) return;
    const Frame full = frame_.full();
    if (full.isNull()) {
        emit snapshotFailed(tr(
            "The picture could not be decoded at its full size, so there is no snapshot to take."));
        return;
    }
    // The redraw path shows the stored shapes and overlay over the frame; the
    // direct path shows the frame alone, and so does its snapshot.
    ViewSnapshotSource source{full, model_, {}, &painter_.texts()};
    if (redrawing() && withMeasurements)
        source.measurements = {&model_, logical_.width, logical_.height, scaleBar_};
    const ViewSnapshotOutcome outcome = writeViewSnapshot(source, *size, *settings_);
    if (outcome.path && model_.delegate) {
        UserEntity entity;
        entity.Param1 = *outcome.path;
        model_.delegate->PassValue(entity, kTransferSnapshotWritten);
    }
    for (const QString& failure : outcome.failures) emit snapshotFailed(failure);
}

void RQVideoView::restoreShapes(std::vector<RQShape> shapes) {
    const std::vector<RQShape> before = model_.oMutShapsArray;
    model_.oMutShapsArray = std::move(shapes);
    hoveredShape_ = -1;
    highlightedShape_ = -1;
    refreshIfRedrawing();
    reportShapes(before);  // one step in the history: undo takes the restored shapes away
}

void RQVideoView::setHighlightedShape(int index) {
    highlightedShape_ = index;
    update();
}

void RQVideoView::chooseShape(int index) {
    if (index == highlightedShape_) return;
    setHighlightedShape(index);
    emit shapeChosen(index);
}

double RQVideoView::reach() const { return kReachPixels / fit().scale; }

void RQVideoView::mouseDownAt(double x, double yUp, bool control) {
    const Point at{x, yUp};
    if (!control && !model_.shapeInProgress()) {
        if (drag_.press(model_.oMutShapsArray, at, reach()))
            return;  // a drag, or a click once the button is released unmoved
        if (model_.iMode == kModeNone) {
            const auto shape = shapeAt(model_.oMutShapsArray, at, reach());
            chooseShape(shape ? static_cast<int>(*shape) : -1);
            return;
        }
    }
    toolDown(at, control);
}

void RQVideoView::toolDown(Point at, bool control) {
    const std::vector<RQShape> before = model_.oMutShapsArray;
    model_.mouseDown(at, control);
    syncTextField();
    refreshIfRedrawing();
    reportShapes(before);
    reportStep();
}

void RQVideoView::mouseMovedTo(double x, double yUp) {
    model_.mouseMoved(Point{x, yUp});
    int hovered = -1;
    if (!model_.shapeInProgress()) {
        if (const auto shape = shapeAt(model_.oMutShapsArray, {x, yUp}, reach()))
            hovered = static_cast<int>(*shape);
    }
    if (hovered != hoveredShape_) {
        hoveredShape_ = hovered;
        update();
    }
    refreshIfRedrawing();
}

void RQVideoView::mouseDraggedTo(double x, double yUp) {
    const auto moved = drag_.drag(model_.oMutShapsArray, {x, yUp}, fit().scale);
    if (!moved) return;
    hoveredShape_ = static_cast<int>(*moved);
    refreshIfRedrawing();
    emit shapesChanged();  // the label and the results row follow the point
}

void RQVideoView::mouseUpAt(double, double) {
    const auto press = drag_.release();
    if (!press) return;
    if (press->moved) {
        history_.recordShapes(press->before, model_.oMutShapsArray);
        chooseShape(static_cast<int>(press->handle.shape));
    } else if (model_.iMode == kModeNone) {
        chooseShape(static_cast<int>(press->handle.shape));
    } else {
        toolDown(press->at, false);  // the tool's click, where it was pressed
    }
}

void RQVideoView::mousePressEvent(QMouseEvent* event) {
    if (panning_.press(*event)) return;
    // Only the primary button measures; the others do nothing here.
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPointF p = event->position();
    const ViewFit f = fit();
    event->accept();
    if (!f.contains(p.x(), p.y())) return;  // beside the picture
    // Qt::ControlModifier is the Ctrl key on Linux.
    const Point at =
        aids_.click({f.unitX(p.x()), f.unitYUp(p.y())},
                    event->modifiers().testFlag(Qt::ShiftModifier), frame_, logical_, f.scale);
    update();  // the snapped point's mark, or its going
    mouseDownAt(at.x, at.y, event->modifiers().testFlag(Qt::ControlModifier));
}

void RQVideoView::mouseMoveEvent(QMouseEvent* event) {
    if (const auto delta = panning_.move(*event)) {
        zoom_.panBy(delta->x(), delta->y(), fitView(logical_, width(), height()), width(),
                    height());
        zoomChanged();
        return;
    }
    const QPointF p = event->position();
    const ViewFit f = fit();
    if (!f.contains(p.x(), p.y())) return;
    // Dragging gives no preview; with the primary button it may move a handle.
    if (event->buttons() == Qt::NoButton)
        mouseMovedTo(f.unitX(p.x()), f.unitYUp(p.y()));
    else if (event->buttons() == Qt::LeftButton)
        mouseDraggedTo(f.unitX(p.x()), f.unitYUp(p.y()));
}

void RQVideoView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (hoveredShape_ < 0) return;
    hoveredShape_ = -1;
    update();
}

void RQVideoView::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_.release(*event)) return;
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPointF p = event->position();
    const ViewFit f = fit();
    mouseUpAt(f.unitX(p.x()), f.unitYUp(p.y()));
}

void RQVideoView::wheelEvent(QWheelEvent* event) {
    const auto factor = ViewPanning::wheelFactor(*event);
    if (!factor || frame_.isNull()) {  // nothing to zoom into yet
        event->ignore();
        return;
    }
    event->accept();
    const QPointF p = event->position();
    zoom_.zoomAbout(*factor, p.x(), p.y(), fitView(logical_, width(), height()), width(), height());
    zoomChanged();
}

// Space is the window's freeze key; over the picture it also pans while held, so
// it is taken here, ahead of the window's shortcut, and freezes when let go
// without having panned.
bool RQVideoView::event(QEvent* event) {
    if (ViewPanning::takesShortcut(*event)) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void RQVideoView::keyPressEvent(QKeyEvent* event) {
    if (!panning_.keyPressed(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void RQVideoView::keyReleaseEvent(QKeyEvent* event) {
    const ViewPanning::KeyRelease release = panning_.keyReleased(*event);
    if (release == ViewPanning::KeyRelease::NotSpace) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (release == ViewPanning::KeyRelease::Freeze) emit freezeKeyPressed();
}

void RQVideoView::focusOutEvent(QFocusEvent* event) {
    panning_.focusLost();
    QWidget::focusOutEvent(event);
}

void RQVideoView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncTextField();
    reportShownSize();
}

void RQVideoView::syncSize() {
    model_.viewWidth = logical_.width;
    model_.viewHeight = logical_.height;
}

void RQVideoView::syncTextField() { textField_.sync(*this, model_, fit(), zoom_.factor()); }

void RQVideoView::refreshIfRedrawing() {
    if (!redrawing()) return;
    completeCalibrationIfDue();
    update();
}

void RQVideoView::completeCalibrationIfDue() {
    const float actualLength = model_.fActualLength;  // found ticks make it whole divisions
    const PictureAids::TickOutcome ticks = aids_.searchTicks(model_, frame_);
    std::optional<std::string> refusal = ticks.refusal;
    std::optional<CalibrationOutcome> outcome;
    if (!refusal) outcome = lumetra::completeCalibrationIfDue(model_);
    if (outcome)
        if (const auto* refused = std::get_if<CalibrationRefusal>(&*outcome))
            refusal = refused->reason;
    if (refusal) {
        model_.fActualLength = actualLength;
        abandonShapeInProgress();
        emit calibrationRefused(QString::fromStdString(*refusal));
        return;
    }
    if (!outcome) return;
    auto& completed = std::get<CompletedCalibration>(*outcome);
    completed.relativeUncertainty = ticks.uncertainty;
    if (model_.delegate) model_.delegate->calibrationCompleted(completed);
}

void RQVideoView::setTickSearch(bool on) {
    aids_.setTickSearch(on);
    update();
}

void RQVideoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.isNull()) {
        drawPlaceholder(painter, QRectF(rect()), font());
        return;
    }
    const ViewFit f = fit();
    LiveViewContent content{frame_};
    // Zoomed in beyond a reduced frame's pixels, the full picture shows.
    if (frame_.fullPicture && logical_.width * f.scale * devicePixelRatioF() > frame_.width)
        if (Frame full = frame_.full(); !full.isNull()) content.frame = std::move(full);
    if (redrawing()) {
        content.model = &model_;
        content.highlightedShape = highlightedShape_;
        if (scaleBar_) content.scaleBar = &*scaleBar_;
    }
    painter_.paint(painter, f, zoom_.factor(), width(), height(), devicePixelRatioF(), content,
                   palette().color(QPalette::Window));
    if (redrawing())
        drawHandles(painter, f, model_.oMutShapsArray, hoveredShape_, highlightedShape_);
    aids_.paint(painter, f);
    const QRectF shown = shownPicture(f, QRectF(rect()));
    if (frozen_) drawFrozenBadge(painter, font(), shown);
    if (!zoom_.atFit()) drawZoomBadge(painter, font(), shown, zoom_.factor());
}

}  // namespace lumetra
