#include <gtest/gtest.h>

#include "image/TiffEncoder.h"

namespace lumetra {

TEST(TiffEncoder, PixelsBeyondA32BitFileGiveNoBytesWithoutBeingRead) {
    // 40000 x 40000 RGB pixels take 4.8 GB; the one real byte is never touched.
    Frame huge;
    huge.width = 40000;
    huge.height = 40000;
    huge.stride = huge.width * 4;
    huge.data = std::shared_ptr<uint8_t[]>(new uint8_t[1]);
    EXPECT_TRUE(encodeTiff(huge, "", TiffResolution{1.0, 1.0, TiffResolutionUnit::None}).empty());
}

}  // namespace lumetra
