#include "measure/LabelFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "measure/Types.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

const CalibrationValues kDefault{60.0f, 1.0f, "mm"};

TEST(FormatFixed, FollowsPrintfPrecision) {
    EXPECT_EQ(formatFixed(0, 12.0), "12");
    EXPECT_EQ(formatFixed(0, 12.5), "12");  // round half to even, as printf does
    EXPECT_EQ(formatFixed(3, 12.0), "12.000");
    EXPECT_EQ(formatFixed(3, 2.77777), "2.778");
    EXPECT_EQ(formatFixed(1, -0.04), "-0.0");
}

TEST(FormatFixed, LongResultsAreNotTruncated) {
    const std::string big = formatFixed(3, 1e40);
    EXPECT_EQ(big.size(), 41u + 4u);
    EXPECT_EQ(big.substr(big.size() - 4), ".000");
    EXPECT_EQ(formatFixed(200, 1.0).size(), 202u);
}

TEST(FormatFixed, NonFiniteValuesGiveText) {
    EXPECT_EQ(formatFixed(3, std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(formatFixed(3, std::numeric_limits<double>::infinity()), "inf");
}

TEST(UnitConversion, DefaultCalibrationReadsSixtyPixelsAsOneUnit) {
    EXPECT_FLOAT_EQ(lengthInUnits(120.0f, kDefault), 2.0f);
    EXPECT_FLOAT_EQ(areaInUnits(3600.0f, kDefault), 1.0f);
}

TEST(UnitConversion, UsesUnitLengthAndMagnification) {
    const CalibrationValues cal{60.0f, 0.1f, "mm"};
    EXPECT_FLOAT_EQ(lengthInUnits(300.0f, cal), 0.5f);
    EXPECT_FLOAT_EQ(lengthInUnits(600.0f, cal), 1.0f);
    EXPECT_FLOAT_EQ(areaInUnits(3600.0f, {20.0f, 2.0f, "um"}), 3600.0f * 4.0f / 400.0f);
}

TEST(UnitConversion, RunsInSinglePrecision) {
    // 0.1f * 7 / 3 in float differs from the same sum in double.
    const CalibrationValues cal{3.0f, 0.1f, "mm"};
    const float expected = 7.0f * 0.1f / 3.0f;
    EXPECT_EQ(lengthInUnits(7.0f, cal), expected);
}

TEST(MeasurementLabel, LengthTypesGiveOneLine) {
    EXPECT_THAT(measurementLabel(kModeLine, 720.0f, 0, kDefault), ElementsAre("L:12mm"));
    EXPECT_THAT(measurementLabel(kModeLine, 720.0f, 3, kDefault), ElementsAre("L:12.000mm"));
    EXPECT_THAT(measurementLabel(kModeContinuousLine, 90.0f, 2, kDefault), ElementsAre("L:1.50mm"));
    EXPECT_THAT(measurementLabel(kModeParallelLines, 30.0f, 1, kDefault), ElementsAre("L:0.5mm"));
}

TEST(MeasurementLabel, RadiusCirclesUseTheLabelConstants) {
    // R = 10 mm: 6.283 and 3.1415, not 2*pi and pi (62.832, 314.159).
    const auto lines = measurementLabel(kModeCircleRadius, 600.0f, 3, kDefault);
    EXPECT_THAT(lines, ElementsAre("R:10.000mm", "C:62.830mm", "A:314.150mm\u00B2"));
    EXPECT_EQ(measurementLabel(kModeCircleThreePoints, 600.0f, 3, kDefault), lines);
}

TEST(MeasurementLabel, DiameterCircle) {
    // D = 10 mm: C = 31.415, A = 10 * 3.1415 * 10 * 0.25 = 78.5375.
    EXPECT_THAT(measurementLabel(kModeCircleDiameter, 600.0f, 3, kDefault),
                ElementsAre("D:10.000mm", "C:31.415mm", "A:78.538mm\u00B2"));
}

TEST(MeasurementLabel, PolygonAreaInSquareUnits) {
    EXPECT_THAT(measurementLabel(kModePolygon, 10000.0f, 3, kDefault),
                ElementsAre("A:2.778mm\xC2\xB2"));
    EXPECT_THAT(measurementLabel(kModePolygon, 3600.0f, 0, kDefault), ElementsAre("A:1mm\u00B2"));
}

TEST(MeasurementLabel, AnglesIgnoreTheCalibration) {
    const CalibrationValues odd{7.0f, 0.3f, "um"};
    EXPECT_THAT(measurementLabel(kModeAngleThreePoints, 45.0f, 3, odd), ElementsAre("<:45.000\u00B0"));
    EXPECT_THAT(measurementLabel(kModeAngleFourPoints, 90.0f, 1, odd), ElementsAre("<:90.0\xC2\xB0"));
}

TEST(MeasurementLabel, FollowsTheCurrentUnit) {
    EXPECT_THAT(measurementLabel(kModeLine, 120.0f, 1, {60.0f, 1000.0f, "um"}),
                ElementsAre("L:2000.0um"));
}

TEST(MeasurementLabel, TypesWithoutNumericLabelGiveNothing) {
    for (uint8_t type : {0, 7, 11, 12, 255}) {
        EXPECT_THAT(measurementLabel(type, 100.0f, 3, kDefault), IsEmpty()) << int(type);
    }
}

TEST(MeasurementLabel, DegenerateCalibrationDoesNotCrash) {
    const auto lines = measurementLabel(kModeLine, 100.0f, 3, {0.0f, 1.0f, "mm"});
    EXPECT_THAT(lines, ElementsAre("L:infmm"));
}

}  // namespace
}  // namespace lumetra
