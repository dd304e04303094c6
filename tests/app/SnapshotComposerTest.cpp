#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotComposer.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

MeasureModel freshModel() {
    MeasureModel model;
    model.initVideoView();
    model.resetMeasureParas();
    return model;
}

// A stored line across the middle of an 800 x 600 view.
RQShape storedLine() {
    RQShape line;
    line.type = kModeLine;
    line.pt1stPoint = {100, 300};
    line.pt2ndPoint = {700, 300};
    return line;
}

}  // namespace

TEST(SnapshotPixelSize, TruncatesAndKeepsToTheFrameSizeRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::tuple<double, double, std::optional<std::pair<int, int>>>> cases{
        {1600, 1200, std::pair{1600, 1200}},
        {640.99, 480.5, std::pair{640, 480}},
        {1, 1, std::pair{1, 1}},
        {65535, 65535, std::pair{65535, 65535}},
        {0.99, 480, std::nullopt},
        {640, 0, std::nullopt},
        {-640, 480, std::nullopt},
        {65536, 480, std::nullopt},
        {nan, 480, std::nullopt},
        {640, inf, std::nullopt},
    };
    for (const auto& [w, h, expected] : cases) {
        const auto size = snapshotPixelSize(w, h);
        ASSERT_EQ(size.has_value(), expected.has_value()) << w << " x " << h;
        if (size) {
            EXPECT_EQ(std::pair(size->width, size->height), *expected) << w << " x " << h;
        }
    }
}

TEST(SnapshotComposer, BareFrameOfTheRequestedSizeIsEncodedWithoutACopy) {
    const Frame frame = greyFrame(320, 240);
    MeasureModel model = freshModel();
    model.iMode = kModeLine;  // a tool, but nothing stored or shown over the frame
    model.bLine1stPoint = true;
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {300, 200};
    for (const SnapshotMeasurements& m :
         {SnapshotMeasurements{}, SnapshotMeasurements{&model, 320, 240}}) {
        const Frame picture = composeSnapshot(frame, {320, 240}, m);
        EXPECT_EQ(picture.data.get(), frame.data.get());
    }
    model.iGridMode = 7;  // no such overlay
    EXPECT_EQ(composeSnapshot(frame, {320, 240}, {&model, 320, 240}).data.get(), frame.data.get());
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
    EXPECT_NE(picture.data.get(), frame.data.get());
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
    EXPECT_TRUE(composeSnapshot(greyFrame(64, 48), {0, 48}, {}).isNull());
}

TEST(SnapshotComposer, AViewWithoutSizeBurnsNothingIn) {
    MeasureModel model = freshModel();
    model.oMutShapsArray.push_back(storedLine());
    const Frame frame = greyFrame(64, 48);
    for (const auto& [w, h] : std::vector<std::pair<double, double>>{{0, 600}, {800, 0}}) {
        const Frame picture = composeSnapshot(frame, {64, 48}, {&model, w, h});
        EXPECT_EQ(picture.data.get(), frame.data.get()) << w << " x " << h;
    }
}
