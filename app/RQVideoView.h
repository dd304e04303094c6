#pragma once
// The measuring view: shows the camera frame and, on the redraw path, the shape
// under construction, the overlay and the stored shapes. It owns the toolkit-free
// measurement model and only adapts mouse events, the text tool's field and
// painting to it. The model works in the view's logical units (its size set by
// the window for the frame's aspect), shown scaled to fit the widget and centred;
// mouse positions are mapped back. Qt's y axis points down; the model's points up.

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/LiveViewPainter.h"
#include "image/Frame.h"
#include "measure/MeasureModel.h"
#include "policy/FrameRouting.h"
#include "policy/WindowArea.h"

class QLineEdit;

namespace lumetra {

class RQGlobalVariables;

class RQVideoView : public QWidget {
    Q_OBJECT
public:
    explicit RQVideoView(QWidget* parent = nullptr);
    ~RQVideoView() override;

    const MeasureModel& model() const { return model_; }

    // The logical size the model measures in; the picture is drawn scaled to fit.
    void setLogicalSize(ViewSize size);
    ViewSize logicalSize() const { return logical_; }
    // Where the logical picture lies in the widget now.
    ViewFit fit() const;

    // While frozen, arriving frames are not shown: the picture on screen (and in
    // snapshots) stays the one shown when freezing, and measuring goes on over it.
    void setFrozen(bool frozen);
    bool frozen() const { return frozen_; }

    // The scale bar of the calibration in force, named `calibrationName`, over the
    // picture and in snapshots; none hides it. It shows on the redraw path.
    void setScaleBar(std::optional<std::string> calibrationName);
    bool scaleBarShown() const { return scaleBar_.has_value(); }

    // The view's operations; each keeps the text field in step with the model.
    void initVideoView();
    void resetMeasureParas();
    void setDelegate(RQTransferDelegate* delegate);
    void setMeasureMode(MeasureMode mode, const std::string& name, const std::string& unit,
                        float mag, float len, bool cal);
    // ShapeRemoval::Last removes the newest stored shape, ShapeRemoval::All all of
    // them; any other code nothing.
    void deleteshape(int32_t code);
    // A calibration was chosen (magnification 0: none): lengths, areas and grids
    // read in it from now on, stored shapes are relabelled at once and snapshots
    // name it. A calibration being drawn is left alone (its shapes read in the chosen one).
    void applyCalibration(const std::string& name, const std::string& unit, float mag, float len);
    bool getShapesCount() const { return model_.getShapesCount(); }
    void setGridView(GridMode mode, float len, float mag, float unitlength);
    // Copies the five drawing settings into the view for shapes drawn from now on.
    void setUpdatedProperty(const RQGlobalVariables& settings);
    // Drops the shape in progress and starts afresh with the same tool and
    // calibration state (the Escape key).
    void abandonShapeInProgress();

    // Frame delivery, on the main thread. setLayerContents shows the frame alone
    // (the fast path); setImage shows it with the measurement pass (the redraw
    // path). Either way the frame is kept as the one on screen, the snapshots' source.
    void setLayerContents(const Frame& frame) { present(frame, FramePath::Layer); }
    void setImage(const Frame& frame) { present(frame, FramePath::Image); }
    const Frame& currentFrame() const { return frame_; }
    FramePath lastFramePath() const { return path_; }
    bool redrawing() const { return path_ == FramePath::Image; }

    // Where snapshots go: the current picture folder of these settings. Not owned.
    void setSettings(const RQGlobalVariables* settings) { settings_ = settings; }

    // Writes a JPEG of the frame on screen at width x height pixels into the
    // current picture folder, with what the redraw shows burnt in (stored shapes
    // and overlay, mapped from view units to pixels), and reports its path to
    // the delegate (kTransferSnapshotWritten). Nothing is written or reported before the first
    // frame, without settings, for an unusable size, or when the write fails.
    void saveImage(double width, double height);

    // The stored shapes become shapes (a reopened snapshot's, or none for another
    // picture).
    void restoreShapes(std::vector<RQShape> shapes);

    // The stored shape at index is drawn highlighted on the screen (never in
    // snapshots); -1, or any index outside the list, highlights nothing.
    void setHighlightedShape(int index);

    // How many measurement passes (preview, overlay, shapes) have been drawn.
    uint64_t measurementPassCount() const { return painter_.measurementPasses(); }

    // Mouse input in the model's y-up coordinates, as the event handlers pass it.
    void mouseDownAt(double x, double yUp, bool control);
    void mouseMovedTo(double x, double yUp);

    // What the next click on the picture does with the current tool; "" none.
    const QString& stepHint() const { return stepHint_; }

    // The text tool's field; null until the text tool is first chosen.
    QLineEdit* textField() const { return textField_; }

signals:
    // The stored shapes changed: one was added or removed, or all were cleared.
    void shapesChanged();
    // The next step of the current tool changed (see stepHint).
    void stepHintChanged(const QString& hint);
    // A snapshot, or the sidecar of one that was written, could not be written,
    // or there is no picture to take yet; message says which file and why.
    void snapshotFailed(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void present(const Frame& frame, FramePath path);
    void syncTextField();
    void syncSize();
    void drawPlaceholder(QPainter& painter);
    void drawFrozenBadge(QPainter& painter, const ViewFit& fit);
    // A new state becomes visible at once on the redraw path, after a due
    // calibration was completed and handed to the delegate.
    void refreshIfRedrawing();
    void completeCalibrationIfDue();
    // Emits shapesChanged when the number of stored shapes differs from before.
    void reportShapes(size_t before);
    // Emits stepHintChanged when the next step differs from before.
    void reportStep();

    MeasureModel model_;
    const RQGlobalVariables* settings_ = nullptr;
    Frame frame_;
    FramePath path_ = FramePath::None;  // nothing shown yet
    ViewSize logical_ = kInitialViewSize;
    bool frozen_ = false;
    std::optional<std::string> scaleBar_;
    int highlightedShape_ = -1;
    QString stepHint_;
    QLineEdit* textField_ = nullptr;
    LiveViewPainter painter_;
};

}  // namespace lumetra
