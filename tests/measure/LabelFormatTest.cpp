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

}  // namespace
}  // namespace lumetra
