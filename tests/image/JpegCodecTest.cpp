#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

#include "image/JpegCodec.h"
#include "support/JpegSamples.h"
#include "support/TempDir.h"

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

TEST(JpegCodec, ScaledDecodeStaysWithinTheLimit) {
    const auto bytes = encodeJpeg(gradient(1920, 1080), 80);
    const auto thumb = decodeJpegScaled(bytes.data(), bytes.size(), 256);
    ASSERT_TRUE(thumb);
    EXPECT_LE(thumb->width, 256);
    EXPECT_LE(thumb->height, 256);
    EXPECT_EQ(thumb->width, 240);  // 1/8 of 1920
}

TEST(JpegCodec, ScreenDecodeHalvesOnlyWhileThePictureStillCoversTheScreen) {
    const auto bytes = encodeJpeg(gradient(640, 480), 80);
    const JpegInfo limit{640, 480};
    auto sizeFor = [&](JpegInfo shown) {
        const auto frame = decodeJpegForScreen(bytes.data(), bytes.size(), nullptr, limit, shown);
        return frame ? std::pair{frame->width, frame->height} : std::pair{0, 0};
    };
    EXPECT_EQ(sizeFor({300, 240}), std::pair(320, 240));
    EXPECT_EQ(sizeFor({321, 200}), std::pair(640, 480));  // 5/8 to 7/8 do not pay
    EXPECT_EQ(sizeFor({80, 60}), std::pair(80, 60));
    EXPECT_EQ(sizeFor({0, 0}), std::pair(640, 480));
    // The limit is the full picture's, however small the screen.
    EXPECT_FALSE(
        decodeJpegForScreen(bytes.data(), bytes.size(), nullptr, {639, 480}, JpegInfo{80, 60}));
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

// The claimed pictures hold 16 x 16 pixels of data: the header check decides, and a
// decode always fails (the data ends early).
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
        const auto info = readJpegInfo(data, bytes.size());
        ASSERT_TRUE(info) << c.width << "x" << c.height;
        EXPECT_EQ(std::pair(info->width, info->height), (std::pair<int, int>(c.width, c.height)));
        EXPECT_EQ(checkJpegHeader(data, bytes.size()).has_value(), c.accepted) << c.width;
        EXPECT_FALSE(decodeJpeg(data, bytes.size())) << c.width;
        EXPECT_FALSE(decodeJpegScaled(data, bytes.size(), 64)) << c.width;
    }
}

// A progressive picture holds the coefficients of its whole size whatever the scale of
// the decode: a claim beyond the budget is refused before the decoder commits memory.
// A live picture larger than its camera's size is refused on its header as well.
TEST(JpegCodec, DecodesStayWithinTheBudgetAndTheCamerasSize) {
    const auto peakResidentKiB = [] {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const std::string small = test::progressiveJpeg(64, 48, 90);
    const auto* smallData = reinterpret_cast<const uint8_t*>(small.data());
    ASSERT_TRUE(decodeJpeg(smallData, small.size()));
    ASSERT_TRUE(decodeJpegScaled(smallData, small.size(), 32));

    const long before = peakResidentKiB();
    for (const uint16_t side : {uint16_t{4096}, uint16_t{kMaxJpegSide}}) {
        const std::string huge = test::claimingSize(small, side, side);
        const auto* data = reinterpret_cast<const uint8_t*>(huge.data());
        ASSERT_TRUE(checkJpegHeader(data, huge.size()));
        EXPECT_FALSE(decodeJpeg(data, huge.size())) << side;
        EXPECT_FALSE(decodeJpegScaled(data, huge.size(), 256)) << side;
    }
    EXPECT_LT(peakResidentKiB() - before, 64 * 1024) << "KiB more resident";

    const auto bytes = encodeJpeg(gradient(64, 48), 90);
    EXPECT_TRUE(decodeJpeg(bytes.data(), bytes.size(), nullptr, {64, 48}));
    EXPECT_FALSE(decodeJpeg(bytes.data(), bytes.size(), nullptr, {63, 48}));
    EXPECT_FALSE(decodeJpeg(bytes.data(), bytes.size(), nullptr, {64, 47}));

    // A baseline picture too large for the budget at full size is decoded smaller (3/4).
    const auto large = encodeJpeg(gradient(4000, 3000), 50);
    const auto scaled = decodeJpegScaled(large.data(), large.size(), 100000);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(std::pair(scaled->width, scaled->height), std::pair(3000, 2250));
}

// libjpeg fills what is missing with grey and only warns: such pictures are broken. Stray
// bytes before the end marker lose nothing.
TEST(JpegCodec, PicturesWhoseDataEndsEarlyAreBroken) {
    const auto encoded = encodeJpeg(gradient(256, 192), 90);
    const std::string whole(encoded.begin(), encoded.end());
    for (const bool withEnd : {false, true}) {
        const std::string cut = test::cutScan(whole, withEnd);
        const auto* data = reinterpret_cast<const uint8_t*>(cut.data());
        EXPECT_FALSE(decodeJpeg(data, cut.size())) << withEnd;
        EXPECT_FALSE(decodeJpegScaled(data, cut.size(), 64)) << withEnd;
        EXPECT_TRUE(decodeJpeg(encoded.data(), encoded.size())) << withEnd;
    }
    std::string stray = whole;
    stray.insert(stray.size() - 2, "\x12\x34\x56");
    EXPECT_TRUE(decodeJpeg(reinterpret_cast<const uint8_t*>(stray.data()), stray.size()));
}

// Sharp black and white edges: the fast transforms give pixels the accurate ones do not
// (0/255 checkerboards at the edges). Encoding and decoding match the accurate transform.
TEST(JpegCodec, FilesThatCannotHoldAPictureAreRefusedUnread) {
    test::TempDir dir;
    const std::string jpeg = test::flatJpeg(64, 48, 90);
    const auto picture = dir.path() / "picture.jpg";
    std::ofstream(picture, std::ios::binary) << jpeg;
    ASSERT_TRUE(decodeJpegFile(picture.string()));

    // The same picture followed by more bytes than any picture needs (a sparse tail).
    const auto huge = dir.path() / "huge.jpg";
    std::filesystem::copy_file(picture, huge);
    std::filesystem::resize_file(huge, kMaxJpegFileBytes + 1);
    EXPECT_FALSE(decodeJpegFile(huge.string()));

    // A pipe named like a picture, with nobody writing to it: refused, not waited on.
    const auto pipe = dir.path() / "pipe.jpg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(decodeJpegFile(pipe.string()));
}

TEST(JpegCodec, EncodesAndDecodesWithTheAccurateTransform) {
    Frame edges = Frame::allocate(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = edges.row(y) + 4 * x;
            p[0] = p[1] = p[2] = ((x / 3 + y / 5) % 2) ? 255 : 0;
            p[3] = 255;
        }
    const auto bytes = encodeJpeg(edges, 90);
    ASSERT_FALSE(bytes.empty());

    // TurboJPEG below quality 96 takes the fast transform unless told otherwise.
    tjhandle compressor = tjInitCompress();
    const auto compressed = [&](int flags) {
        unsigned char* out = nullptr;
        unsigned long outSize = 0;
        EXPECT_EQ(tjCompress2(compressor, edges.data.get(), 64, edges.stride, 64, TJPF_BGRA, &out,
                              &outSize, TJSAMP_420, 90, flags),
                  0);
        std::vector<uint8_t> result(out, out + outSize);
        tjFree(out);
        return result;
    };
    EXPECT_EQ(bytes, compressed(TJFLAG_ACCURATEDCT));
    EXPECT_NE(bytes, compressed(0));
    tjDestroy(compressor);

    const auto decoded = decodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded);
    std::vector<uint8_t> reference(64 * 64 * 4);
    tjhandle decompressor = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(decompressor, bytes.data(), bytes.size(), reference.data(), 64, 64 * 4,
                            64, TJPF_BGRA, 0),
              0);
    tjDestroy(decompressor);
    for (int y = 0; y < 64; ++y)
        ASSERT_TRUE(
            std::equal(decoded->row(y), decoded->row(y) + 64 * 4, reference.begin() + y * 64 * 4))
            << "row " << y;
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
