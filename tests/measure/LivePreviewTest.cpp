#include <gtest/gtest.h>

#include "PointText.h"
#include "measure/LivePreview.h"
#include "support/RecordingSurface.h"

namespace lumetra {
namespace {

using test::RecordingSurface;

TEST(LivePreview, EachModeDrawsWhatItsPointsAllow) {
    const struct {
        uint8_t mode;
        const char* points;
        float fData1;
        std::string outline;
        std::string labels;
    } cases[] = {
        {kModeLine, "1=10,10 2=110,10", 60, "(10,10)(110,10)", ""},
        {kModeContinuousLine, "1=10,10 2=110,10 4=110,110 10=9,9", 120, "(10,10)(110,10)(110,110)",
         "L:2.000mm"},
        // The polygon's label needs a third vertex; the outline stops at the first unset one.
        {kModePolygon, "1=10,10 2=110,10 10=9,9", 0, "(10,10)(110,10)z", ""},
        // Parallel lines need the foot for the second segment and the label; the
        // complete shapes draw as stored ones do.
        {kModeParallelLines, "1=10,10 2=110,10 5=9,9", 60, "(10,10)(110,10)", ""},
        // Three-point shapes mark their clicked points first.
        {kModeCircleThreePoints, "1=10,10 4=9,9", 0, "O(10,10)r3", ""},
        {kModeCircleThreePoints, "1=10,10 2=110,10 3=10,110 4=9,9 5=60,60", 60,
         "O(10,10)r3 | O(110,10)r3 | O(60,60)r60", "R:1.000mm C:6.283mm A:3.142mm\u00B2"},
        {kModeAngleThreePoints, "1=110,10 2=10,110 4=9,9", 0, "O(110,10)r3 | O(10,110)r3", ""},
        {kModeAngleThreePoints, "1=110,10 2=10,110 3=10,10 4=9,9", 90,
         "O(110,10)r3 | O(10,110)r3 | (110,10)(10,10)(10,110)", "<:90.000\u00B0"},
        {kModeAngleFourPoints, "1=10,10 2=110,10 3=50,50 5=9,9", 0, "(10,10)(110,10)", ""},
        {kModeText, "1=10,10", 0, "", "note"},
        {12, "1=10,10 2=110,10 3=9,9", 50, "", ""},
    };
    MeasureModel model;
    model.strTextValue = "note";
    for (const auto& c : cases) {
        model.iMode = c.mode;
        static_cast<PointSlots&>(model) = test::slotsOf(c.points);
        model.fData1 = c.fData1;
        RecordingSurface s;
        drawPreview(s, model);
        EXPECT_EQ(s.outline(), c.outline) << int(c.mode) << " " << c.points;
        EXPECT_EQ(s.labels(), c.labels) << int(c.mode) << " " << c.points;
    }
}

}  // namespace
}  // namespace lumetra
