#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/JpegComment.h"
#include "image/JpegRowEncoder.h"
#include "support/JpegSamples.h"

namespace lumetra {
namespace {

// Writing the comment is checked with the row encoder.
TEST(JpegComment, ReadBeforeTheImageDataNothingForMalformedBytes) {
    const std::string sample = test::flatJpeg(8, 8, 10);
    const std::vector<uint8_t> jpeg(sample.begin(), sample.end());
    EXPECT_FALSE(readJpegComment(jpeg));
    EXPECT_EQ(fittedJpegComment("c"), "c");

    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {0x89, 'P', 'N', 'G'},
        {0xFF, 0xD8},                                // nothing after the start
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00},              // length cut short
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 1, 2},  // segment longer than the bytes
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF},  // length below its own size
    };
    for (const auto& bytes : broken) {
        EXPECT_FALSE(readJpegComment(bytes)) << bytes.size();
    }
}

}  // namespace
}  // namespace lumetra
