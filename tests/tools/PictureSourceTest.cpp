#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tools/camsim/PictureSource.h"
#include "tools/camsim/Specimen.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

bool samePixels(const Frame& a, const Frame& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int y = 0; y < a.height; ++y)
        if (std::memcmp(a.row(y), b.row(y), static_cast<size_t>(a.width) * 4) != 0) return false;
    return true;
}

int luma(const Frame& f, int x, int y) {
    const uint8_t* p = f.row(y) + 4 * x;
    return (p[0] + 2 * p[1] + p[2]) / 4;
}

}  // namespace

TEST(SimulatedSpecimen, ScaleBaselineAndNumberedTicksAreDarkOnTheLightField) {
    const int w = 640, h = 480;
    const Frame f = renderSpecimen(w, h, 0, 1);
    const ScaleGeometry g = scaleGeometry(w, h);
    // Along the baseline, between the ends of the scale: all ink.
    for (int i = 0; i < 100; ++i) {
        const int x = static_cast<int>(std::lround(g.firstTickX + (i + 0.5) * g.spacing));
        EXPECT_LT(luma(f, x, g.baselineY), 90) << "baseline at division " << i;
    }
    // A numbered tick is ink up to its full length; half-way between ticks above the
    // baseline is the light field.
    for (int major = 0; major <= 100; major += 10) {
        const int x = static_cast<int>(std::lround(g.firstTickX + major * g.spacing));
        EXPECT_LT(luma(f, x, g.baselineY - g.majorLength + 1), 90) << "tick " << major;
    }
    const int gap = static_cast<int>(std::lround(g.firstTickX + 45.5 * g.spacing));
    EXPECT_GT(luma(f, gap, g.baselineY - g.majorLength / 2), 120);
}

TEST(SimulatedSpecimen, SameSeedSameSpecimen) {
    EXPECT_TRUE(samePixels(renderSpecimen(160, 120, 4, 7), renderSpecimen(160, 120, 4, 7)));
    EXPECT_FALSE(samePixels(renderSpecimen(160, 120, 4, 7), renderSpecimen(160, 120, 4, 8)));
}

TEST(SimulatedPictures, DriftAndNoiseChangeThePictureFromOneToTheNext) {
    PictureSource source(1, 0);
    const PictureSettings s{320, 240, {}, 80};
    const Frame a = source.frame(s, 0.0, 0);
    EXPECT_TRUE(samePixels(a, source.frame(s, 0.0, 0)));
    EXPECT_FALSE(samePixels(a, source.frame(s, 0.0, 1))) << "noise differs per picture";
    EXPECT_FALSE(samePixels(a, source.frame(s, 3.0, 0))) << "the specimen drifts";
    int dx = 0, dy = 0;
    for (double t = 0; t < 40; t += 0.37) {
        PictureSource::driftAt(t, dx, dy);
        EXPECT_LE(std::abs(dx), PictureSource::kDriftMargin);
        EXPECT_LE(std::abs(dy), PictureSource::kDriftMargin);
    }
}
