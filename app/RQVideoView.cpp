#include "app/RQVideoView.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <thread>

#include "app/SnapshotEncoding.h"
#include "capture/SnapshotSidecar.h"
#include "capture/SnapshotWriter.h"
#include "capture/StampedName.h"
#include "image/JpegCodec.h"
#include "measure/CalibrationCompletion.h"
#include "measure/tools/ToolStepHint.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {

RQVideoView::RQVideoView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("VideoView"));
    // Moves without a button give the preview; moves with a button held do nothing.
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    syncSize();
}

RQVideoView::~RQVideoView() = default;

void RQVideoView::initVideoView() {
    const size_t before = model_.oMutShapsArray.size();
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
    const size_t before = model_.oMutShapsArray.size();
    model_.removeShapes(static_cast<ShapeRemoval>(code));
    refreshIfRedrawing();
    reportShapes(before);
}

void RQVideoView::applyCalibration(const std::string& name, const std::string& unit, float mag,
                                   float len) {
    if (model_.bCalibration) {
        // The reference line keeps its own; the shapes read in the chosen one.
        model_.heldCalibration = {mag, len, unit};
        model_.strHeldCalName = name;
        refreshIfRedrawing();
        return;
    }
    model_.strCalName = name;
    model_.strUnit = unit;
    model_.fScale = mag;
    model_.fUnitLength = len;
    if (model_.iGridMode != kGridNone && model_.iGridMode != kGridCrosshair)
        model_.setGridView(model_.iGridMode, model_.fGridLength, mag, len);
    refreshIfRedrawing();
}

void RQVideoView::reportShapes(size_t before) {
    if (model_.oMutShapsArray.size() != before) emit shapesChanged();
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

ViewFit RQVideoView::fit() const { return fitView(logical_, width(), height()); }

void RQVideoView::setFrozen(bool frozen) {
    frozen_ = frozen;
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

void RQVideoView::saveImage(double pixelWidth, double pixelHeight) {
    if (frame_.isNull()) {
        emit snapshotFailed(
            QStringLiteral("The camera delivers no picture yet, so there is no snapshot to take."));
        return;
    }
    const auto size = snapshotPixelSize(pixelWidth, pixelHeight);
    if (!settings_ || !size) return;
    // The redraw path shows the stored shapes and overlay over the frame; the
    // direct path shows the frame alone, and so does its snapshot.
    SnapshotMeasurements measurements;
    if (redrawing()) measurements = {&model_, logical_.width, logical_.height, scaleBar_};
    const SnapshotRecord record = snapshotRecord(model_, size->width, size->height, redrawing());
    // The companions are encoded on a helper thread while the snapshot is composed;
    // a clean copy only when measurements are burnt in.
    EncodedCompanions companions;
    std::vector<uint8_t> jpeg;
    {
        const std::jthread encoding([&, clean = redrawing() && settings_->snapshotCleanCopy(),
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
    model_.oMutShapsArray = std::move(shapes);
    highlightedShape_ = -1;
    refreshIfRedrawing();
    emit shapesChanged();
}

void RQVideoView::setHighlightedShape(int index) {
    highlightedShape_ = index;
    update();
}

void RQVideoView::mouseDownAt(double x, double yUp, bool control) {
    const size_t before = model_.oMutShapsArray.size();
    model_.mouseDown(Point{x, yUp}, control);
    syncTextField();
    refreshIfRedrawing();
    reportShapes(before);
    reportStep();
}

void RQVideoView::mouseMovedTo(double x, double yUp) {
    model_.mouseMoved(Point{x, yUp});
    refreshIfRedrawing();
}

void RQVideoView::mousePressEvent(QMouseEvent* event) {
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
    mouseDownAt(f.unitX(p.x()), f.unitYUp(p.y()), event->modifiers().testFlag(Qt::ControlModifier));
}

void RQVideoView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) return;  // dragging gives no preview
    const QPointF p = event->position();
    const ViewFit f = fit();
    if (f.contains(p.x(), p.y())) mouseMovedTo(f.unitX(p.x()), f.unitYUp(p.y()));
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
    const ViewFit f = fit();
    textField_->setGeometry(QRectF(f.pixelX(field.x), f.pixelY(field.y + field.height),
                                   field.width * f.scale, field.height * f.scale)
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
    const auto completed = lumetra::completeCalibrationIfDue(model_);
    if (completed && model_.delegate) model_.delegate->calibrationCompleted(*completed);
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
    painter_.paint(painter, f, width(), height(), devicePixelRatioF(), content,
                   palette().color(QPalette::Window));
    if (frozen_) drawFrozenBadge(painter, f);
}

void RQVideoView::drawFrozenBadge(QPainter& painter, const ViewFit& f) {
    const QString text = QStringLiteral("FROZEN");
    QFont badgeFont = font();
    badgeFont.setPointSizeF(10);
    badgeFont.setWeight(QFont::DemiBold);
    painter.setFont(badgeFont);
    const QRectF box(f.left + 10, f.top + 10, QFontMetricsF(badgeFont).horizontalAdvance(text) + 20,
                     24);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x7f, 0xe0, 220));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
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
