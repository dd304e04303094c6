#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "image/FullPicture.h"
#include "image/JpegCodec.h"

using namespace lumetra;

namespace {

Frame stripes(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = static_cast<uint8_t>((x / 8) % 2 ? 220 : 30);
            p[1] = static_cast<uint8_t>(y * 255 / h);
            p[2] = 90;
            p[3] = 255;
        }
    return f;
}

// A live picture decoded for a screen of `shown`; `finish` counts its calls and darkens
// the full picture's first pixel.
Frame reducedFrame(const std::vector<uint8_t>& jpeg, JpegInfo shown, std::atomic<int>& finishes) {
    return decodeLivePicture(jpeg.data(), jpeg.size(), nullptr, {640, 480}, shown,
                             [&finishes](Frame& f) {
                                 ++finishes;
                                 f.row(0)[0] = 0;
                             })
        .value_or(Frame{});
}

}  // namespace

TEST(FullPicture, AReducedFrameDecodesItsFullPictureOnceForEveryThread) {
    const auto jpeg = encodeJpeg(stripes(640, 480), 90);
    std::atomic<int> finishes{0};
    Frame frame = reducedFrame(jpeg, {300, 200}, finishes);
    ASSERT_EQ(frame.width, 320);
    frame.capturedAt = std::chrono::steady_clock::time_point(std::chrono::seconds(5));
    EXPECT_EQ(frame.fullWidth(), 640);
    EXPECT_EQ(frame.fullHeight(), 480);
    EXPECT_EQ(finishes.load(), 0);  // nothing decoded before it is needed

    Frame other;
    std::thread t([&] { other = frame.full(); });
    const Frame full = frame.full();
    t.join();
    EXPECT_EQ(finishes.load(), 1);
    ASSERT_EQ(full.width, 640);
    ASSERT_EQ(full.height, 480);
    EXPECT_EQ(full.data, other.data);
    EXPECT_EQ(full.capturedAt, frame.capturedAt);
    // The full decode's pixels, finished as the reduced ones were.
    const auto plain = decodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(plain);
    EXPECT_EQ(full.row(0)[0], 0);
    EXPECT_EQ(std::memcmp(full.row(100), plain->row(100), 640 * 4), 0);

    // A picture the screen needs at full size is its own full picture.
    const Frame whole = reducedFrame(jpeg, {321, 240}, finishes);
    EXPECT_FALSE(whole.fullPicture);
    EXPECT_EQ(whole.full().data, whole.data);
    EXPECT_EQ(whole.fullWidth(), 640);
}

TEST(FullPicture, AFullPictureThatDoesNotDecodeIsANullFrame) {
    auto jpeg = encodeJpeg(stripes(640, 480), 90);
    std::atomic<int> finishes{0};
    const Frame frame = reducedFrame(jpeg, {300, 200}, finishes);
    ASSERT_FALSE(frame.isNull());
    // The same picture claiming another size than the one the frame announced.
    const Frame wrongSize{
        frame.width,
        frame.height,
        frame.stride,
        frame.data,
        {},
        std::make_shared<FullPicture>(jpeg, JpegInfo{800, 600}, JpegInfo{800, 600}, nullptr)};
    EXPECT_TRUE(wrongSize.full().isNull());
    jpeg.resize(jpeg.size() / 2);  // ends early
    const Frame truncated{
        frame.width,
        frame.height,
        frame.stride,
        frame.data,
        {},
        std::make_shared<FullPicture>(jpeg, JpegInfo{640, 480}, JpegInfo{640, 480}, nullptr)};
    EXPECT_TRUE(truncated.full().isNull());
    EXPECT_EQ(finishes.load(), 0);
}
