#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/JpegCodec.h"
#include "image/JpegComment.h"
#include "image/JpegRowEncoder.h"

namespace lumetra {
namespace {

Frame texture(int width, int height) {
    Frame f = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = static_cast<uint8_t>(x * 7 + y);
            p[1] = static_cast<uint8_t>((x / 3 + y / 5) % 2 ? 255 : 0);
            p[2] = static_cast<uint8_t>(y * 11);
            p[3] = 255;
        }
    return f;
}

std::vector<uint8_t> encodeInBands(const Frame& f, int quality, int band,
                                   std::string_view comment) {
    JpegRowEncoder encoder(f.width, f.height, quality, comment);
    for (int y = 0; y < f.height; y += band)
        EXPECT_TRUE(encoder.writeRows(f.row(y), std::min(band, f.height - y), f.stride));
    return encoder.finish();
}

// The bytes after the JFIF header's end, with the comment segment there taken out.
std::vector<uint8_t> withoutComment(const std::vector<uint8_t>& jpeg) {
    const size_t app0End = 4 + ((size_t{jpeg[4]} << 8) | jpeg[5]);
    EXPECT_EQ(jpeg[app0End + 1], 0xFE);
    const size_t length = (size_t{jpeg[app0End + 2]} << 8) | jpeg[app0End + 3];
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(app0End));
    out.insert(out.end(), jpeg.begin() + static_cast<ptrdiff_t>(app0End + 2 + length), jpeg.end());
    return out;
}

TEST(JpegRowEncoder, BandsGiveTheWholePicturesBytesWithTheCommentAfterTheHeader) {
    const Frame f = texture(61, 45);  // neither side a whole number of blocks
    for (const int quality : {90, 97}) {
        const auto whole = encodeJpeg(f, quality);
        for (const int band : {1, 7, 16, 45}) {
            EXPECT_EQ(encodeInBands(f, quality, band, {}), whole) << quality << " " << band;
            const auto commented = encodeInBands(f, quality, band, "µm 12");
            EXPECT_EQ(readJpegComment(commented), "µm 12");
            EXPECT_EQ(withoutComment(commented), whole) << quality << " " << band;
        }
    }
    // A comment longer than a segment holds is cut before a whole character.
    const std::string longComment = std::string(kMaxJpegComment - 1, 'a') + "µ";
    EXPECT_EQ(readJpegComment(encodeInBands(f, 90, 45, longComment)),
              std::string(kMaxJpegComment - 1, 'a'));
}

TEST(JpegRowEncoder, WrongRowCountsAndSizesGiveNoBytes) {
    const Frame f = texture(16, 16);
    JpegRowEncoder missing(16, 16, 90);
    EXPECT_TRUE(missing.writeRows(f.row(0), 8, f.stride));
    EXPECT_TRUE(missing.finish().empty());

    JpegRowEncoder tooMany(16, 16, 90);
    EXPECT_FALSE(tooMany.writeRows(f.row(0), 17, f.stride));
    EXPECT_TRUE(tooMany.failed());
    EXPECT_TRUE(tooMany.finish().empty());

    JpegRowEncoder empty(0, 16, 90);
    EXPECT_FALSE(empty.writeRows(f.row(0), 1, f.stride));
    EXPECT_TRUE(empty.finish().empty());

    // Beyond JPEG's largest side libjpeg itself refuses.
    JpegRowEncoder huge(70000, 1, 90);
    EXPECT_TRUE(huge.failed());
    EXPECT_TRUE(huge.finish().empty());
}

}  // namespace
}  // namespace lumetra
