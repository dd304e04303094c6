#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/JpegComment.h"
#include "support/JpegSamples.h"

namespace lumetra {
namespace {

// Insertion into a real picture is checked with the snapshot writer.
TEST(JpegComment, AfterTheAppSegmentsNothingForMalformedBytes) {
    const std::string sample = test::flatJpeg(8, 8, 10);
    const std::vector<uint8_t> jpeg(sample.begin(), sample.end());
    const size_t app0End = 4 + ((size_t{jpeg[4]} << 8) | jpeg[5]);
    const auto out = withJpegComment(jpeg, "c");
    ASSERT_EQ(out.size(), jpeg.size() + 5);
    EXPECT_EQ(out[app0End + 1], 0xFE);
    EXPECT_FALSE(readJpegComment(jpeg));

    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {0x89, 'P', 'N', 'G'},
        {0xFF, 0xD8},                                // nothing after the start
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00},              // length cut short
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 1, 2},  // segment longer than the bytes
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF},  // length below its own size
    };
    for (const auto& bytes : broken) {
        EXPECT_TRUE(withJpegComment(bytes, "c").empty()) << bytes.size();
        EXPECT_FALSE(readJpegComment(bytes)) << bytes.size();
    }
}

}  // namespace
}  // namespace lumetra
