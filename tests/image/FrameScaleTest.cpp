#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/FrameScale.h"

using namespace lumetra;

TEST(FrameScale, SamplesBetweenPixelCentresWithinTheTargetRows) {
    // Two grey pixels, 0 and 200, widened to four: the centres fall at a quarter
    // and three quarters between them, the outer ones on the edge pixels.
    const std::vector<uint8_t> source = {0, 0, 0, 0, 200, 200, 200, 200};
    // Two rows of four pixels with two more bytes per row that stay untouched.
    std::vector<uint8_t> target(2 * 18, 7);
    scaleBilinear({source.data(), 2, 1, 8}, {target.data(), 4, 2, 18});
    for (int row = 0; row < 2; ++row) {
        const uint8_t* p = target.data() + row * 18;
        EXPECT_EQ(p[0], 0);
        EXPECT_EQ(p[4], 50);
        EXPECT_EQ(p[9], 150);
        EXPECT_EQ(p[15], 200);
        EXPECT_EQ(p[16], 7);
        EXPECT_EQ(p[17], 7);
    }
}

TEST(FrameScale, EmptyPictureWritesNothing) {
    const std::vector<uint8_t> source(16, 100);
    std::vector<uint8_t> target(16, 7);
    scaleBilinear({source.data(), 0, 2, 8}, {target.data(), 2, 2, 8});
    scaleBilinear({source.data(), 2, 2, 8}, {target.data(), 2, 0, 8});
    EXPECT_EQ(target, std::vector<uint8_t>(16, 7));
}
