#pragma once
// One recording's writer: the caller hands frames over and returns at once; a
// worker thread of the writer's own converts, encodes and writes them into the
// MP4 file (and the thumbnail JPEG beside it). Frames wait in a short bounded
// queue: "ready for more data" means the queue has room, and a caller that finds
// it full skips the frame instead of waiting. The finish is asynchronous; its
// outcome, like the thumbnail's, is reported on the worker thread.
//
// Threads: everything but the events belongs to one caller thread (the main
// thread); the events run on the worker and must not call back into the writer.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "capture/recording/H264Encoder.h"
#include "image/Frame.h"

namespace lumetra {

class VideoWriter {
public:
    struct Events {
        // The thumbnail at path is on disk (error empty), or could not be
        // written (error says why, for the user).
        std::function<void(const std::string& path, const std::string& error)> thumbnail;
        // The writer has stopped: completed, or failed with a reason for the user.
        std::function<void(bool completed, const std::string& reason)> finished;
    };

    struct Stats {
        uint64_t framesEncoded = 0;     // frames handed to the encoder
        uint64_t framesLeftOut = 0;     // frames that could not be decoded or converted
        double workerCpuSeconds = 0.0;  // CPU time of the worker thread so far
    };

    static constexpr size_t kDefaultQueueCapacity = 4;

    // Starts the worker, which creates the file at path (a name reserved for this
    // recording: the writer removes it, and the thumbnail it wrote, again when no
    // picture reached the file).
    VideoWriter(std::string path, EncoderSettings settings, Events events,
                size_t queueCapacity = kDefaultQueueCapacity);
    // Finishes the file if that was not asked for yet and waits for the worker.
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    const std::string& path() const { return path_; }

    // True while the writer takes frames and its queue has room.
    bool readyForMoreMediaData() const;
    // Queues a frame stamped pts (1/kMovieTicksPerSecond seconds, later than the
    // frame before); false (frame not taken) when the writer is not ready.
    bool append(Frame frame, int64_t pts);
    // Queues the recording's thumbnail: JPEG at quality 90, written as a new file
    // at path (never replacing one), ahead of the frames queued after it.
    void writeThumbnail(Frame frame, std::string path);
    // Writes what is queued, then the end of the file, the last frame showing
    // until endPts, and reports the outcome.
    void finishWriting(int64_t endPts);

    Stats stats() const;

private:
    struct Job {
        Frame frame;
        int64_t pts = 0;
        std::string thumbnailPath;  // set for the thumbnail
    };

    void run();
    void runJob(class Mp4Writer& writer, const Job& job, bool& ok, std::string& error);
    void noteCpuTime();

    const std::string path_;
    const EncoderSettings settings_;
    const Events events_;
    const size_t capacity_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    size_t framesQueued_ = 0;
    bool finishing_ = false;
    int64_t endPts_ = 0;
    bool stopped_ = false;           // the worker takes nothing more (failed or finished)
    bool thumbnailWritten_ = false;  // the worker's own

    std::atomic<uint64_t> framesEncoded_{0};
    std::atomic<uint64_t> framesLeftOut_{0};
    std::atomic<double> workerCpuSeconds_{0.0};
    std::thread worker_;
};

}  // namespace lumetra
