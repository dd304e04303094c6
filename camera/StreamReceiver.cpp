#include "camera/StreamReceiver.h"

#include <algorithm>
#include <utility>

#include "camera/StreamClient.h"
#include "image/JpegCodec.h"

namespace lumetra {

// Forwards one stream's parser events to the receiver.
class StreamReceiver::Session : public MultipartParser::Listener {
public:
    explicit Session(StreamReceiver& receiver) : receiver_(receiver) {}

    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        receiver_.partStarted(headers, mediaType);
    }
    void partData(const uint8_t* data, size_t size) override { receiver_.chunkArrived(data, size); }

private:
    StreamReceiver& receiver_;
};

StreamReceiver::StreamReceiver(CameraHost host, PostToMain postToMain, SnapCounter& counter,
                               Options options)
    : host_(std::move(host)),
      post_(std::move(postToMain)),
      counter_(counter),
      mainSide_(std::make_shared<MainSide>()),
      pictures_(post_),
      serilQueue_("orbvaneserilQueue"),
      buffer_(options.partLimit) {}

StreamReceiver::~StreamReceiver() {
    stopVideoView();
    // Hand-overs still queued on the main thread find the receiver gone and do nothing.
    mainSide_.reset();
}

void StreamReceiver::setListener(StreamReceiverListener* listener) {
    mainSide_->listener = listener;
    pictures_.setListener(listener);
}

void StreamReceiver::startVideoView() {
    stopVideoView();
    buffer_.reset();
    const uint64_t generation = mainSide_->generation.load();
    session_ = std::make_unique<Session>(*this);
    // The end of a stream is posted behind its last picture.
    client_ = std::make_unique<StreamClient>(
        host_.streamUrl("/"), *session_,
        [this, side = std::weak_ptr<MainSide>(mainSide_), generation] {
            post_([side, generation] {
                if (const auto alive = side.lock()) alive->deliverEnd(generation);
            });
        });
}

void StreamReceiver::stopVideoView() {
    client_.reset();  // cancels and waits: no event of the old stream arrives after this
    session_.reset();
    ++mainSide_->generation;
    buffer_.reset();
    pictures_.invalidate();
}

bool StreamReceiver::streamEnded() const { return client_ && client_->ended(); }

StreamStats StreamReceiver::stats() const {
    StreamStats s;
    s.partsStarted = counters_.partsStarted;
    s.picturesDecoded = counters_.picturesDecoded;
    s.decodeFailures = counters_.decodeFailures;
    s.partsDropped = counters_.partsDropped;
    s.partsCutShort = counters_.partsCutShort;
    s.snapshotsRequested = counters_.snapshotsRequested;
    s.snapshotsMerged = counters_.snapshotsMerged;
    s.eventFailures = client_ ? client_->failedEvents() : 0;
    s.bytesReceived = counters_.bytesReceived;
    s.picturesReplaced = counters_.picturesReplaced;
    s.peakBufferCapacity = counters_.peakBufferCapacity;
    return s;
}

// On the stream thread, at the start of each part.
void StreamReceiver::partStarted(const PartHeaders& headers, const std::string& mediaType) {
    ++counters_.partsStarted;
    if (const auto field = headers.value("photo_cnt")) {
        const auto count = parsePhotoCount(*field);
        if (count && counter_.advance(*count)) {
            ++counters_.snapshotsRequested;
            const auto newest = [this](int64_t waiting, int64_t value) {
                ++counters_.snapshotsMerged;
                return std::max(waiting, value);
            };
            if (mainSide_->snapshot.put(*count, newest)) {
                post_([side = std::weak_ptr<MainSide>(mainSide_)] {
                    if (const auto alive = side.lock()) alive->deliverSnapshot();
                });
            }
        }
    }
    buffer_.partStarted(mediaType);
    counters_.partsCutShort = buffer_.unfinishedParts();
}

// On the stream thread, for each chunk of body bytes; returns when the chunk is handled.
// The chunk joins the buffer here; only a picture it completes enters the serial worker,
// so a picture costs one hand-over to the worker however many chunks brought it.
void StreamReceiver::chunkArrived(const uint8_t* data, size_t size) {
    const auto arrivedAt = std::chrono::steady_clock::now();
    counters_.bytesReceived += size;
    const auto picture = buffer_.append(data, size);
    counters_.partsDropped = buffer_.droppedParts();
    counters_.partsCutShort = buffer_.unfinishedParts();
    if (buffer_.capacity() > counters_.peakBufferCapacity)
        counters_.peakBufferCapacity = buffer_.capacity();
    if (picture) serilQueue_.sync([&] { decodeAndHandOver(*picture, arrivedAt); });
}

// On the serial worker, while the stream thread waits.
void StreamReceiver::decodeAndHandOver(std::span<const uint8_t> picture,
                                       std::chrono::steady_clock::time_point arrivedAt) {
    auto frame = decodeLivePicture(picture.data(), picture.size(), &framePool_,
                                   pictureLimit_.load(), shown_.load());
    if (!frame) {
        // Not shown and not recorded: the view keeps its last picture.
        ++counters_.decodeFailures;
        return;
    }
    ++counters_.picturesDecoded;
    frame->capturedAt = arrivedAt;
    FrameMarks marks;
    marks.decoded = true;
    marks.changed = buffer_.takePicture();
    marks.partBytes = buffer_.iDataTotalLength();
    marks.lastByteAt = arrivedAt;

    // A picture the main thread has not taken yet is replaced by this newer one.
    if (pictures_.offer(std::move(*frame), marks)) ++counters_.picturesReplaced;
}

// On the main thread.
void StreamReceiver::MainSide::deliverSnapshot() {
    const auto taken = snapshot.take();
    if (!taken) return;
    if (auto* l = listener.load()) l->snapshotRequested(*taken);
}

// On the main thread: only the end of the stream still current is reported.
void StreamReceiver::MainSide::deliverEnd(uint64_t streamGeneration) {
    if (streamGeneration != generation.load()) return;
    if (auto* l = listener.load()) l->streamEnded();
}

}  // namespace lumetra
