#include "app/RQVideoView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <thread>

#include "app/SnapshotEncoding.h"
#include "capture/SnapshotSidecar.h"
#include "capture/SnapshotWriter.h"
#include "capture/StampedName.h"
#include "image/JpegCodec.h"
#include "measure/CalibrationCompletion.h"
#include "measure/ShapeEditing.h"
#include "measure/scale/EdgeSnap.h"
#include "measure/scale/TickCalibration.h"
#include "measure/tools/ToolStepHint.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

// Screen pixels within which a handle or an outline is under the pointer.
constexpr double kReachPixels = 6.0;
// Screen pixels the pointer must move with the button held before a handle follows
// it: a click that jitters a little stays a click.
constexpr double kDragStartPixels = 3.0;
// Half the side of a handle's square, in screen pixels.
constexpr double kHandleHalf = 4.0;

}  // namespace

RQVideoView::RQVideoView(QWidget* parent)
    : QWidget(parent),
      history_({.restoreShapes = [this](const std::vector<RQShape>& s) { showShapes(s); },
                .chooseCalibration =
                    [this](const std::string& name) {
                        emit calibrationWanted(QString::fromStdString(name));
                    }}) {
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
    press_.reset();
    refreshIfRedrawing();
    reportShapes(before);
    chooseShape(-1);
    return true;
}

bool RQVideoView::undo() { return replay(&MeasureHistory::undo); }

bool RQVideoView::redo() { return replay(&MeasureHistory::redo); }

bool RQVideoView::replay(bool (MeasureHistory::*step)()) {
    press_.reset();
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
    update();
}

void RQVideoView::setFrozen(bool frozen) {
    frozen_ = frozen;
    tickMarks_.clear();
    snapped_.reset();
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
            QStringLiteral("The camera delivers no picture yet, so there is no snapshot to take."));
        return;
    }
    const auto size = snapshotPixelSize(pixelWidth, pixelHeight);
    if (!settings_ || !size) return;
    // The redraw path shows the stored shapes and overlay over the frame; the
    // direct path shows the frame alone, and so does its snapshot.
    const bool burnt = redrawing() && withMeasurements;
    SnapshotMeasurements measurements;
    if (burnt) measurements = {&model_, logical_.width, logical_.height, scaleBar_};
    const SnapshotRecord record = snapshotRecord(model_, size->width, size->height, burnt);
    // The companions are encoded on a helper thread while the snapshot is composed;
    // a clean copy only when measurements are burnt in.
    EncodedCompanions companions;
    std::vector<uint8_t> jpeg;
    {
        const std::jthread encoding([&, clean = burnt && settings_->snapshotCleanCopy(),
                                     analysis = settings_->snapshotAnalysisCopy()] {
            companions = encodeSnapshotCompanions(frame_, record, clean, analysis);
        });
        jpeg = composeAndEncodeSnapshot(frame_, *size, measurements, &painter_.texts(),
                                        qualityFromCompressionFactor(kSnapshotCompressionFactor),
                                        snapshotComment(record));
    }
    WriteResult failure;
    const auto saved =
        writeEncodedSnapshot(jpeg, settings_->getStrDocumentsPicture(), currentTimestampName(),
                             record, &failure, companions.view());
    if (!saved) {
        emit snapshotFailed(QString::fromStdString(failure.message()));
        return;
    }
    if (model_.delegate) {
        UserEntity entity;
        entity.Param1 = saved->path;
        model_.delegate->PassValue(entity, kTransferSnapshotWritten);
    }
    // The picture is there; the record of what it measures, or a copy, is not.
    if (!saved->sidecar)
        emit snapshotFailed(
            QStringLiteral("The picture was saved to %1, its measurements were not. %2")
                .arg(QString::fromStdString(saved->path),
                     QString::fromStdString(saved->sidecar.message())));
    for (const WriteResult* copy : {&saved->cleanCopy, &saved->analysisCopy})
        if (!*copy)
            emit snapshotFailed(QStringLiteral("The picture was saved to %1, its copy was not. %2")
                                    .arg(QString::fromStdString(saved->path),
                                         QString::fromStdString(copy->message())));
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
        if (const auto handle = handleAt(model_.oMutShapsArray, at, reach())) {
            press_ = HandlePress{*handle, at, model_.oMutShapsArray};
            return;  // a drag, or a click once the button is released unmoved
        }
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
    if (!press_ || press_->handle.shape >= model_.oMutShapsArray.size()) return;
    const Point at{x, yUp};
    if (!press_->moved &&
        std::hypot(at.x - press_->at.x, at.y - press_->at.y) * fit().scale < kDragStartPixels)
        return;
    RQShape& shape = model_.oMutShapsArray[press_->handle.shape];
    if (!moveShapePoint(shape, press_->handle.slot, at)) return;
    press_->moved = true;
    hoveredShape_ = static_cast<int>(press_->handle.shape);
    refreshIfRedrawing();
    emit shapesChanged();  // the label and the results row follow the point
}

void RQVideoView::mouseUpAt(double, double) {
    if (!press_) return;
    const HandlePress press = std::move(*press_);
    press_.reset();
    if (press.moved) {
        history_.recordShapes(press.before, model_.oMutShapsArray);
        chooseShape(static_cast<int>(press.handle.shape));
    } else if (model_.iMode == kModeNone) {
        chooseShape(static_cast<int>(press.handle.shape));
    } else {
        toolDown(press.at, false);  // the tool's click, where it was pressed
    }
}

void RQVideoView::mousePressEvent(QMouseEvent* event) {
    if (startPan(*event)) return;
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
    const Point at = snappedClick({f.unitX(p.x()), f.unitYUp(p.y())},
                                  event->modifiers().testFlag(Qt::ShiftModifier));
    mouseDownAt(at.x, at.y, event->modifiers().testFlag(Qt::ControlModifier));
}

void RQVideoView::mouseMoveEvent(QMouseEvent* event) {
    if (panTo(*event)) return;
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
    if (endPan(*event)) return;
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPointF p = event->position();
    const ViewFit f = fit();
    mouseUpAt(f.unitX(p.x()), f.unitYUp(p.y()));
}

bool RQVideoView::startPan(const QMouseEvent& event) {
    const bool middle = event.button() == Qt::MiddleButton;
    const bool spaceDrag = event.button() == Qt::LeftButton && spaceHeld_;
    if (panFrom_ || (!middle && !spaceDrag)) return false;
    if (spaceDrag) spacePanned_ = true;
    panFrom_ = event.position();
    panButton_ = event.button();
    setCursor(Qt::ClosedHandCursor);
    return true;
}

bool RQVideoView::panTo(const QMouseEvent& event) {
    if (!panFrom_) return false;
    const QPointF delta = event.position() - *panFrom_;
    panFrom_ = event.position();
    zoom_.panBy(delta.x(), delta.y(), fitView(logical_, width(), height()), width(), height());
    zoomChanged();
    return true;
}

bool RQVideoView::endPan(const QMouseEvent& event) {
    if (!panFrom_ || event.button() != panButton_) return false;
    panFrom_.reset();
    panButton_ = Qt::NoButton;
    setCursor(Qt::CrossCursor);
    return true;
}

void RQVideoView::wheelEvent(QWheelEvent* event) {
    // One notch (120) is a factor of the square root of two: eight notches from fit to 16x.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0 || frame_.isNull()) {  // nothing to zoom into yet
        event->ignore();
        return;
    }
    event->accept();
    const QPointF p = event->position();
    zoom_.zoomAbout(std::exp2(notches * 0.5), p.x(), p.y(), fitView(logical_, width(), height()),
                    width(), height());
    zoomChanged();
}

// Space is the window's freeze key; over the picture it also pans while held, so
// it is taken here, ahead of the window's shortcut, and freezes when let go
// without having panned.
bool RQVideoView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void RQVideoView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        spaceHeld_ = true;
        spacePanned_ = false;
    }
    event->accept();
}

void RQVideoView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !spaceHeld_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    spaceHeld_ = false;
    event->accept();
    if (!spacePanned_) emit freezeKeyPressed();
}

void RQVideoView::focusOutEvent(QFocusEvent* event) {
    spaceHeld_ = false;  // its release goes elsewhere
    QWidget::focusOutEvent(event);
}

void RQVideoView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncTextField();
}

void RQVideoView::syncSize() {
    model_.viewWidth = logical_.width;
    model_.viewHeight = logical_.height;
}

void RQVideoView::syncTextField() {
    if (!model_.textField) {
        if (textField_) textField_->hide();
        return;
    }
    const TextFieldModel& field = *model_.textField;
    if (!textField_) {
        textField_ = new QLineEdit(this);
        textField_->setObjectName(QStringLiteral("textField"));
        // What is typed goes to the model at once, so that choosing a tool,
        // resizing or Escape, which show the model's text again, keep it.
        connect(textField_, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (model_.textField) model_.textField->stringValue = text.toStdString();
        });
    }
    textField_->setAlignment(field.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    textField_->setPlaceholderText(QString::fromStdString(field.placeholder));
    const QString text = QString::fromStdString(field.stringValue);
    if (textField_->text() != text) textField_->setText(text);
    // The model's frame is y-up from the picture's lower-left corner, in units.
    // Anchored at its lower-left corner; its size is the one at fit, as labels keep theirs.
    const ViewFit f = fit();
    const double size = f.scale / zoom_.factor();
    textField_->setGeometry(QRectF(f.pixelX(field.x), f.pixelY(field.y) - field.height * size,
                                   field.width * size, field.height * size)
                                .toRect());
    const bool appearing = !field.hidden && textField_->isHidden();
    textField_->setVisible(!field.hidden);
    if (appearing) textField_->setFocus();  // ready for typing when the tool is chosen
}

void RQVideoView::refreshIfRedrawing() {
    if (!redrawing()) return;
    completeCalibrationIfDue();
    update();
}

void RQVideoView::completeCalibrationIfDue() {
    float uncertainty = 0.0f;
    if (tickSearch_ && model_.bCalibration) {
        if (const auto search = findTicksOnReferenceLine(model_, frame_)) {
            if (const auto* refused = std::get_if<ScaleRefusal>(&*search)) {
                abandonShapeInProgress();
                emit ticksRefused(QString::fromStdString(refused->reason));
                return;
            }
            tickMarks_ = std::get<TicksOnLine>(*search).marks;
            uncertainty = static_cast<float>(std::get<TicksOnLine>(*search).relativeUncertainty);
        }
    }
    auto completed = lumetra::completeCalibrationIfDue(model_);
    if (!completed) return;
    completed->relativeUncertainty = uncertainty;
    if (model_.delegate) model_.delegate->calibrationCompleted(*completed);
}

void RQVideoView::setTickSearch(bool on) {
    tickSearch_ = on;
    tickMarks_.clear();
    update();
}

Point RQVideoView::snappedClick(Point at, bool snap) {
    snapped_.reset();
    if (snap) {
        // A few screen pixels, in the frame's pixels (at most 32 when zoomed far out).
        const double reach = std::min(6.0 * frame_.width / (logical_.width * fit().scale), 32.0);
        snapped_ = snapViewPointToEdge(frame_, at, logical_.width, logical_.height, reach);
    }
    update();
    return snapped_.value_or(at);
}

void RQVideoView::drawPictureAids(QPainter& painter, const ViewFit& f) {
    if (tickMarks_.empty() && !snapped_) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 200, 255), 2.0));
    for (const Segment& s : tickMarks_)
        painter.drawLine(QPointF(f.pixelX(s.a.x), f.pixelY(s.a.y)),
                         QPointF(f.pixelX(s.b.x), f.pixelY(s.b.y)));
    if (snapped_) {
        // A small diamond: the point sits on an edge.
        const QPointF c(f.pixelX(snapped_->x), f.pixelY(snapped_->y));
        painter.drawPolygon(QPolygonF(
            {c + QPointF(0, -6), c + QPointF(6, 0), c + QPointF(0, 6), c + QPointF(-6, 0)}));
    }
    painter.restore();
}

void RQVideoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.isNull()) {
        drawPlaceholder(painter);
        return;
    }
    const ViewFit f = fit();
    LiveViewContent content{frame_};
    if (redrawing()) {
        content.model = &model_;
        content.highlightedShape = highlightedShape_;
        if (scaleBar_) content.scaleBar = &*scaleBar_;
    }
    painter_.paint(painter, f, zoom_.factor(), width(), height(), devicePixelRatioF(), content,
                   palette().color(QPalette::Window));
    if (redrawing()) drawHandles(painter, f);
    drawPictureAids(painter, f);
    const QRectF shown = shownPicture(f);
    if (frozen_) drawFrozenBadge(painter, shown);
    if (!zoom_.atFit()) drawZoomBadge(painter, shown);
}

void RQVideoView::drawHandles(QPainter& painter, const ViewFit& f) {
    const auto& shapes = model_.oMutShapsArray;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (int index : {hoveredShape_, highlightedShape_}) {
        if (index < 0 || static_cast<size_t>(index) >= shapes.size()) continue;
        const RQShape& shape = shapes[static_cast<size_t>(index)];
        for (int slot : handleSlots(shape)) {
            const QPointF centre(f.pixelX(shape.pt(slot).x), f.pixelY(shape.pt(slot).y));
            painter.drawRect(QRectF(centre.x() - kHandleHalf, centre.y() - kHandleHalf,
                                    2 * kHandleHalf, 2 * kHandleHalf));
        }
    }
}

QRectF RQVideoView::shownPicture(const ViewFit& f) const {
    return QRectF(f.left, f.top, f.logical.width * f.scale, f.logical.height * f.scale) &
           QRectF(rect());
}

namespace {

// A rounded badge with `text` in white on `colour`, its top corner 10 pixels
// inside `corner` of `shown` (top left or top right).
void drawBadge(QPainter& painter, const QFont& widgetFont, const QRectF& shown, Qt::Corner corner,
               const QString& text, const QColor& colour) {
    QFont badgeFont = widgetFont;
    badgeFont.setPointSizeF(10);
    badgeFont.setWeight(QFont::DemiBold);
    painter.setFont(badgeFont);
    const double width = QFontMetricsF(badgeFont).horizontalAdvance(text) + 20;
    const double left =
        corner == Qt::TopLeftCorner ? shown.left() + 10 : shown.right() - 10 - width;
    const QRectF box(left, shown.top() + 10, width, 24);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

void RQVideoView::drawFrozenBadge(QPainter& painter, const QRectF& shown) {
    drawBadge(painter, font(), shown, Qt::TopLeftCorner, QStringLiteral("FROZEN"),
              QColor(0x2f, 0x7f, 0xe0, 220));
}

void RQVideoView::drawZoomBadge(QPainter& painter, const QRectF& shown) {
    drawBadge(painter, font(), shown, Qt::TopRightCorner,
              QStringLiteral("%1\u00d7").arg(zoom_.factor(), 0, 'f', 1),
              QColor(0x20, 0x24, 0x2a, 200));
}

void RQVideoView::drawPlaceholder(QPainter& painter) {
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0.0, QColor(0x11, 0x14, 0x18));
    background.setColorAt(1.0, QColor(0x0a, 0x0c, 0x0f));
    painter.fillRect(rect(), background);
    painter.setPen(QColor(0x25, 0x2a, 0x31));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    painter.setPen(QPen(QColor(0x2a, 0x30, 0x39), 2));
    painter.drawEllipse(centre, 58, 58);
    painter.drawEllipse(centre, 34, 34);
    painter.drawLine(centre - QPointF(80, 0), centre - QPointF(62, 0));
    painter.drawLine(centre + QPointF(62, 0), centre + QPointF(80, 0));
    painter.drawLine(centre - QPointF(0, 80), centre - QPointF(0, 62));
    painter.drawLine(centre + QPointF(0, 62), centre + QPointF(0, 80));
    QFont title = font();
    title.setPointSizeF(15);
    title.setWeight(QFont::DemiBold);
    painter.setFont(title);
    painter.setPen(QColor(0xc9, 0xcf, 0xd8));
    painter.drawText(QRectF(0, centre.y() + 96, width(), 30), Qt::AlignCenter,
                     QStringLiteral("No microscope connected"));
    QFont detail = font();
    detail.setPointSizeF(11);
    painter.setFont(detail);
    painter.setPen(QColor(0x7d, 0x86, 0x93));
    painter.drawText(QRectF(0, centre.y() + 126, width(), 24), Qt::AlignCenter,
                     QStringLiteral("Connect a USB or WiFi microscope to see the live picture"));
}

}  // namespace lumetra
