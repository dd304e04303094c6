#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <vector>

#include "camera/usb/FrameConverter.h"

namespace lumetra {
namespace {

TEST(FrameConverterTest, OddSized420BuffersNeedTheirRoundedUpChromaPlanes) {
    // 5 x 3: three luma rows of 5 and two chroma rows, 6 bytes of UV pairs (NV12) or
    // 3 bytes each of U and V (YU12): 27 bytes either way.
    for (const uint32_t format : {V4L2_PIX_FMT_NV12, V4L2_PIX_FMT_YUV420}) {
        SCOPED_TRACE(format);
        FrameConverter converter;
        ASSERT_TRUE(converter.configure(format, 5, 3, 0));
        std::vector<uint8_t> buffer(27, 128);
        std::fill_n(buffer.begin(), 15, uint8_t{200});
        const auto frame = converter.convert(buffer.data(), buffer.size());
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->width, 5);
        // Luma 200, neutral chroma, limited range: (200 - 16) * 255 / 219 = 214.
        EXPECT_NEAR(frame->row(2)[4 * 4], 214, 1);
        EXPECT_FALSE(converter.convert(buffer.data(), buffer.size() - 1));
    }
}

}  // namespace
}  // namespace lumetra
