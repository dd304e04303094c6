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
        {kModeLine, QT_TRANSLATE_NOOP("MeasureTool", "Line"), "btLine", "line", true, true, false, false, 3, 3, LabelKind::Length,
         QT_TRANSLATE_NOOP("MeasureTool", "Line"), "L", lineTool()},
        {kModeContinuousLine, QT_TRANSLATE_NOOP("MeasureTool", "Continuous line"), "btCLines", "cline", true, true, false, true, 10, 10, LabelKind::Length,
         QT_TRANSLATE_NOOP("MeasureTool", "Continuous line (Ctrl + Click ends it)"), "Shift+L", continuousLineTool()},
        {kModeParallelLines, QT_TRANSLATE_NOOP("MeasureTool", "Point to line"), "btPLine", "pline", true, true, false, false, 5, 5, LabelKind::Length,
         QT_TRANSLATE_NOOP("MeasureTool", "Distance of a point from a line"), "P", parallelLinesTool()},
        {kModeCircleRadius, QT_TRANSLATE_NOOP("MeasureTool", "Circle (radius)"), "btRCircle", "rcircle", true, true, false, false, 3, 3, LabelKind::Radius,
         QT_TRANSLATE_NOOP("MeasureTool", "Circle by centre and radius"), "R", circleRadiusTool()},
        {kModeCircleDiameter, QT_TRANSLATE_NOOP("MeasureTool", "Circle (diameter)"), "btDCircle", "dcircle", true, true, false, false, 3, 3, LabelKind::Diameter,
         QT_TRANSLATE_NOOP("MeasureTool", "Circle by diameter"), "D", circleDiameterTool()},
        {kModeCircleThreePoints, QT_TRANSLATE_NOOP("MeasureTool", "Circle (3 points)"), "btTCircle", "tcircle", true, true, false, false, 5, 4, LabelKind::Radius,
         QT_TRANSLATE_NOOP("MeasureTool", "Circle through three points"), "C", circleThreePointsTool()},
        {kModeAngleThreePoints, QT_TRANSLATE_NOOP("MeasureTool", "Angle (3 points)"), "btTAngle", "tangle", true, false, false, false, 4, 4, LabelKind::Angle,
         QT_TRANSLATE_NOOP("MeasureTool", "Angle by three points"), "A", angleThreePointsTool()},
        {kModeAngleFourPoints, QT_TRANSLATE_NOOP("MeasureTool", "Angle (4 points)"), "btFAngle", "fangle", true, false, false, false, 5, 5, LabelKind::Angle,
         QT_TRANSLATE_NOOP("MeasureTool", "Angle between two lines"), "Shift+A", angleFourPointsTool()},
        {kModePolygon, QT_TRANSLATE_NOOP("MeasureTool", "Polygon"), "btPloygon", "polygon", true, true, false, true, 10, 10, LabelKind::Area,
         QT_TRANSLATE_NOOP("MeasureTool", "Polygon area (Ctrl + Click ends it)"), "G", polygonTool()},
        {kModeText, QT_TRANSLATE_NOOP("MeasureTool", "Text"), "btText", "text", false, false, true, false, 1, 1, LabelKind::Text,
         QT_TRANSLATE_NOOP("MeasureTool", "Text"), "T", textTool()},
        {kModeCount, QT_TRANSLATE_NOOP("MeasureTool", "Count"), "btCount", "count", true, false, false, false, 1, 1, LabelKind::Mark,
         QT_TRANSLATE_NOOP("MeasureTool", "Count (keys 1-9 choose the class; a click on a mark removes it)"), "N", countTool()},
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
