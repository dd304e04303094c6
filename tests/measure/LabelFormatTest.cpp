#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "measure/LabelFormat.h"
#include "measure/Types.h"

using testing::ElementsAre;

namespace lumetra {
namespace {

TEST(LabelFormat, FixedPrecisionWithoutTruncationAndValuesInTheCalibration) {
    EXPECT_EQ(formatFixed(3, 1e40).size(), 41u + 4u);  // longer than the small buffer
    EXPECT_EQ(formatFixed(3, std::numeric_limits<double>::quiet_NaN()), "nan");
    // Values are read in the calibration, angles are not.
    const CalibrationValues um{60.0f, 1000.0f, "um"};
    EXPECT_THAT(measurementLabel(kModePolygon, 3600.0f, 0, um), ElementsAre("A:1000000um\u00B2"));
    EXPECT_THAT(measurementLabel(kModeLine, 300.0f, 3, {60.0f, 0.1f, "mm"}),
                ElementsAre("L:0.500mm"));
    EXPECT_THAT(measurementLabel(kModeAngleFourPoints, 90.0f, 1, um), ElementsAre("<:90.0\u00B0"));
    EXPECT_THAT(measurementLabel(kModeText, 90.0f, 1, um), ElementsAre());
}

TEST(LabelFormat, NoLengthWithoutACalibrationAndNeverInfOrNan) {
    const float inf = std::numeric_limits<float>::infinity();
    for (const CalibrationValues& none :
         {CalibrationValues{0.0f, 1.0f, "mm"}, CalibrationValues{0.0f, 0.0f, ""},
          CalibrationValues{60.0f, 0.0f, "mm"}, CalibrationValues{inf, 1.0f, "mm"}}) {
        EXPECT_FALSE(isUsable(none));
        EXPECT_THAT(measurementLabel(kModeLine, 100.0f, 3, none), ElementsAre());
        EXPECT_THAT(measurementLabel(kModeCircleRadius, 100.0f, 3, none), ElementsAre());
        EXPECT_THAT(measurementLabel(kModeAngleThreePoints, 45.0f, 1, none),
                    ElementsAre("<:45.0\u00B0"))
            << "angles need no calibration";
    }
    const CalibrationValues mm{60.0f, 1.0f, "mm"};
    EXPECT_TRUE(isUsable(mm));
    EXPECT_THAT(measurementValues(kModeLine, std::numeric_limits<float>::quiet_NaN(), mm),
                ElementsAre());
    EXPECT_THAT(measurementLabel(kModePolygon, 1e38f, 0, {60.0f, 1000.0f, "um"}), ElementsAre())
        << "an area beyond float's range";
}

}  // namespace
}  // namespace lumetra
