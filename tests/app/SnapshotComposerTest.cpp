#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotComposer.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(SnapshotComposer, BareFrameOfTheRequestedSizeIsEncodedWithoutACopy) {
    const Frame frame = greyFrame(320, 240);
    MeasureModel model;
    model.initVideoView();
    model.resetMeasureParas();
    model.iMode = kModeLine;  // a line in progress is never burnt in
    model.bLine1stPoint = true;
    model.pt2ndPoint = {300, 200};
    model.iGridMode = 7;  // no such overlay
    EXPECT_EQ(composeSnapshot(frame, {320, 240}, {&model, 320, 240}).data.get(), frame.data.get());
    RQShape line;
    line.type = kModeLine;
    line.pt2ndPoint = {700, 300};
    model.oMutShapsArray.push_back(line);
    EXPECT_EQ(composeSnapshot(frame, {320, 240}, {&model, 0, 600}).data.get(), frame.data.get())
        << "a view without size burns nothing in";
}

TEST(SnapshotComposer, ResamplesKeepingTheFramesOrientation) {
    // Left half dark, right half light; top half blue-free, bottom half blue.
    Frame frame = greyFrame(100, 80, 0x20);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            uint8_t* p = frame.row(y) + 4 * x;
            p[1] = x < 50 ? 0x20 : 0xE0;
            p[0] = y < 40 ? 0x00 : 0xFF;
        }
    const Frame picture = composeSnapshot(frame, {400, 120}, {});
    ASSERT_EQ(picture.width, 400);
    ASSERT_EQ(picture.height, 120);
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
