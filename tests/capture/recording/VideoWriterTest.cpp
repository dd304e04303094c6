#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <optional>
#include <string>

#include "capture/recording/VideoWriter.h"
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

}  // namespace
}  // namespace lumetra
