#pragma once
// The WiFi camera's picture stream: opens the MJPEG stream on the camera's stream
// port, cuts the pictures out of its parts, decodes them on the serial worker and
// hands them to the main thread; follows the camera's shutter button through the
// parts' "photo_cnt" header.
//
// Threads: startVideoView, stopVideoView, setListener and destruction belong to the
// main thread. The stream is read on a thread of its own (StreamClient), which also
// gathers the parts' bytes in the buffer; each picture cut out is decoded on one
// serial worker, entered synchronously from the stream thread, so a slow decoder
// holds the network back instead of queueing pictures.
// Results reach the main thread only through the post function given at
// construction; the background side never waits for the main thread. Pictures cross
// through a one-picture hand-over: when the main thread is late, a newer picture
// replaces the one waiting, so memory stays bounded. Snapshot requests cross the same
// way: a shutter press while one request still waits merges into it.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "camera/CameraHost.h"
#include "camera/FrameHandOver.h"
#include "camera/HandOverSlot.h"
#include "camera/MultipartParser.h"
#include "camera/SerialQueue.h"
#include "camera/SnapCounter.h"
#include "camera/StreamBuffer.h"
#include "image/Frame.h"
#include "image/FramePool.h"
#include "image/FullPicture.h"
#include "image/JpegCodec.h"
#include "image/PostToMain.h"

namespace lumetra {

class StreamClient;

// Implemented by the window; called on the main thread. Pictures arrive through
// frameReady (FrameListener).
class StreamReceiverListener : public FrameListener {
public:
    // The camera's photo counter grew to photoCount: take a snapshot at the source size.
    virtual void snapshotRequested(int64_t photoCount) = 0;
    // The current stream ended by itself (the camera closed it, the connection failed
    // or was refused); pictures come again only after the next start. Never reported
    // for a stream that was stopped.
    virtual void streamEnded() = 0;
};

struct StreamStats {
    uint64_t partsStarted = 0;
    uint64_t picturesDecoded = 0;
    uint64_t decodeFailures = 0;      // pictures cut out that did not decode, ended early or were
                                      // larger than the camera's size (not shown)
    uint64_t partsDropped = 0;        // parts that outgrew the buffer limit
    uint64_t partsCutShort = 0;       // picture parts that ended without an end marker
    uint64_t snapshotsRequested = 0;  // rises of the photo counter
    uint64_t snapshotsMerged = 0;     // rises that joined a request still waiting
    uint64_t eventFailures = 0;       // stream events that failed (and were skipped)
    uint64_t bytesReceived = 0;
    uint64_t picturesReplaced = 0;  // decoded pictures a newer one replaced before the
                                    // main thread took them
    size_t peakBufferCapacity = 0;
};

class StreamReceiver {
public:
    struct Options {
        size_t partLimit = StreamBuffer::kDefaultPartLimit;
    };

    // counter is the shared iSnapNumber; it must outlive the receiver.
    StreamReceiver(CameraHost host, PostToMain postToMain, SnapCounter& counter, Options options);
    StreamReceiver(CameraHost host, PostToMain postToMain, SnapCounter& counter)
        : StreamReceiver(std::move(host), std::move(postToMain), counter, Options{}) {}
    ~StreamReceiver();
    StreamReceiver(const StreamReceiver&) = delete;
    StreamReceiver& operator=(const StreamReceiver&) = delete;

    void setListener(StreamReceiverListener* listener);
    void setHost(CameraHost host) { host_ = std::move(host); }
    // The largest picture the camera may send (see liveFrameLimit); a larger one is
    // counted as a decode failure before memory is committed to it. Until set, the
    // header check's limit. Safe while streaming.
    void setPictureLimit(JpegInfo limit) { pictureLimit_ = limit; }
    // The device pixels the screen shows the picture at (0 x 0, the default: full size);
    // pictures are decoded reduced to it where that pays (decodeLivePicture). Safe while
    // streaming.
    void setShownSize(JpegInfo shown) { shown_ = shown; }
    const CameraHost& host() const { return host_; }

    // Stops any running stream, then opens a new one.
    void startVideoView();
    // Closes the stream and empties the buffer. Pictures of the closed stream that are
    // still on their way to the main thread are dropped.
    void stopVideoView();

    // True between startVideoView and stopVideoView, also after the stream died by itself.
    bool streaming() const { return client_ != nullptr; }
    // True when the stream was opened and has ended by itself (closed, failed, refused).
    bool streamEnded() const;

    StreamStats stats() const;

private:
    class Session;
    // What the main thread's snapshot and end notices reach through a weak reference.
    // The newest snapshot request waits in a one-value slot; a notice is posted only
    // when the slot was empty, so a busy main thread never makes snapshots pile up.
    struct MainSide {
        std::atomic<uint64_t> generation{0};  // of the current stream
        std::atomic<StreamReceiverListener*> listener{nullptr};
        HandOverSlot<int64_t> snapshot;  // the photo count to take a snapshot for
        void deliverSnapshot();
        void deliverEnd(uint64_t streamGeneration);
    };
    struct Counters {
        std::atomic<uint64_t> partsStarted{0}, picturesDecoded{0}, decodeFailures{0},
            snapshotsRequested{0}, snapshotsMerged{0}, bytesReceived{0}, partsDropped{0},
            partsCutShort{0}, picturesReplaced{0};
        std::atomic<size_t> peakBufferCapacity{0};
    };

    void partStarted(const PartHeaders& headers, const std::string& mediaType);
    void chunkArrived(const uint8_t* data, size_t size);
    void decodeAndHandOver(std::span<const uint8_t> picture,
                           std::chrono::steady_clock::time_point arrivedAt);

    CameraHost host_;
    std::atomic<JpegInfo> pictureLimit_{JpegInfo{kMaxJpegSide, kMaxJpegSide}};
    std::atomic<JpegInfo> shown_{JpegInfo{}};
    PostToMain post_;
    SnapCounter& counter_;
    std::shared_ptr<MainSide> mainSide_;
    FrameHandOver pictures_;  // the newest decoded picture
    Counters counters_;

    SerialQueue serilQueue_;
    // Used on the stream thread, and by the main thread only while no stream runs; the
    // serial worker reads it while the stream thread waits for a decode.
    StreamBuffer buffer_;
    FramePool framePool_;  // used on serilQueue_ only: decoded pictures reuse released buffers

    std::unique_ptr<Session> session_;
    std::unique_ptr<StreamClient> client_;
};

}  // namespace lumetra
