#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/JpegCodec.h"
#include "image/JpegComment.h"
#include "support/JpegSamples.h"

namespace lumetra {
namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

TEST(JpegComment, InsertedAfterTheAppSegmentsPictureStillDecodes) {
    const auto jpeg = bytesOf(test::flatJpeg(32, 24, 140));
    ASSERT_EQ(jpeg[2], 0xFF);
    ASSERT_EQ(jpeg[3], 0xE0);  // the encoder writes a JFIF APP0 segment first
    const std::string text = "Calibration: 10x \u00B5m; scale: 0.5 \u00B5m/pixel";
    const auto out = withJpegComment(jpeg, text);
    ASSERT_EQ(out.size(), jpeg.size() + 4 + text.size());
    const size_t app0End = 4 + ((size_t{jpeg[4]} << 8) | jpeg[5]);
    EXPECT_EQ(out[app0End], 0xFF);
    EXPECT_EQ(out[app0End + 1], 0xFE);
    EXPECT_EQ(readJpegComment(out), text);
    const auto decoded = decodeJpeg(out.data(), out.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 32);
    EXPECT_NEAR(test::centreShade(*decoded), 140, 2);
    EXPECT_FALSE(readJpegComment(jpeg));  // none before
}

TEST(JpegComment, LongCommentCutAtACharacterBoundary) {
    const auto jpeg = bytesOf(test::flatJpeg(8, 8, 10));
    std::string text = "x";
    while (text.size() < kMaxJpegComment + 10) text += "\u00B5";  // two bytes each
    const auto comment = readJpegComment(withJpegComment(jpeg, text));
    ASSERT_TRUE(comment);
    EXPECT_EQ(comment->size(), kMaxJpegComment);  // 'x' and whole two-byte characters
    EXPECT_EQ(*comment, text.substr(0, kMaxJpegComment));
}

TEST(JpegComment, MalformedBytesGetNoComment) {
    const auto jpeg = bytesOf(test::flatJpeg(8, 8, 10));
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {0xFF},
        {0x89, 'P', 'N', 'G'},
        {0xFF, 0xD8},                                // nothing after the start
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00},              // length cut short
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 1, 2},  // segment longer than the bytes
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF},  // length below its own size
        std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 10),
    };
    for (const auto& bytes : broken) {
        EXPECT_TRUE(withJpegComment(bytes, "c").empty()) << bytes.size();
        EXPECT_FALSE(readJpegComment(bytes)) << bytes.size();
    }
}

}  // namespace
}  // namespace lumetra
