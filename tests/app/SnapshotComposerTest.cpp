#include <gtest/gtest.h>

#include <tuple>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotComposer.h"
#include "measure/MeasurementPass.h"
#include "measure/ScaleBar.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(SnapshotComposer, BareFrameOfTheRequestedSizeIsEncodedWithoutACopy) {
    const Frame frame = greyFrame(320, 240);
    MeasureModel model;
    model.initVideoView();
    model.resetMeasureParas();
    model.iMode = kModeLine;  // a line in progress is never burnt in
    model.iToolStep = 1;
    model.pt2ndPoint = {300, 200};
    model.iGridMode = 7;  // no such overlay
    EXPECT_EQ(composeSnapshot(frame, {320, 240}, {&model, 320, 240}).data.get(), frame.data.get());
}

TEST(SnapshotComposer, ResamplesKeepingTheFramesOrientation) {
    // Left half dark, right half light; top half blue-free, bottom half blue.
    Frame frame = greyFrame(100, 80, 0x20);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            std::tie(frame.row(y)[4 * x], frame.row(y)[4 * x + 1]) =
                std::pair<uint8_t, uint8_t>(y < 40 ? 0x00 : 0xFF, x < 50 ? 0x20 : 0xE0);
    const Frame picture = composeSnapshot(frame, {400, 120}, {});
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(400, 120));
    EXPECT_EQ(pixelUp(picture, 20, 110).g, 0x20);
    EXPECT_EQ(pixelUp(picture, 380, 110).g, 0xE0);
    EXPECT_EQ(pixelUp(picture, 20, 110).b, 0x00) << "the frame's top row stays on top";
    EXPECT_EQ(pixelUp(picture, 20, 10).b, 0xFF);
}

TEST(SnapshotComposer, NoPictureFromAMalformedFrame) {
    Frame narrow = greyFrame(64, 48);
    narrow.stride = 64 * 4 - 1;
    EXPECT_TRUE(composeSnapshot(narrow, {64, 48}, {}).isNull());
    EXPECT_TRUE(composeSnapshot(narrow, {128, 96}, {}).isNull());
    EXPECT_TRUE(composeSnapshot(Frame{}, {64, 48}, {}).isNull());
    EXPECT_FALSE(snapshotPixelSize(0.99, 480));
    EXPECT_FALSE(snapshotPixelSize(65536, 480));
    EXPECT_EQ(snapshotPixelSize(640.99, 480.5)->width, 640) << "fractions are truncated";
}

TEST(SnapshotComposer, ScaleBarBurntInAtThePicturesSize) {
    const Frame frame = greyFrame(320, 240, 0x80);
    MeasureModel model;
    model.initVideoView();
    model.resetMeasureParas();  // 60 view units read 1 mm
    SnapshotMeasurements measurements{&model, 320, 240};
    measurements.scaleBar = "";
    const Frame picture = composeSnapshot(frame, {960, 720}, measurements);
    ASSERT_EQ(picture.width, 960);
    const auto bar = calibrationScaleBar(calibrationOf(model), "", 960, 720, 3.0);
    ASSERT_TRUE(bar);
    // The white bar on its half-translucent plate, at picture size: the picture under the
    // plate (and any label there) shows through, darkened.
    EXPECT_TRUE(near(
        pixelUp(picture, static_cast<int>(bar->plate.x) + 2, static_cast<int>(bar->plate.y) + 2),
        {0x40, 0x40, 0x40}, 8));
    const int barMiddle = static_cast<int>((bar->bar.a.x + bar->bar.b.x) / 2);
    EXPECT_TRUE(
        near(pixelUp(picture, barMiddle, static_cast<int>(bar->bar.a.y)), {255, 255, 255}, 8));
    EXPECT_TRUE(near(pixelUp(picture, 100, 600), {0x80, 0x80, 0x80}, 2)) << "the rest is the frame";
}
