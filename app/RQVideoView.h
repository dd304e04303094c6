#pragma once
// The measuring view: shows the camera frame and, on the redraw path, the shape
// under construction, the overlay and the stored shapes. It owns the toolkit-free
// measurement model and only adapts mouse events, the text tool's field and
// painting to it. The model works in the view's logical units (its size set by
// the window for the frame's aspect), shown scaled to fit the widget and centred,
// or zoomed about the pointer with the wheel and panned by dragging with the middle
// button (or the left with Space held); mouse positions are mapped back, so a point
// clicked zoomed lands between the picture's pixels. Qt's y axis points down; the
// model's points up.

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/HandleDrag.h"
#include "app/LiveViewPainter.h"
#include "app/MeasureHistory.h"
#include "app/PictureAids.h"
#include "app/ViewPanning.h"
#include "app/ViewTextField.h"
#include "image/Frame.h"
#include "measure/MeasureModel.h"
#include "measure/OverlayGeometry.h"
#include "measure/ShapeHitTest.h"
#include "policy/FrameRouting.h"
#include "policy/ViewZoom.h"
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
    // Where the logical picture lies in the widget now, zoomed and panned.
    ViewFit fit() const;
    // How many times larger than at fit the picture is shown; 1 at fit.
    double zoomFactor() const { return zoom_.factor(); }
    // Shows the whole picture fitted to the widget again.
    void zoomToFit();

    // While frozen, arriving frames are not shown: the picture on screen (and in
    // snapshots) stays the one shown when freezing, and measuring goes on over it.
    void setFrozen(bool frozen);
    // While on (a recording runs), camera frames are wanted at full size anyway.
    void setFullFramesWanted(bool wanted);
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
    // Removes the chosen shape (selectedShape); false when none is chosen.
    bool deleteSelectedShape();
    // Every change of the stored shapes made here, and the relabelling a chosen
    // calibration causes, is a step: undo takes back the newest one (after adding
    // a shape, that removes it), redo makes the one taken back last again. Each
    // returns whether there was a step.
    bool undo();
    bool redo();
    // A calibration was chosen (magnification 0: none): lengths, areas and grids
    // read in it from now on, stored shapes are relabelled at once and snapshots
    // name it. A calibration being drawn is left alone (its shapes read in the chosen one).
    void applyCalibration(const std::string& name, const std::string& unit, float mag, float len);
    bool getShapesCount() const { return model_.getShapesCount(); }
    void setGridView(GridMode mode, float len, float mag, float unitlength);
    // Copies the five drawing settings into the view for shapes drawn from now on.
    void setUpdatedProperty(const RQGlobalVariables& settings);
    // The class new count marks get (1 to 9) and the classes' names, which the
    // legend and the hint line show.
    void setCountClasses(int current, const CountClassNames& names);
    // Drops the shape in progress and starts afresh with the same tool and
    // calibration state (the Escape key).
    void abandonShapeInProgress();

    // Frame delivery, on the main thread. setLayerContents shows the frame alone
    // (the fast path); setImage shows it with the measurement pass (the redraw
    // path). Either way the frame is kept as the one on screen, the snapshots' source.
    // A frame reduced for the screen is shown as it is while its pixels cover the
    // picture's device pixels; its full picture is shown zoomed in further, frozen,
    // and is what snapshots and measuring read.
    void setLayerContents(const Frame& frame) { present(frame, FramePath::Layer); }
    void setImage(const Frame& frame) { present(frame, FramePath::Image); }
    // The frame on screen, as it came (possibly reduced; a frozen one is full size).
    const Frame& currentFrame() const { return frame_; }
    // Its full-size picture, decoded if need be; null without one, or when it does not decode.
    Frame fullFrame() const { return frame_.full(); }
    FramePath lastFramePath() const { return path_; }
    bool redrawing() const { return path_ == FramePath::Image; }

    // Where snapshots go: the current picture folder of these settings. Not owned.
    void setSettings(const RQGlobalVariables* settings) { settings_ = settings; }

    // Writes a JPEG of the frame on screen at width x height pixels into the
    // current picture folder, with what the redraw shows burnt in (stored shapes
    // and overlay, mapped from view units to pixels; the frame alone without
    // withMeasurements), and reports its path to
    // the delegate (kTransferSnapshotWritten). Nothing is written or reported before the first
    // frame, without settings, for an unusable size, or when the write fails.
    void saveImage(double width, double height, bool withMeasurements = true);

    // The stored shapes become shapes (a reopened snapshot's, or none for another
    // picture), as one step in the history.
    void restoreShapes(std::vector<RQShape> shapes);

    // The stored shape at index is drawn highlighted on the screen (never in
    // snapshots); -1, or any index outside the list, highlights nothing.
    void setHighlightedShape(int index);
    // The chosen shape, drawn highlighted with its handles; -1 none.
    int selectedShape() const { return highlightedShape_; }
    // The shape whose handles show because the pointer is over it; -1 none.
    int hoveredShape() const { return hoveredShape_; }

    // How many measurement passes (preview, overlay, shapes) have been drawn.
    uint64_t measurementPassCount() const { return painter_.measurementPasses(); }

    // While on, the reference line of a new calibration is searched for a micrometer's
    // ticks when drawn (its typed length being one division); the ticks found are
    // marked over the picture until it goes live or is frozen again, or a new
    // calibration starts. A line without ticks is refused (calibrationRefused) and drawn again.
    void setTickSearch(bool on);
    const std::vector<Segment>& tickMarks() const { return aids_.tickMarks(); }
    // The last click that landed on an edge (a click with Shift held), marked on screen.
    const std::optional<Point>& snappedPoint() const { return aids_.snappedPoint(); }

    // Mouse input in the model's y-up coordinates, as the event handlers pass it.
    // Without a shape in progress, a press on a stored shape's handle and a move
    // with the button held drag that point (the shape measured again as it
    // goes); a press and release with hardly a move is a plain click. Without a tool
    // a click chooses the shape under the pointer, or none.
    void mouseDownAt(double x, double yUp, bool control);
    void mouseMovedTo(double x, double yUp);
    void mouseDraggedTo(double x, double yUp);
    void mouseUpAt(double x, double yUp);

    // What the next click on the picture does with the current tool; "" none.
    const QString& stepHint() const { return stepHint_; }

    // The text tool's field; null until the text tool is first chosen.
    QLineEdit* textField() const { return textField_.edit(); }

signals:
    // The stored shapes changed: one was added, moved, removed, or all were cleared.
    void shapesChanged();
    // A click on the picture, a deletion or a step undone chose this shape (-1 none).
    void shapeChosen(int index);
    // Undoing or redoing a relabelling wants the calibration of this name in force again.
    void calibrationWanted(const QString& name);
    // The next step of the current tool changed (see stepHint).
    void stepHintChanged(const QString& hint);
    // A snapshot, or the sidecar of one that was written, could not be written,
    // or there is no picture to take yet; message says which file and why.
    void snapshotFailed(const QString& message);
    // Space was pressed and let go over the picture without panning: the freeze key.
    void freezeKeyPressed();
    // The reference line was refused (no ticks found, or no usable unit length for the
    // actual length); reason says why. The line is drawn again.
    void calibrationRefused(const QString& reason);
    // The picture now covers width x height device pixels (at fit or zoomed): camera
    // frames need no more than that; 0 x 0 while every frame is needed at full size.
    void shownSizeChanged(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void present(const Frame& frame, FramePath path);
    void syncTextField();
    void syncSize();
    // The zoom or pan changed what the widget shows.
    void zoomChanged();
    void reportShownSize();
    // A new state becomes visible at once on the redraw path, after a due
    // calibration was completed and handed to the delegate.
    void refreshIfRedrawing();
    void completeCalibrationIfDue();
    // When the stored shapes differ from before: a step in the history, and shapesChanged.
    void reportShapes(const std::vector<RQShape>& before);
    // Shapes put back by the history.
    void showShapes(const std::vector<RQShape>& shapes);
    bool replay(bool (MeasureHistory::*step)());
    // A click handed to the current tool.
    void toolDown(Point at, bool control);
    void chooseShape(int index);
    // How far from the pointer, in model units, a handle or an outline counts as under it.
    double reach() const;
    // Emits stepHintChanged when the next step differs from before.
    void reportStep();

    MeasureModel model_;
    const RQGlobalVariables* settings_ = nullptr;
    Frame frame_;
    QSize shownSize_;  // last reported by shownSizeChanged
    bool fullFramesWanted_ = false;
    FramePath path_ = FramePath::None;  // nothing shown yet
    ViewSize logical_ = kInitialViewSize;
    bool frozen_ = false;
    std::optional<std::string> scaleBar_;
    int highlightedShape_ = -1;
    int hoveredShape_ = -1;
    HandleDrag drag_;
    MeasureHistory history_;
    QString stepHint_;
    ViewTextField textField_;
    LiveViewPainter painter_;
    ViewZoom zoom_;
    ViewPanning panning_;
    PictureAids aids_;
};

}  // namespace lumetra
