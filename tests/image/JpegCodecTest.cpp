#include <gtest/gtest.h>

#include <cstdlib>

#include "image/JpegCodec.h"
#include "support/JpegSamples.h"

using namespace lumetra;

namespace {

Frame gradient(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = f.row(y);
        for (int x = 0; x < w; ++x) {
            p[4 * x + 0] = static_cast<uint8_t>(x * 255 / w);  // blue
            p[4 * x + 1] = static_cast<uint8_t>(y * 255 / h);  // green
            p[4 * x + 2] = 200;                                // red
            p[4 * x + 3] = 255;
        }
    }
    return f;
}

}  // namespace

TEST(JpegCodec, RoundTripKeepsSizeAndChannelOrder) {
    const Frame src = gradient(64, 48);
    const auto bytes = encodeJpeg(src, 90);
    ASSERT_FALSE(bytes.empty());
    const auto info = readJpegInfo(bytes.data(), bytes.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 64);
    EXPECT_EQ(info->height, 48);

    const auto back = decodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 64);
    ASSERT_EQ(back->height, 48);
    for (int y = 4; y < 44; y += 10) {
        for (int x = 4; x < 60; x += 10) {
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(back->row(y)[4 * x + c], src.row(y)[4 * x + c], 12) << x << "," << y;
        }
    }
}

TEST(JpegCodec, ScaledDecodeStaysWithinTheLimit) {
    const auto bytes = encodeJpeg(gradient(1920, 1080), 80);
    const auto thumb = decodeJpegScaled(bytes.data(), bytes.size(), 256);
    ASSERT_TRUE(thumb);
    EXPECT_LE(thumb->width, 256);
    EXPECT_LE(thumb->height, 256);
    EXPECT_EQ(thumb->width, 240);  // 1/8 of 1920
}

TEST(JpegCodec, RejectsBrokenDataAndDecodesTheNextPictureAfterIt) {
    const auto good = encodeJpeg(gradient(1920, 1080), 80);
    const uint8_t garbage[] = {0x00, 0x11, 0x22, 0x33, 0x44};
    const std::pair<const uint8_t*, size_t> broken[] = {
        {garbage, sizeof garbage},
        {nullptr, 0},
        {good.data(), 20},   // cut inside the first segment
        {good.data(), 200},  // cut inside the tables
    };
    for (const auto& [data, size] : broken) {
        EXPECT_FALSE(readJpegInfo(data, size)) << size;
        EXPECT_FALSE(decodeJpeg(data, size)) << size;
        // The broken data must not spoil this thread's decoder for the pictures after it.
        EXPECT_TRUE(decodeJpeg(good.data(), good.size())) << size;
        EXPECT_FALSE(decodeJpegScaled(data, size, 240)) << size;
        EXPECT_TRUE(decodeJpegScaled(good.data(), good.size(), 240)) << size;
    }
    EXPECT_TRUE(encodeJpeg(Frame{}, 90).empty());
}

TEST(JpegCodec, HeadersBeyondThePixelBudgetAreRefusedBeforeDecoding) {
    const std::string small = test::flatJpeg(16, 16, 90);
    const struct {
        uint16_t width, height;
        bool accepted;
    } cases[] = {
        {kMaxJpegSide, 16, true},
        {16, kMaxJpegSide + 1, false},
        {20000, 20000, false},
        {60000, 60000, false},
    };
    for (const auto& c : cases) {
        const std::string bytes = test::claimingSize(small, c.width, c.height);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        EXPECT_TRUE(readJpegInfo(data, bytes.size())) << c.width << "x" << c.height;
        EXPECT_EQ(checkJpegHeader(data, bytes.size()).has_value(), c.accepted) << c.width;
        EXPECT_EQ(decodeJpeg(data, bytes.size()).has_value(), c.accepted) << c.width;
        EXPECT_EQ(decodeJpegScaled(data, bytes.size(), 64).has_value(), c.accepted) << c.width;
    }
}

TEST(JpegCodec, CompressionFactorMapsToQuality) {
    EXPECT_EQ(qualityFromCompressionFactor(0.9), 90);
    EXPECT_EQ(qualityFromCompressionFactor(1.5), 100);
    EXPECT_EQ(qualityFromCompressionFactor(0.0), 1);
}

TEST(FramePool, ReusesOnlyBuffersNobodyElseHolds) {
    FramePool pool(2);
    Frame held = pool.acquire(8, 8);
    const uint8_t* heldBuffer = held.data.get();
    Frame other = pool.acquire(8, 8);
    EXPECT_NE(other.data.get(), heldBuffer) << "a held buffer is never handed out twice";

    const uint8_t* released = other.data.get();
    other = Frame{};
    EXPECT_EQ(pool.acquire(8, 8).data.get(), released);

    // A new size drops the old buffers; decoding through the pool fills the recycled frame.
    const auto bytes = encodeJpeg(gradient(16, 12), 90);
    const auto decoded = decodeJpeg(bytes.data(), bytes.size(), &pool);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 16);
    EXPECT_EQ(held.width, 8) << "frames still held are untouched";
}
