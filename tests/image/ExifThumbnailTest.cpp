#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "image/ExifThumbnail.h"
#include "image/JpegCodec.h"

namespace lumetra {
namespace {

Frame flat(int width, int height, uint8_t shade) {
    Frame f = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 4; ++x) f.row(y)[x] = x % 4 == 3 ? 255 : shade;
    return f;
}

std::span<const uint8_t> bytesOf(const std::vector<uint8_t>& v) { return v; }

TEST(ExifThumbnail, RidesAlongThePictureWithoutChangingIt) {
    const auto picture = encodeJpeg(flat(320, 240, 40), 90);
    EXPECT_FALSE(exifThumbnail(picture)) << "none embedded yet";
    const auto carried = withExifThumbnail(picture, flat(40, 30, 200));
    ASSERT_TRUE(carried);

    const auto before = decodeJpeg(picture.data(), picture.size());
    const auto after = decodeJpeg(carried->data(), carried->size());
    ASSERT_TRUE(before && after);
    EXPECT_EQ(0, std::memcmp(before->data.get(), after->data.get(), size_t{4} * 320 * 240));

    // Found in the file's first bytes alone, as the album reads it.
    const size_t headLength = carried->size() - picture.size() + 20;
    const auto thumbnail = exifThumbnail(bytesOf(*carried).first(headLength));
    ASSERT_TRUE(thumbnail);
    const auto small = decodeJpeg(thumbnail->data(), thumbnail->size());
    ASSERT_TRUE(small);
    EXPECT_EQ(std::pair(small->width, small->height), std::pair(40, 30));
    EXPECT_NEAR(small->row(15)[4 * 20], 200, 2);
}

TEST(ExifThumbnail, AnyBytesAreAnsweredAndWhatCannotBeCarriedIsRefused) {
    EXPECT_FALSE(withExifThumbnail(std::vector<uint8_t>{1, 2, 3}, flat(4, 4, 0)));
    // Noise does not compress: a thumbnail beyond one segment's 64 KiB.
    Frame noise = Frame::allocate(400, 400);
    std::mt19937 random(7);
    for (int y = 0; y < noise.height; ++y)
        for (int x = 0; x < noise.width * 4; ++x) noise.row(y)[x] = static_cast<uint8_t>(random());
    const auto picture = encodeJpeg(flat(64, 48, 90), 90);
    EXPECT_FALSE(withExifThumbnail(picture, noise));
    auto kept = picture;
    EXPECT_FALSE(embedExifThumbnail(kept, noise));
    EXPECT_EQ(kept, picture) << "left as it was";

    // Every prefix and damaged header bytes: an answer, never a crash or a read past the end.
    auto carried = *withExifThumbnail(picture, flat(40, 30, 200));
    for (size_t n = 0; n < carried.size(); n += 3) exifThumbnail(bytesOf(carried).first(n));
    for (size_t i = 2; i < 200; ++i) {
        auto damaged = carried;
        damaged[i] ^= static_cast<uint8_t>(random() | 1);
        exifThumbnail(damaged);
    }
}

}  // namespace
}  // namespace lumetra
