#pragma once
// The measurement state of the live view (RQVideoView) without the toolkit:
// the current tool and drawing style, the shape in progress with its step count
// and live values, the calibration, the overlay setting, the stored shapes, and
// the click/move state machine that turns mouse input into shapes. The Qt widget
// owns one, forwards mouse events and its size, and draws from these fields. The
// fields are public: the tools (measure/tools) work on them. This file and
// MeasureModel.cpp hold the state and need no tool; MeasureInteraction.cpp, the
// part that hands events to the tools and stores their shapes, reads the table.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "measure/CalibrationValues.h"
#include "measure/CountMarks.h"
#include "measure/PointSlots.h"
#include "measure/RQShape.h"
#include "measure/TextFieldModel.h"
#include "measure/Types.h"

namespace lumetra {

class MeasureModel : public PointSlots {  // pt1stPoint ... pt10thPoint: the shape in progress
public:
    // Receiver of kTransferFigureStored (a continuous line or polygon was stored); not owned.
    RQTransferDelegate* delegate = nullptr;

    // Tool and the style of shapes created from now on.
    uint8_t iMode = kModeNone;
    uint8_t iLineWidth = 2;
    uint8_t iFontSize = 16;
    uint8_t iDecimal = 3;
    RgbColor ctrLColor = kPureRed;
    RgbColor ctrFColor = kPureBlue;
    // Counting: the class new marks get (1 to 9) and the classes' names.
    uint8_t iCountClass = 1;
    CountClassNames countClassNames = defaultCountClassNames();

    // How far the shape in progress has come: the steps its tool has taken, 0
    // while idle. The current tool names its steps (measure/tools); the model
    // only clears the count when a shape is stored or abandoned.
    int32_t iToolStep = 0;
    // Continuous line and polygon: the slot k (2..9) that the mouse moves and the
    // next click fixes; 10 once nine vertices are placed.
    int32_t iCLineAuvariable = 0;
    std::string strTextValue;  // text: the text taken from the text field

    // Live values of the shape in progress (view pixels, square pixels or degrees).
    float fData1 = 0.0f;
    float fData2 = 0.0f, fData3 = 0.0f, fData4 = 0.0f;  // not read; cleared with fData1

    // Calibration: a length of p view pixels reads p * fUnitLength / fScale strUnit.
    bool bCalibration = false;           // the line being drawn is the reference line
    bool bCompletedCalibration = false;  // the reference line's second point is placed
    std::string strCalName;
    std::string strUnit = "mm";
    float fUnitLength = 1.0f;
    float fActualLength = 1.0f;
    float fScale = 60.0f;
    // While a reference line is drawn, the calibration in force before it and its
    // name: stored shapes, results and snapshots go on reading in it.
    CalibrationValues heldCalibration;
    std::string strHeldCalName;

    // Live segment lengths of the continuous line (AuxVariable9 is never written).
    float AuxVariable1 = 0.0f, AuxVariable2 = 0.0f, AuxVariable3 = 0.0f;
    float AuxVariable4 = 0.0f, AuxVariable5 = 0.0f, AuxVariable6 = 0.0f;
    float AuxVariable7 = 0.0f, AuxVariable8 = 0.0f, AuxVariable9 = 0.0f;

    // Overlay.
    uint8_t iGridMode = kGridNone;
    float fGridLength = 0.0f;  // grid spacing in calibration units
    double fPitchPixes = 0.0;  // grid spacing in view units

    // Stored shapes, oldest first.
    std::vector<RQShape> oMutShapsArray;

    // Text entry of the text tool, created on the first choice of that tool.
    std::optional<TextFieldModel> textField;

    // The view's current size in view units, kept up to date by the widget.
    double viewWidth = 0.0;
    double viewHeight = 0.0;

    // Initial tool, style, step count, live values and pitch; new empty
    // vertex and shape lists. Leaves the points and the calibration alone.
    void initVideoView();
    // The default calibration: 60 view pixels read as 1 mm.
    void resetMeasureParas();
    // Enters a tool (abandoning the shape in progress) and sets the calibration;
    // cal starts a calibration whose reference line has the real length len.
    void setMeasureMode(int32_t mode, const std::string& name, const std::string& unit, float mag,
                        float len, bool cal);
    // Clears the points, live values, segment lengths and vertex counter.
    void resetPoints();
    // Whether a shape is under way (its tool has taken a first step).
    bool shapeInProgress() const { return iToolStep > 0; }
    // True when at least one shape is stored (not a count).
    bool getShapesCount() const;
    // Removes the newest stored shape or all of them.
    void removeShapes(ShapeRemoval which);
    // Removes the stored shape at index; an index outside the list removes nothing.
    void removeShapeAt(size_t index);
    // Sets the overlay; grids need a pitch of at least 5 view units.
    void setGridView(uint8_t mode, float len, float mag, float unitlength);

    // Mouse input in view coordinates. Dragging, button release, entry and
    // exit change nothing, so they have no handlers here.
    void mouseDown(Point location, bool control);
    void mouseMoved(Point location);

    // AuxVariable1 ... AuxVariable9 by number.
    float& auxVariable(int index);
    // Stores the shape in progress as the given type and returns to idle.
    void storeShape(uint8_t type);
};

// The calibration the labels are read in (the one held while a reference line is
// drawn) and its name.
CalibrationValues calibrationOf(const MeasureModel& model);
const std::string& calibrationNameOf(const MeasureModel& model);

}  // namespace lumetra
