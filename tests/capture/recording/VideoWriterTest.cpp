#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <optional>
#include <string>

#include "capture/recording/VideoWriter.h"
#include "image/FullPicture.h"
#include "image/JpegCodec.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

TEST(VideoWriterTest, OutOfMemoryOnTheWorkerEndsTheRecordingWithItsReason) {
    test::TempDir dir;
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<std::pair<bool, std::string>> outcome;
    VideoWriter::Events events;
    // Stands in for any allocation on the worker that fails.
    events.thumbnail = [](const std::string&, const std::string&) { throw std::bad_alloc(); };
    events.finished = [&](bool completed, const std::string& reason) {
        std::lock_guard lock(mutex);
        outcome.emplace(completed, reason);
        ended.notify_all();
    };
    VideoWriter writer((dir.path() / "movie.mp4").string(), {.width = 64, .height = 48}, events);
    Frame frame = Frame::allocate(64, 48);
    std::memset(frame.data.get(), 90, frame.byteCount());
    writer.writeThumbnail(frame, (dir.path() / "movie.jpg").string());
    std::unique_lock lock(mutex);
    ASSERT_TRUE(
        ended.wait_for(lock, std::chrono::seconds(60), [&] { return outcome.has_value(); }));
    EXPECT_FALSE(outcome->first);
    EXPECT_EQ(outcome->second, "The recording stopped: out of memory.");
}

TEST(VideoWriterTest, AFrameReducedForTheScreenIsWrittenFromItsFullPicture) {
    test::TempDir dir;
    std::mutex mutex;
    std::condition_variable written;
    std::optional<std::string> thumbnailError;
    VideoWriter::Events events;
    events.thumbnail = [&](const std::string&, const std::string& error) {
        std::lock_guard lock(mutex);
        thumbnailError = error;
        written.notify_all();
    };
    Frame picture = Frame::allocate(128, 96);
    std::memset(picture.data.get(), 90, picture.byteCount());
    const auto jpeg = encodeJpeg(picture, 90);
    const auto halved =
        decodeLivePicture(jpeg.data(), jpeg.size(), nullptr, {128, 96}, JpegInfo{64, 48});
    ASSERT_TRUE(halved && halved->width == 64);
    VideoWriter writer((dir.path() / "movie.mp4").string(), {.width = 128, .height = 96}, events);
    const std::string thumbnail = (dir.path() / "movie.jpg").string();
    writer.writeThumbnail(*halved, thumbnail);
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(written.wait_for(lock, std::chrono::seconds(60),
                                     [&] { return thumbnailError.has_value(); }));
        EXPECT_EQ(*thumbnailError, "");
    }
    const auto read = decodeJpegFile(thumbnail);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::pair(read->width, read->height), std::pair(128, 96));
}

}  // namespace
}  // namespace lumetra
