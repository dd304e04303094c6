#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "measure/LabelFormat.h"
#include "measure/Types.h"

using testing::ElementsAreArray;

namespace lumetra {
namespace {

const CalibrationValues kDefault{60.0f, 1.0f, "mm"};

TEST(FormatFixed, BehavesLikePrintfPrecision) {
    EXPECT_EQ(formatFixed(0, 12.0), "12");
    EXPECT_EQ(formatFixed(3, 12.0), "12.000");
    EXPECT_EQ(formatFixed(3, 2.77777), "2.778");
    // Results longer than the small buffer are not cut off.
    EXPECT_EQ(formatFixed(3, 1e40).size(), 41u + 4u);
    EXPECT_EQ(formatFixed(200, 1.0).size(), 202u);
    EXPECT_EQ(formatFixed(3, std::numeric_limits<double>::quiet_NaN()), "nan");
}

struct LabelCase {
    uint8_t type;
    float fData1;
    int decimals;
    CalibrationValues cal;
    std::vector<std::string> lines;
};

TEST(MeasurementLabel, LinesPerShapeType) {
    const LabelCase cases[] = {
        {kModeLine, 720.0f, 0, kDefault, {"L:12mm"}},
        {kModeLine, 720.0f, 3, kDefault, {"L:12.000mm"}},
        {kModeContinuousLine, 90.0f, 2, kDefault, {"L:1.50mm"}},
        {kModeParallelLines, 120.0f, 1, {60.0f, 1000.0f, "um"}, {"L:2000.0um"}},
        // Circles use 6.283 and 3.1415, not 2 pi and pi (62.832, 314.159).
        {kModeCircleRadius, 600.0f, 3, kDefault, {"R:10.000mm", "C:62.830mm", "A:314.150mm\u00B2"}},
        {kModeCircleThreePoints,
         600.0f,
         3,
         kDefault,
         {"R:10.000mm", "C:62.830mm", "A:314.150mm\u00B2"}},
        {kModeCircleDiameter,
         600.0f,
         3,
         kDefault,
         {"D:10.000mm", "C:31.415mm", "A:78.538mm\u00B2"}},
        {kModePolygon, 10000.0f, 3, kDefault, {"A:2.778mm\xC2\xB2"}},
        {kModePolygon, 3600.0f, 0, kDefault, {"A:1mm\u00B2"}},
        // 0.1 mm per px at magnification 60: a 300 px line reads 0.5 mm.
        {kModeLine, 300.0f, 3, {60.0f, 0.1f, "mm"}, {"L:0.500mm"}},
        // Angles ignore the calibration.
        {kModeAngleThreePoints, 45.0f, 3, {7.0f, 0.3f, "um"}, {"<:45.000\xC2\xB0"}},
        {kModeAngleFourPoints, 90.0f, 1, kDefault, {"<:90.0\u00B0"}},
    };
    for (const LabelCase& c : cases) {
        EXPECT_THAT(measurementLabel(c.type, c.fData1, c.decimals, c.cal),
                    ElementsAreArray(c.lines))
            << "type " << int(c.type);
    }
}

TEST(MeasurementLabel, TypesWithoutNumericLabelGiveNothing) {
    for (uint8_t type : {0, 7, 11, 12, 255}) {
        EXPECT_TRUE(measurementLabel(type, 100.0f, 3, kDefault).empty()) << int(type);
    }
}

}  // namespace
}  // namespace lumetra
