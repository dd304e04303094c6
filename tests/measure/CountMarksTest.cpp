// Counting through the model's mouse input: marks added per class, removed by a
// click on them, numbered per class in order and renumbered after a removal.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/CountLegend.h"
#include "measure/CountMarks.h"
#include "measure/MeasureModel.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

std::vector<std::string> labels(const MeasureModel& m) {
    std::vector<std::string> out;
    const std::vector<int> numbers = markNumbers(m.oMutShapsArray);
    for (size_t i = 0; i < numbers.size(); ++i)
        out.push_back(markLabel(m.oMutShapsArray[i].markClass, numbers[i]));
    return out;
}

TEST(CountMarks, ClicksAddAndRemoveMarksNumberedPerClass) {
    MeasureModel m;
    m.setMeasureMode(kModeCount, "", "mm", 0.0f, 1.0f, false);
    m.mouseDown({100, 100}, false);
    m.mouseDown({200, 100}, false);
    m.iCountClass = 3;
    m.mouseDown({300, 100}, false);
    m.iCountClass = 1;
    m.mouseDown({400, 100}, false);
    EXPECT_EQ(labels(m), (std::vector<std::string>{"1·1", "1·2", "3·1", "1·3"}));
    EXPECT_EQ(countsPerClass(m.oMutShapsArray), (ClassCounts{3, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(m.shapeInProgress()) << "each click is complete";

    // A click on a mark, of any class, removes it; the rest of its class close up.
    m.mouseDown({205, 96}, false);
    m.mouseDown({300, 100 + kMarkHitRadius}, false);
    EXPECT_EQ(labels(m), (std::vector<std::string>{"1·1", "1·2"}));
    EXPECT_EQ(m.oMutShapsArray[1].pt1stPoint, (Point{400, 100}));
    // Just beyond the reach of a mark is a new mark.
    m.mouseDown({100 + kMarkHitRadius + 1, 100}, false);
    EXPECT_EQ(countsPerClass(m.oMutShapsArray)[0], 3);

    CountClassNames names = defaultCountClassNames();
    names[0] = "Spores";
    m.iCountClass = 9;
    m.mouseDown({500, 100}, false);
    EXPECT_EQ(countLegendLines(m.oMutShapsArray, names),
              (std::vector<std::string>{"1 Spores: 3", "9 Class 9: 1"}));
    EXPECT_TRUE(countLegendLines({}, names).empty());
}

}  // namespace
}  // namespace lumetra
