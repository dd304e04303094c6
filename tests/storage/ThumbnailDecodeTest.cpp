#include <gtest/gtest.h>

#include <filesystem>

#include "StorageTestFiles.h"
#include "storage/ThumbnailDecode.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;

TEST(ThumbnailDecode, SnapshotDecodesAtReducedScale) {
    test::TempDir dir;
    const auto path = dir.path() / "snap.jpg";
    test::writeJpeg(path, 1920, 1080, 10, 200, 30);
    const auto thumb = decodeThumbnail(path.string(), 240);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->width, 240);
    EXPECT_EQ(thumb->height, 135);
    const uint8_t* px = thumb->row(60) + 100 * 4;
    EXPECT_NEAR(px[0], 10, 12);
    EXPECT_NEAR(px[1], 200, 12);
    EXPECT_NEAR(px[2], 30, 12);
}

TEST(ThumbnailDecode, LargePicturesAreShrunkFurther) {
    test::TempDir dir;
    const auto path = dir.path() / "big.jpg";
    test::writeJpeg(path, 4000, 3000);
    const auto thumb = decodeThumbnail(path.string(), 240);
    ASSERT_TRUE(thumb);
    EXPECT_LE(thumb->width, 240);
    EXPECT_LE(thumb->height, 240);
    EXPECT_GE(thumb->width, 120);
}

TEST(ThumbnailDecode, SmallPicturesKeepTheirSize) {
    test::TempDir dir;
    const auto path = dir.path() / "small.jpg";
    test::writeJpeg(path, 64, 48);
    const auto thumb = decodeThumbnail(path.string(), 240);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->width, 64);
    EXPECT_EQ(thumb->height, 48);
}

TEST(ThumbnailDecode, UnreadableFilesGiveNothing) {
    test::TempDir dir;
    EXPECT_FALSE(decodeThumbnail((dir.path() / "missing.jpg").string(), 240));
    test::spit(dir.path() / "text.jpg", "not a jpeg");
    EXPECT_FALSE(decodeThumbnail((dir.path() / "text.jpg").string(), 240));
    test::spit(dir.path() / "empty.jpg", "");
    EXPECT_FALSE(decodeThumbnail((dir.path() / "empty.jpg").string(), 240));
    EXPECT_FALSE(decodeThumbnail(dir.path().string(), 240));
    // A header only, cut before any picture data.
    test::writeJpeg(dir.path() / "full.jpg", 320, 240);
    const std::string bytes = test::slurp(dir.path() / "full.jpg");
    test::spit(dir.path() / "cut.jpg", bytes.substr(0, 200));
    EXPECT_FALSE(decodeThumbnail((dir.path() / "cut.jpg").string(), 240));
}

TEST(ShrinkToFit, AveragesBlocks) {
    Frame f = Frame::allocate(4, 2);
    // Left 2x2 block: blue 0 and 100 alternating -> 50; right block 200.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* px = f.row(y) + x * 4;
            px[0] = x < 2 ? static_cast<uint8_t>((x + y) % 2 ? 100 : 0) : 200;
            px[1] = px[2] = 0;
            px[3] = 255;
        }
    const Frame out = shrinkToFit(f, 2);
    ASSERT_EQ(out.width, 2);
    ASSERT_EQ(out.height, 1);
    EXPECT_EQ(out.row(0)[0], 50);
    EXPECT_EQ(out.row(0)[4], 200);
    EXPECT_EQ(out.row(0)[3], 255);
}

TEST(ShrinkToFit, FittingFramesAreReturnedAsTheyAre) {
    const Frame f = Frame::allocate(5, 3);
    EXPECT_EQ(shrinkToFit(f, 5).data, f.data);
    EXPECT_EQ(shrinkToFit(f, 0).data, f.data);
    EXPECT_TRUE(shrinkToFit(Frame{}, 5).isNull());
    const Frame thin = shrinkToFit(Frame::allocate(1000, 1), 10);
    EXPECT_EQ(thin.width, 10);
    EXPECT_EQ(thin.height, 1);
}
