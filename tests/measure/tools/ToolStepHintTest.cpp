// The hint line's next step for every tool: before the first click, after each
// click, and once the shape is stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/MeasureModel.h"
#include "measure/tools/ToolStepHint.h"

namespace lumetra {
namespace {

struct Steps {
    uint8_t mode;
    bool calibrating;
    const char* text;    // typed into the text field
    const char* clicks;  // 'c' click, 'k' Control-click, each on a new place
    const char* hints;   // before the first click, then after each, '|' between
};

// Keeps empty parts, also a last one after a final '|'.
std::vector<std::string> split(const std::string& joined) {
    std::vector<std::string> parts{""};
    for (char c : joined) {
        if (c == '|')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

TEST(ToolStepHint, EveryToolNamesItsNextClickUntilTheShapeIsStored) {
#define LABEL "Click to place the label"
#define NEXT "Click the next point, Ctrl + Click to end"
#define CAL "Calibration: click the "
    const Steps table[] = {
        {kModeNone, false, "", "c", "|"},
        {kModeLine, false, "", "ccc",
         "Click the first end|Click the second end|" LABEL "|Click the first end"},
        // Without a redraw the calibration is not completed: the next line is
        // the reference line again.
        {kModeLine, true, "", "ccc",
         CAL "first end of the reference line|" CAL "second end of the reference line|" LABEL
             "|" CAL "first end of the reference line"},
        {kModeContinuousLine, false, "", "cckc",
         "Click the first point|" NEXT "|" NEXT "|" LABEL "|Click the first point"},
        {kModePolygon, false, "", "cccccccccc",
         "Click the first point|" NEXT "|" NEXT "|" NEXT "|" NEXT "|" NEXT "|" NEXT "|" NEXT
         "|Click the ninth and last point|" LABEL "|Click the first point"},
        {kModeParallelLines, false, "", "cccc",
         "Click the first point of the line|Click the second point of the line|Click the "
         "point|" LABEL "|Click the first point of the line"},
        {kModeCircleRadius, false, "", "ccc",
         "Click the centre|Click a point on the circle|" LABEL "|Click the centre"},
        {kModeCircleDiameter, false, "", "ccc",
         "Click one end of a diameter|Click the other end|" LABEL "|Click one end of a diameter"},
        {kModeCircleThreePoints, false, "", "cccc",
         "Click a first point on the circle|Click a second point on the circle|Click a third "
         "point on the circle|" LABEL "|Click a first point on the circle"},
        {kModeAngleThreePoints, false, "", "cccc",
         "Click the first arm's end|Click the second arm's end|Click the vertex|" LABEL
         "|Click the first arm's end"},
        {kModeAngleFourPoints, false, "", "ccccc",
         "Click the first line's first end|Click the first line's second end|Click the second "
         "line's first end|Click the second line's second end|" LABEL
         "|Click the first line's first end"},
        // The stored text leaves the tool.
        {kModeText, false, "Cell", "cc",
         "Type the label text, then click the picture|Click to place the text|"},
        // An empty field is hidden by the click and starts nothing.
        {kModeText, false, "", "c",
         "Type the label text, then click the picture|Choose the text tool again to type a "
         "label"},
    };
#undef LABEL
#undef NEXT
#undef CAL
    for (const Steps& row : table) {
        SCOPED_TRACE(row.hints);
        MeasureModel m;
        m.viewWidth = 800;
        m.viewHeight = 600;
        m.setMeasureMode(row.mode, "", "mm", 1.0f, 1.0f, row.calibrating);
        if (m.textField) m.textField->stringValue = row.text;
        std::vector<std::string> seen{toolStepHint(m)};
        double at = 10.0;
        for (const char* c = row.clicks; *c; ++c, at += 30.0) {
            m.mouseDown({at, at + 5.0}, *c == 'k');
            seen.push_back(toolStepHint(m));
        }
        EXPECT_EQ(seen, split(row.hints));
    }
}

}  // namespace
}  // namespace lumetra
