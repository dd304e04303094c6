#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/FrameShrink.h"

namespace lumetra {
namespace {

TEST(FrameShrink, AveragesBlocks) {
    Frame f = Frame::allocate(2, 1);
    const uint8_t pixels[8] = {0, 10, 20, 255, 100, 110, 120, 255};
    std::copy(pixels, pixels + 8, f.row(0));
    const Frame out = shrinkToFit(f, 1);
    ASSERT_EQ(std::pair(out.width, out.height), std::pair(1, 1));
    EXPECT_EQ(std::vector<uint8_t>(out.row(0), out.row(0) + 4),
              (std::vector<uint8_t>{50, 60, 70, 255}));
    EXPECT_TRUE(shrinkToFit(Frame{}, 5).isNull());
    EXPECT_EQ(shrinkToFit(Frame::allocate(1000, 1), 10).height, 1);  // never 0 high

    // A block of more rows than a 16-bit sum of bytes holds.
    Frame white = Frame::allocate(300, 300);
    std::memset(white.data.get(), 255, white.byteCount());
    const Frame one = shrinkToFit(white, 1);
    EXPECT_EQ(std::vector<uint8_t>(one.row(0), one.row(0) + 4),
              (std::vector<uint8_t>{255, 255, 255, 255}));
}

TEST(FrameShrink, BandsGiveWhatTheWholePictureGives) {
    Frame f = Frame::allocate(101, 37);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width * 4; ++x) f.row(y)[x] = static_cast<uint8_t>(x * 13 + y * 7);
    const Frame whole = shrinkToFit(f, 10);
    ASSERT_EQ(std::pair(whole.width, whole.height), std::pair(9, 3));

    RowShrinker bands(f.width, f.height, 10);
    for (int top = 0, band = 1; top < f.height; top += band, band += 2) {
        EXPECT_TRUE(bands.take().isNull()) << "not before the last row";
        bands.addRows(f.row(top), std::min(band, f.height - top), f.stride);
    }
    const Frame banded = bands.take();
    ASSERT_FALSE(banded.isNull());
    for (int y = 0; y < whole.height; ++y)
        EXPECT_EQ(0, std::memcmp(banded.row(y), whole.row(y), size_t{4} * whole.width)) << y;
}

}  // namespace
}  // namespace lumetra
