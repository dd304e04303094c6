#pragma once
// The tool bar's measure, overlay and edit groups: one button per measuring tool
// (from the tool table), the square and circle grids, the crosshair, the scale and
// the scale bar, undo and delete, with the grid-length popover. It owns the tool
// and overlay state and turns their decisions into calls on the measuring view; it
// reads the calibration in force from its owner.

#include <QObject>
#include <functional>
#include <map>
#include <string>

#include "measure/Types.h"
#include "policy/MeasureToolState.h"
#include "policy/OverlayState.h"

class QHBoxLayout;
class QToolButton;
class QWidget;

namespace lumetra {

class AlertPresenter;
class CalibrationModel;
class NSGridlinesView;
class RQVideoView;

class MeasureBar : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        // One button per row of the tool table (btLine, btCLines, ...), by measure mode.
        std::map<MeasureMode, QToolButton*> toolButtons;
        QToolButton* btSGride = nullptr;
        QToolButton* btCGride = nullptr;
        QToolButton* btCrosshair = nullptr;
        QToolButton* btScale = nullptr;
        QToolButton* btScaleBar = nullptr;
        QToolButton* btUndo = nullptr;
        QToolButton* btDelete = nullptr;

        QToolButton* toolButton(MeasureMode mode) const;
    };

    // Builds the "MEASURE", "OVERLAY" and "EDIT" groups, each followed by a separator,
    // into the tool bar's row.
    static Widgets build(QWidget* toolbar, QHBoxLayout* bar);

    // cameraReady: whether a camera is active (if not, it says so); the buttons do
    // nothing without one. window: the parent of the popover.
    MeasureBar(const Widgets& widgets, RQVideoView& view, const CalibrationModel& calibration,
               AlertPresenter& alerts, std::function<bool()> cameraReady, QWidget* window);

    MeasureMode iMode() const { return tools_.iMode(); }
    GridMode iGridMode() const { return overlays_.iGridMode(); }
    NSGridlinesView* GridlinesView() const { return gridlinesView_; }

    // No tool and no overlay, every button plain.
    void reset();
    // Tool and overlay selection, as the buttons do once a camera is active.
    void selectMeasureModel(MeasureMode tool);
    void selectGridModel(GridMode mode);
    void restoreGridState();
    // No tool and no overlay, in the bar and the view alike.
    void endTool();
    void endOverlay();
    // The sheet's values: the line tool draws the reference line (along a micrometer's
    // ticks when findTicks), while the calibration in force stays until the line
    // completes it.
    void enterCalibration(const std::string& name, const std::string& unit, float magnification,
                          float actualLength, bool findTicks);
    // The calibration in force changed: the scale bar follows it; without one, the
    // length tools and the grids end as if refused (a reference line being drawn
    // needs none).
    void calibrationChanged();
    // Escape: abandons the shape in progress, or the new calibration being drawn.
    void abandonShape();
    // Undo (also Ctrl+Z), redo (Ctrl+Shift+Z, Ctrl+Y) and delete: tool and overlay
    // end, then the view takes the step back or again, or removes the chosen shape.
    // Without a chosen shape the button removes all of them, the Delete key none.
    void undo();
    void redo();
    void deleteShapes(bool allWithoutChoice);

signals:
    // The view took the calibration in force with a tool: the results read again.
    void viewCalibrationChanged();

private:
    void connectButtons();
    void showToolInView(MeasureMode mode);
    void showToolState();
    void applyOverlayAction(const OverlayState::Action& action);
    void showOverlayState();
    void toggleScaleBar();
    void showScaleBar(bool shown);
    // Ends the tool and the overlay before an edit; false without a camera.
    bool readyToEdit();

    Widgets w_;
    RQVideoView& view_;
    const CalibrationModel& calibration_;
    AlertPresenter& alerts_;
    std::function<bool()> cameraReady_;
    MeasureToolState tools_;
    OverlayState overlays_;
    NSGridlinesView* gridlinesView_ = nullptr;
};

}  // namespace lumetra
