#pragma once
// Small value types shared by the measurement engine and its callers.

#include <cstdint>
#include <string>

#include "image/Color.h"

namespace lumetra {

// A point in view coordinates: origin lower left, y up, one unit per view point.
// A slot counts as set when both coordinates are greater than 0; (0, 0) is empty.
struct Point {
    double x = 0.0;
    double y = 0.0;
    bool isSet() const { return x > 0.0 && y > 0.0; }
    friend bool operator==(const Point&, const Point&) = default;
};

// Measure modes (RQVideoView::iMode) and shape types (RQShape::type) share one numbering.
enum MeasureMode : uint8_t {
    kModeNone = 0,
    kModeLine = 1,
    kModeContinuousLine = 2,
    kModeParallelLines = 3,
    kModeCircleRadius = 4,
    kModeCircleDiameter = 5,
    kModeCircleThreePoints = 6,
    kModeUnused = 7,
    kModeAngleThreePoints = 8,
    kModeAngleFourPoints = 9,
    kModePolygon = 10,
    kModeText = 11,
    kModeCount = 12,
};

// Overlay modes (iGridMode).
enum GridMode : uint8_t {
    kGridNone = 0,
    kGridSquare = 1,
    kGridCircle = 2,
    kGridCrosshair = 3,
    kGridScale = 4,
};

// Which stored shapes to remove; the view's deleteshape takes 0 and 1 for these.
enum class ShapeRemoval : int32_t { Last = 0, All = 1 };

// Transfer types of RQTransferDelegate::PassValue. The view's completed
// calibration has no transfer type: it arrives as numbers through calibrationCompleted.
enum TransferType : int32_t {
    kTransferAlbumCreated = 0,
    kTransferCalibrationEntered = 1,
    kTransferSnapshotWritten = 2,
    kTransferFigureStored = 4,
};

// The record carried by a transfer. The transfers use only Param1 to Param5.
struct UserEntity {
    std::string Param1, Param2, Param3, Param4, Param5;
    int32_t Param6 = 0;
    int32_t Param7 = 0;
    RgbColor Param8, Param9;
    float HueValue = 0.0f;
    float SaturationValue = 0.0f;
    float BrightnessValue = 0.0f;
    float ContrastValue = 0.0f;
    float SharpnessValue = 0.0f;
    float GammaValue = 0.0f;
};

// A calibration the reference line completed: the values to store under its name.
struct CompletedCalibration {
    std::string name;
    float magnification = 0.0f;  // fScale
    std::string unit;            // strUnit
    float unitLength = 0.0f;     // fUnitLength
    // The relative standard error of a calibration found from a micrometer's ticks; 0
    // for a drawn reference line.
    float relativeUncertainty = 0.0f;
};

// Receiver of the sheets' and the view's reports.
class RQTransferDelegate {
public:
    virtual ~RQTransferDelegate() = default;
    virtual void PassValue(const UserEntity& entity, int32_t type) = 0;
    // The view completed a calibration; its owner stores it.
    virtual void calibrationCompleted(const CompletedCalibration&) {}
};

}  // namespace lumetra
