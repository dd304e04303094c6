#pragma once
// The recorder: the record button's start and stop, the per-frame state machine
// that writes every second camera frame (idle -> starting -> recording ->
// stopping -> idle), the first frame after the start as the thumbnail and the
// movie's first picture, and the elapsed-time text. Each written frame is stamped
// with its capture time counted from that first frame's, so a movie lasts as
// long as its recording at any camera rate. Encoding runs on the writer's worker;
// the recorder only hands frames over, so a frame costs the caller next to nothing.
//
// Threads: all operations belong to the main thread. Outcomes reach the listener
// there through the post function given at construction.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/StampedName.h"
#include "capture/recording/VideoWriter.h"
#include "image/Frame.h"
#include "image/PostToMain.h"
#include "image/Translate.h"

namespace lumetra {

// Implemented by the window; called on the main thread.
class RecorderListener {
public:
    virtual ~RecorderListener() = default;
    // A recording began at path (the movie; its thumbnail will be path + ".jpg").
    virtual void started(const std::string& path) = 0;
    // The thumbnail of the recording is on disk: add it to the video list.
    virtual void thumbnailWritten(const std::string& path) = 0;
    // The thumbnail at path could not be written (reason says why); the movie
    // goes on without one.
    virtual void thumbnailFailed(const std::string& path, const std::string& reason) = 0;
    // The movie at path is complete; framesLeftOut frames handed to it could not be
    // decoded or converted and are missing (the picture before each shows longer).
    virtual void finished(const std::string& path, uint64_t framesLeftOut) = 0;
    // A recording could not start or stopped early (folder not writable, disk
    // full, ...): reason is a sentence for the user. When the recorder is idle
    // afterwards, the window's record controls go back to their idle look.
    virtual void failed(const std::string& reason) = 0;
};

// iRecordSignal's values.
enum class RecordState : uint8_t { Idle = 0, Starting = 1, Recording = 2, Stopping = 3 };

// What a press of the record button did, for the button image, sound and timer.
enum class RecordPress {
    Ignored,  // no camera
    Refused,  // the camera delivers no picture: kRecordRefused says so
    Started,  // image "movies_s", start sound, start the one-second timer
    Stopped,  // image "movies", stop sound, stop the timer, clear the label
    Failed,   // nothing started; failed() follows with the reason
};

inline constexpr const char* kRecordRefused = QT_TRANSLATE_NOOP(
    "Recording", "The camera delivers no picture, so there is nothing to record.");

// Where and at which size a recording is made: the current video folder (ending
// with '/') and the camera's frame size at the press.
struct RecordingTarget {
    std::string videoFolder;
    int width = 0;
    int height = 0;
};

struct RecordingStats {
    uint64_t slotsWritten = 0;  // frames handed to the writer
    uint64_t slotsSkipped = 0;  // time slots left empty: the writer was not ready
    uint64_t framesEncoded = 0;
    uint64_t framesLeftOut = 0;  // handed over, but not decoded or converted
    double workerCpuSeconds = 0.0;
};

class Recorder {
public:
    struct Options {
        std::function<std::string()> timestamp = currentTimestampName;
        size_t queueCapacity = VideoWriter::kDefaultQueueCapacity;
    };

    Recorder(PostToMain postToMain, Options options);
    explicit Recorder(PostToMain postToMain) : Recorder(std::move(postToMain), Options{}) {}
    // Finishes any recording and waits until its file is complete.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void setListener(RecorderListener* listener) { listener_ = listener; }

    // The record button; does nothing while no camera is active and refuses to
    // start while the camera delivers no frames. A press while starting abandons
    // the recording; a press while stopping finishes it without waiting for a frame.
    RecordPress onTakeVideoAction(bool cameraActive, const RecordingTarget& target);
    // Every decoded camera frame, drawn or not. A frame without a capture time is
    // taken as captured now.
    void recordingVideo(const Frame& frame);
    // The one-second timer's tick; returns the elapsed time as "%02d:%02d:%02d".
    std::string updateTimer();
    // The camera was stopped or changed, or its stream ended, or frames stayed
    // away while stopping: a running recording is finished now instead of waiting
    // for a frame. True when one was. Until the next frame, starting is refused.
    bool framesStopped();
    // The window closes: finishes any recording and waits until its file is complete.
    void close();

    RecordState state() const { return iRecordSignal_; }
    // A frame came since the camera last stopped: a press can start a recording.
    bool delivering() const { return delivering_; }
    const std::string& videoFileName() const { return videoFileName_; }
    // The running recording's figures, or the last one's once it has ended.
    RecordingStats stats() const;

private:
    struct Link;

    void initRecord(const RecordingTarget& target);
    // Finishes a recording under way without waiting for a frame; true when one was.
    bool finishNow();
    void completeRecord(int64_t endPts);
    int64_t ptsOf(const Frame& frame) const;
    void write(const Frame& frame, int64_t pts);
    void resetClock();
    void writerThumbnail(const std::string& path, const std::string& error);
    void writerFinished(uint64_t id, const std::string& path, bool completed,
                        const std::string& reason);
    void report(std::function<void(RecorderListener&)> call);

    PostToMain post_;
    Options options_;
    std::shared_ptr<Link> link_;
    RecorderListener* listener_ = nullptr;

    RecordState iRecordSignal_ = RecordState::Idle;
    std::string videoFileName_;
    bool delivering_ = false;  // a frame came since the camera last stopped
    uint8_t cFrameSecond_ = 0;
    std::chrono::steady_clock::time_point origin_;  // capture time of the first frame
    int64_t lastPts_ = -1;                          // the last written frame's
    int64_t lastGap_ = 0;                           // between the last two written
    uint8_t recordtimehour_ = 0;
    uint8_t recordtimemiuted_ = 0;
    uint8_t recordtimesecond_ = 0;

    struct Writer {
        uint64_t id = 0;
        std::unique_ptr<VideoWriter> writer;
    };
    Writer assetWriter_;             // the running recording's
    std::vector<Writer> finishing_;  // finishing in the background
    uint64_t nextWriterId_ = 1;
    RecordingStats stats_;
};

}  // namespace lumetra
