#include <algorithm>
#include <array>

#include "StorageTestFiles.h"
#include "image/ExifThumbnail.h"
#include "storage/ThumbnailDecode.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(ThumbnailDecode, PicturesShrinkToTheLargestSide) {
    TempDir dir;
    const auto path = dir.path() / "p.jpg";
    const std::array<int, 4> cases[] = {
        {1920, 1080, 240, 135},  // decoded at 1/8 scale
        {4000, 3000, 166, 125},  // 1/8 scale is still too large: blocks averaged further
        {64, 48, 64, 48},        // small pictures keep their size
    };
    for (const auto& [w, h, thumbW, thumbH] : cases) {
        spit(path, flatJpeg(w, h, 200));
        const auto thumb = decodeThumbnail(path.string(), 240);
        ASSERT_TRUE(thumb) << w;
        EXPECT_EQ(std::pair(thumb->width, thumb->height), std::pair(thumbW, thumbH));
        EXPECT_NEAR(centreShade(*thumb), 200, 4);
    }
    // Unreadable: missing, not a JPEG, empty, cut short, a folder.
    spit(dir.path() / "text.jpg", "not a jpeg");
    spit(dir.path() / "empty.jpg", "");
    spit(dir.path() / "cut.jpg", slurp(path).substr(0, 200));
    for (const char* name : {"missing.jpg", "text.jpg", "empty.jpg", "cut.jpg", ""})
        EXPECT_FALSE(decodeThumbnail((dir.path() / name).string(), 240)) << name;
}

// Hostile files cost a worker a bounded amount: a progressive picture claiming 8192 x 8192
// in 500 bytes is refused before decoding, a file beyond the size cap is not read, and a
// picture too large for the budget at the asked size is decoded smaller.
TEST(ThumbnailDecode, PictureFilesDecodeWithinTheBudget) {
    TempDir dir;
    const auto claim = dir.path() / "claim.jpg";
    spit(claim, claimingSize(progressiveJpeg(64, 48, 90), 8192, 8192));
    EXPECT_FALSE(decodeThumbnail(claim.string(), 240));
    EXPECT_FALSE(decodePictureFile(claim.string(), 4096));

    const auto huge = dir.path() / "huge.jpg";
    spit(huge, flatJpeg(64, 48, 90));
    fs::resize_file(huge, size_t{33} << 20);  // a valid head, then zeros
    EXPECT_FALSE(decodePictureFile(huge.string(), 64));

    const auto large = dir.path() / "large.jpg";
    spit(large, flatJpeg(4000, 3000, 90));
    const auto picture = decodePictureFile(large.string(), 100000);
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(3000, 2250));
}

TEST(ThumbnailDecode, AnEmbeddedThumbnailLargeEnoughStandsForThePicture) {
    TempDir dir;
    const std::string picture = flatJpeg(1920, 1080, 40);
    const auto carrying = [&](int width, int height) {
        Frame small = Frame::allocate(width, height);
        std::fill_n(small.data.get(), size_t{4} * width * height, uint8_t{200});
        const auto bytes = withExifThumbnail(
            std::span(reinterpret_cast<const uint8_t*>(picture.data()), picture.size()), small);
        return std::string(bytes->begin(), bytes->end());
    };
    const auto path = dir.path() / "p.jpg";
    spit(path, carrying(240, 135));
    auto thumb = decodeThumbnail(path.string(), 240);
    ASSERT_TRUE(thumb);
    EXPECT_NEAR(centreShade(*thumb), 200, 4) << "the embedded one";

    spit(path, carrying(160, 90));  // a camera's small preview would look blurred
    thumb = decodeThumbnail(path.string(), 240);
    ASSERT_TRUE(thumb);
    EXPECT_NEAR(centreShade(*thumb), 40, 4) << "the picture itself";
}
