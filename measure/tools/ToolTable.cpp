#include "measure/tools/ToolTable.h"

#include <array>

#include "image/Translate.h"

namespace lumetra {

// The behaviours, one file each.
const MeasureTool& lineTool();
const MeasureTool& continuousLineTool();
const MeasureTool& parallelLinesTool();
const MeasureTool& circleRadiusTool();
const MeasureTool& circleDiameterTool();
const MeasureTool& circleThreePointsTool();
const MeasureTool& angleThreePointsTool();
const MeasureTool& angleFourPointsTool();
const MeasureTool& polygonTool();
const MeasureTool& textTool();
const MeasureTool& countTool();

namespace {

const std::array<ToolSpec, 11>& table() {
    // clang-format off
    static const std::array<ToolSpec, 11> tools{{
        // mode, name, button, image, chosen image, calibration, one-shot, Ctrl ends, slots, label slot, label, tool tip, key
        {kModeLine, "Line", "btLine", "line", true, true, false, false, 3, 3, LabelKind::Length,
         "Line", "L", lineTool()},
        {kModeContinuousLine, "Continuous line", "btCLines", "cline", true, true, false, true, 10, 10, LabelKind::Length,
         "Continuous line (Ctrl + Click ends it)", "Shift+L", continuousLineTool()},
        {kModeParallelLines, "Point to line", "btPLine", "pline", true, true, false, false, 5, 5, LabelKind::Length,
         "Distance of a point from a line", "P", parallelLinesTool()},
        {kModeCircleRadius, "Circle (radius)", "btRCircle", "rcircle", true, true, false, false, 3, 3, LabelKind::Radius,
         "Circle by centre and radius", "R", circleRadiusTool()},
        {kModeCircleDiameter, "Circle (diameter)", "btDCircle", "dcircle", true, true, false, false, 3, 3, LabelKind::Diameter,
         "Circle by diameter", "D", circleDiameterTool()},
        {kModeCircleThreePoints, "Circle (3 points)", "btTCircle", "tcircle", true, true, false, false, 5, 4, LabelKind::Radius,
         "Circle through three points", "C", circleThreePointsTool()},
        {kModeAngleThreePoints, "Angle (3 points)", "btTAngle", "tangle", true, false, false, false, 4, 4, LabelKind::Angle,
         "Angle by three points", "A", angleThreePointsTool()},
        {kModeAngleFourPoints, "Angle (4 points)", "btFAngle", "fangle", true, false, false, false, 5, 5, LabelKind::Angle,
         "Angle between two lines", "Shift+A", angleFourPointsTool()},
        {kModePolygon, "Polygon", "btPloygon", "polygon", true, true, false, true, 10, 10, LabelKind::Area,
         "Polygon area (Ctrl + Click ends it)", "G", polygonTool()},
        {kModeText, "Text", "btText", "text", false, false, true, false, 1, 1, LabelKind::Text,
         "Text", "T", textTool()},
        {kModeCount, "Count", "btCount", "count", true, false, false, false, 1, 1, LabelKind::Mark,
         "Count (keys 1-9 choose the class; a click on a mark removes it)", "N", countTool()},
    }};
    // clang-format on
    return tools;
}

}  // namespace

std::span<const ToolSpec> measureTools() { return table(); }

const ToolSpec* findTool(uint8_t mode) {
    for (const ToolSpec& tool : table()) {
        if (tool.mode == mode) return &tool;
    }
    return nullptr;
}

}  // namespace lumetra
