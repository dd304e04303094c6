#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tools/camsim/PictureAdjustments.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

// Left half reddish, right half bluish, a sharp edge in between.
Frame sample() {
    Frame f = Frame::allocate(32, 16);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            const bool left = x < 16;
            p[0] = left ? 60 : 170;  // B
            p[1] = 110;              // G
            p[2] = left ? 180 : 70;  // R
            p[3] = 255;
        }
    return f;
}

double meanLevel(const Frame& f) {
    double sum = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            for (int c = 0; c < 3; ++c) sum += f.row(y)[4 * x + c];
    return sum / (f.width * f.height * 3);
}

int channelSpread(const Frame& f, int x, int y) {
    const uint8_t* p = f.row(y) + 4 * x;
    return std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
}

Frame adjusted(Adjustments a) {
    Frame f = sample();
    applyAdjustments(f, a);
    return f;
}

}  // namespace

TEST(PictureAdjustmentsEffect, NeutralSettingsLeaveThePictureUntouched) {
    const Frame f = adjusted({});
    const Frame ref = sample();
    for (int y = 0; y < f.height; ++y)
        EXPECT_EQ(std::memcmp(f.row(y), ref.row(y), static_cast<size_t>(f.width) * 4), 0);
}

TEST(PictureAdjustmentsEffect, BrightnessAndGammaMoveTheLevelTheWayTheyPoint) {
    const double base = meanLevel(sample());
    EXPECT_GT(meanLevel(adjusted({.brightness = 0.5})), base + 20);
    EXPECT_LT(meanLevel(adjusted({.brightness = -0.5})), base - 20);
    EXPECT_GT(meanLevel(adjusted({.gamma = 0.5})), base + 5);
    EXPECT_LT(meanLevel(adjusted({.gamma = -0.5})), base - 5);
}

TEST(PictureAdjustmentsEffect, ContrastAndSaturationWidenOrNarrowDifferences) {
    EXPECT_GT(channelSpread(adjusted({.contrast = 0.8}), 4, 4), channelSpread(sample(), 4, 4));
    EXPECT_EQ(channelSpread(adjusted({.saturation = -1.0}), 4, 4), 0) << "no saturation is grey";
    EXPECT_GT(channelSpread(adjusted({.saturation = 1.0}), 4, 4), channelSpread(sample(), 4, 4));
}

TEST(PictureAdjustmentsEffect, HueTurnsColoursAndSharpnessChangesOnlyTheEdge) {
    const Frame turned = adjusted({.hue = 0.5});
    EXPECT_LT(turned.row(4)[4 * 4 + 2], 150) << "red is turned away";

    const Frame sharp = adjusted({.sharpness = 1.0});
    const Frame soft = adjusted({.sharpness = -1.0});
    const Frame ref = sample();
    // Far from the edge nothing changes; at the edge the step grows or shrinks.
    EXPECT_EQ(sharp.row(8)[4 * 4 + 2], ref.row(8)[4 * 4 + 2]);
    const auto step = [](const Frame& f) {
        return std::abs(f.row(8)[4 * 15 + 2] - f.row(8)[4 * 16 + 2]);
    };
    EXPECT_GT(step(sharp), step(ref));
    EXPECT_LT(step(soft), step(ref));
}
