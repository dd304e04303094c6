// The hint line's next step for every tool: before the first click, after each
// click, and once the shape is stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/MeasureModel.h"
#include "measure/tools/ToolStepHint.h"

namespace lumetra {
namespace {

TEST(ToolStepHint, EveryToolNamesItsNextClickUntilTheShapeIsStored) {
    const std::string label = "Click to place the label";
    const std::string next = "Click the next point, Ctrl + Click to end";
    const std::string cal1 = "Calibration: click the first end of the reference line";
    const std::string count =
        "Counting Class 1: click to mark, keys 1-9 choose the class, a click on a mark removes it";
    const struct {
        uint8_t mode;
        bool calibrating;
        const char* typed;               // into the text field
        const char* clicks;              // 'c' click, 'k' Control-click, each on a new place
        std::vector<std::string> hints;  // before the first click, then after each
    } table[] = {
        // clang-format off
        {kModeNone, false, "", "c", {"", ""}},
        {kModeLine, false, "", "ccc", {"Click the first end", "Click the second end", label, "Click the first end"}},
        // Not completed without a redraw: the next line is the reference line again.
        {kModeLine, true, "", "ccc", {cal1, "Calibration: click the second end of the reference line", label, cal1}},
        {kModeContinuousLine, false, "", "cckc", {"Click the first point", next, next, label, "Click the first point"}},
        {kModePolygon, false, "", "cccccccccc", {"Click the first point", next, next, next, next, next, next, next,
                                                 "Click the ninth and last point", label, "Click the first point"}},
        {kModeParallelLines, false, "", "cccc", {"Click the first point of the line",
            "Click the second point of the line", "Click the point", label, "Click the first point of the line"}},
        {kModeCircleRadius, false, "", "ccc", {"Click the centre", "Click a point on the circle", label,
                                               "Click the centre"}},
        {kModeCircleDiameter, false, "", "ccc", {"Click one end of a diameter", "Click the other end", label,
                                                 "Click one end of a diameter"}},
        {kModeCircleThreePoints, false, "", "cccc", {"Click a first point on the circle",
            "Click a second point on the circle", "Click a third point on the circle", label,
            "Click a first point on the circle"}},
        {kModeAngleThreePoints, false, "", "cccc", {"Click the first arm's end", "Click the second arm's end",
                                                    "Click the vertex", label, "Click the first arm's end"}},
        {kModeAngleFourPoints, false, "", "ccccc", {"Click the first line's first end",
            "Click the first line's second end", "Click the second line's first end",
            "Click the second line's second end", label, "Click the first line's first end"}},
        // A stored text leaves the tool; a click on an empty field hides it and starts nothing.
        {kModeText, false, "Cell", "cc", {"Type the label text, then click the picture", "Click to place the text", ""}},
        {kModeText, false, "", "c", {"Type the label text, then click the picture",
                                     "Choose the text tool again to type a label"}},
        // Every click of the counting tool is complete: the hint stays.
        {kModeCount, false, "", "cc", {count, count, count}},
        // clang-format on
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.hints.front());
        MeasureModel m;
        m.setMeasureMode(row.mode, "", "mm", 1.0f, 1.0f, row.calibrating);
        if (m.textField) m.textField->stringValue = row.typed;
        std::vector<std::string> seen{toolStepHint(m)};
        double at = 10.0;
        for (const char* c = row.clicks; *c; ++c, at += 30.0) {
            m.mouseDown({at, at + 5.0}, *c == 'k');
            seen.push_back(toolStepHint(m));
        }
        EXPECT_EQ(seen, row.hints);
    }
}

}  // namespace
}  // namespace lumetra
