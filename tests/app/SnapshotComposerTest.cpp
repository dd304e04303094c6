#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotComposer.h"
#include "app/SnapshotEncoding.h"
#include "image/ExifThumbnail.h"
#include "image/FrameShrink.h"
#include "image/JpegRowEncoder.h"
#include "measure/MeasurementPass.h"
#include "measure/ScaleBar.h"
#include "storage/ThumbnailLoader.h"

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

// Composed band by band while encoded: the whole picture's pixels (antialiased edges
// within three steps), with shapes, labels, grid and scale bar crossing the bands.
TEST(SnapshotComposer, ComposingWhileEncodingGivesTheWholePicture) {
    const Frame frame = gradientFrame(700, 620);
    MeasureModel model;
    model.initVideoView();
    model.resetMeasureParas();
    for (int i = 0; i < 6; ++i) {
        RQShape s;
        s.type = i % 2 ? kModeCircleRadius : kModeLine;
        s.pt(1) = {40.0 + 100.0 * i, 30.0};
        s.pt(2) = {90.0 + 100.0 * i, 300.0};
        s.pt(3) = {60.0 + 100.0 * i, 160.0};
        model.oMutShapsArray.push_back(s);
    }
    model.setGridView(kGridSquare, 0.5f, 60.0f, 1.0f);
    SnapshotMeasurements measurements{&model, 700, 620};
    measurements.scaleBar = "";
    const auto largestDifference = [](const Frame& a, const Frame& b) {
        int largest = 0;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < 3 * a.width; ++x)
                largest = std::max(largest, std::abs(a.row(y)[x + x / 3] - b.row(y)[x + x / 3]));
        return largest;
    };
    // The picture composed band by band into one band-sized buffer, used again for
    // every band, and gathered.
    const auto inBands = [&](PixelSize size, int rows) {
        Frame picture = Frame::allocate(size.width, size.height);
        Frame band = Frame::allocate(size.width, rows);
        for (int top = 0; top < size.height; top += rows) {
            composeSnapshotRows(frame, size, measurements, nullptr, band, top);
            for (int y = 0; y < std::min(rows, size.height - top); ++y)
                std::copy(band.row(y), band.row(y) + 4 * size.width, picture.row(top + y));
        }
        return picture;
    };
    for (const PixelSize size : {PixelSize{700, 620}, PixelSize{1400, 1240}}) {
        const Frame whole = composeSnapshot(frame, size, measurements);
        EXPECT_LE(largestDifference(inBands(size, 100), whole), 3) << size.width;

        // What the encoder is given is the picture composed band by band,
        const Frame bands = inBands(size, kSnapshotBandRows);
        // and it carries its own thumbnail.
        JpegRowEncoder encoder(size.width, size.height, 90, "note");
        encoder.writeRows(bands.data.get(), bands.height, bands.stride);
        EXPECT_EQ(composeAndEncodeSnapshot(frame, size, measurements, nullptr, 90, "note"),
                  withExifThumbnail(encoder.finish(), shrinkToFit(bands, kThumbnailMaxSide)))
            << size.width;
    }
    // The bare frame is encoded as it is.
    JpegRowEncoder bare(700, 620, 90, "note");
    bare.writeRows(frame.data.get(), frame.height, frame.stride);
    EXPECT_EQ(composeAndEncodeSnapshot(frame, {700, 620}, {}, nullptr, 90, "note"),
              withExifThumbnail(bare.finish(), shrinkToFit(frame, kThumbnailMaxSide)));
    EXPECT_TRUE(composeAndEncodeSnapshot(Frame{}, {700, 620}, {}, nullptr, 90, "").empty());
    EXPECT_TRUE(composeAndEncodeSnapshot(frame, {70000, 620}, {}, nullptr, 90, "").empty())
        << "beyond what JPEG holds";
}
