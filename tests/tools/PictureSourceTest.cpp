#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tools/camsim/MicrometerSlide.h"
#include "tools/camsim/PictureSource.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

bool samePixels(const Frame& a, const Frame& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int y = 0; y < a.height; ++y)
        if (std::memcmp(a.row(y), b.row(y), static_cast<size_t>(a.width) * 4) != 0) return false;
    return true;
}

int luma(const Frame& f, double x, int y) {
    const uint8_t* p = f.row(y) + 4 * static_cast<int>(std::lround(x));
    return (p[0] + 2 * p[1] + p[2]) / 4;
}

}  // namespace

TEST(SimulatedSlide, ScaleBaselineAndNumberedTicksAreDarkOnTheLightField) {
    const Frame f = renderMicrometerSlide(640, 480, 0, 1);
    const ScaleGeometry g = scaleGeometry(640, 480);
    for (int i = 0; i < 100; ++i)  // the baseline, between the ends of the scale
        EXPECT_LT(luma(f, g.firstTickX + (i + 0.5) * g.spacing, g.baselineY), 90) << i;
    for (int major = 0; major <= 100; major += 10)  // numbered ticks up to their full length
        EXPECT_LT(luma(f, g.firstTickX + major * g.spacing, g.baselineY - g.majorLength + 1), 90)
            << major;
    EXPECT_GT(luma(f, g.firstTickX + 45.5 * g.spacing, g.baselineY - g.majorLength / 2), 120)
        << "between ticks";
}

TEST(SimulatedPictures, SameSeedSameSlideWhileDriftAndNoiseChangeEachPicture) {
    EXPECT_TRUE(
        samePixels(renderMicrometerSlide(160, 120, 4, 7), renderMicrometerSlide(160, 120, 4, 7)));
    EXPECT_FALSE(
        samePixels(renderMicrometerSlide(160, 120, 4, 7), renderMicrometerSlide(160, 120, 4, 8)));
    PictureSource source(1, 0);
    const PictureSettings s{320, 240, {}, 80};
    const Frame a = source.frame(s, 0.0, 0);
    EXPECT_TRUE(samePixels(a, source.frame(s, 0.0, 0)));
    EXPECT_FALSE(samePixels(a, source.frame(s, 0.0, 1))) << "noise differs per picture";
    EXPECT_FALSE(samePixels(a, source.frame(s, 3.0, 0))) << "the specimen drifts";
    int dx = 0, dy = 0;
    for (double t = 0; t < 40; t += 0.37) {  // the crop never leaves the prepared margin
        PictureSource::driftAt(t, dx, dy);
        EXPECT_LE(std::max(std::abs(dx), std::abs(dy)), PictureSource::kDriftMargin) << t;
    }
}
