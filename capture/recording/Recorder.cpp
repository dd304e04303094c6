#include "capture/recording/Recorder.h"

#include <algorithm>
#include <cstdio>

#include "capture/recording/RecordingName.h"

namespace lumetra {

// What the writers' events reach through a weak reference: a recorder that is
// gone takes the calls still on their way to the main thread with it.
struct Recorder::Link {
    Recorder* owner = nullptr;
};

Recorder::Recorder(PostToMain postToMain, Options options)
    : post_(std::move(postToMain)), options_(std::move(options)), link_(std::make_shared<Link>()) {
    link_->owner = this;
}

Recorder::~Recorder() {
    close();
    link_.reset();
}

void Recorder::report(std::function<void(RecorderListener&)> call) {
    post_([link = std::weak_ptr<Link>(link_), call = std::move(call)] {
        const auto alive = link.lock();
        if (alive && alive->owner->listener_) call(*alive->owner->listener_);
    });
}

RecordPress Recorder::onTakeVideoAction(bool cameraActive, const RecordingTarget& target) {
    if (!cameraActive) return RecordPress::Ignored;
    switch (iRecordSignal_) {
        case RecordState::Recording:
            iRecordSignal_ = RecordState::Stopping;
            resetClock();
            return RecordPress::Stopped;
        case RecordState::Idle: {
            if (!delivering_) return RecordPress::Refused;
            std::string error;
            const auto path = reserveRecordingPath(target.videoFolder, options_.timestamp(), error);
            if (!path) {
                report([error](RecorderListener& l) { l.failed(error); });
                return RecordPress::Failed;
            }
            videoFileName_ = *path;
            initRecord(target);
            iRecordSignal_ = RecordState::Starting;
            resetClock();
            report([path = *path](RecorderListener& l) { l.started(path); });
            return RecordPress::Started;
        }
        case RecordState::Starting:
            // No frame came yet: the recording is abandoned (its writer removes the file).
            iRecordSignal_ = RecordState::Idle;
            resetClock();
            completeRecord(0);
            return RecordPress::Stopped;
        case RecordState::Stopping:
            finishNow();
            return RecordPress::Ignored;  // the stop was told at the first press
    }
    return RecordPress::Ignored;
}

void Recorder::initRecord(const RecordingTarget& target) {
    cFrameSecond_ = 0;
    lastPts_ = -1;
    lastGap_ = 0;
    stats_ = {};

    const uint64_t id = nextWriterId_++;
    const std::string path = videoFileName_;
    VideoWriter::Events events;
    events.thumbnail = [post = post_, link = std::weak_ptr<Link>(link_)](
                           const std::string& thumbnail, const std::string& error) {
        post([link, thumbnail, error] {
            if (const auto alive = link.lock()) alive->owner->writerThumbnail(thumbnail, error);
        });
    };
    events.finished = [post = post_, link = std::weak_ptr<Link>(link_), id, path](
                          bool completed, const std::string& reason) {
        post([link, id, path, completed, reason] {
            if (const auto alive = link.lock())
                alive->owner->writerFinished(id, path, completed, reason);
        });
    };
    EncoderSettings settings;
    settings.width = target.width;
    settings.height = target.height;
    assetWriter_ = Writer{id, std::make_unique<VideoWriter>(path, settings, std::move(events),
                                                            options_.queueCapacity)};
}

int64_t Recorder::ptsOf(const Frame& frame) const {
    using Ticks = std::chrono::duration<int64_t, std::ratio<1, kMovieTicksPerSecond>>;
    const auto captured = frame.capturedAt == std::chrono::steady_clock::time_point{}
                              ? std::chrono::steady_clock::now()
                              : frame.capturedAt;
    const int64_t pts = std::chrono::duration_cast<Ticks>(captured - origin_).count();
    // Strictly increasing, also for frames that came with the same or an older time.
    return std::max(pts, lastPts_ + 1);
}

void Recorder::write(const Frame& frame, int64_t pts) {
    if (assetWriter_.writer && assetWriter_.writer->append(frame, pts)) {
        ++stats_.slotsWritten;
        if (lastPts_ >= 0) lastGap_ = pts - lastPts_;
        lastPts_ = pts;
    } else {
        ++stats_.slotsSkipped;
    }
}

void Recorder::recordingVideo(const Frame& frame) {
    delivering_ = true;
    switch (iRecordSignal_) {
        case RecordState::Stopping:
            iRecordSignal_ = RecordState::Idle;
            // The movie ends when this frame was captured.
            completeRecord(ptsOf(frame));
            break;
        case RecordState::Recording:
            // Every other frame is dropped before any work is done.
            if (++cFrameSecond_ % 2 == 1) return;
            cFrameSecond_ = 0;
            write(frame, ptsOf(frame));
            break;
        case RecordState::Starting:
            iRecordSignal_ = RecordState::Recording;
            origin_ = frame.capturedAt == std::chrono::steady_clock::time_point{}
                          ? std::chrono::steady_clock::now()
                          : frame.capturedAt;
            if (assetWriter_.writer)
                assetWriter_.writer->writeThumbnail(frame, thumbnailPathOf(videoFileName_));
            write(frame, 0);
            break;
        case RecordState::Idle:
            break;
    }
}

void Recorder::completeRecord(int64_t endPts) {
    if (assetWriter_.writer) {
        assetWriter_.writer->finishWriting(endPts);
        finishing_.push_back(std::move(assetWriter_));
        assetWriter_ = {};
    }
}

bool Recorder::framesStopped() {
    delivering_ = false;
    return finishNow();
}

bool Recorder::finishNow() {
    if (iRecordSignal_ == RecordState::Idle) return false;
    iRecordSignal_ = RecordState::Idle;
    resetClock();
    // The last frame shows as long as the one before it did.
    completeRecord(lastPts_ + (lastGap_ > 0 ? lastGap_ : kMovieTicksPerSecond / 10));
    return true;
}

void Recorder::close() {
    framesStopped();
    finishing_.clear();  // each writer finishes its file before it goes
}

void Recorder::resetClock() {
    recordtimehour_ = 0;
    recordtimemiuted_ = 0;
    recordtimesecond_ = 0;
}

std::string Recorder::updateTimer() {
    if (++recordtimesecond_ == 60) {
        recordtimesecond_ = 0;
        if (++recordtimemiuted_ == 60) {
            recordtimemiuted_ = 0;
            ++recordtimehour_;
        }
    }
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", recordtimehour_, recordtimemiuted_,
                  recordtimesecond_);
    return text;
}

RecordingStats Recorder::stats() const {
    RecordingStats s = stats_;
    const uint64_t latest = nextWriterId_ - 1;
    const VideoWriter* live = assetWriter_.id == latest ? assetWriter_.writer.get() : nullptr;
    for (const auto& w : finishing_)
        if (w.id == latest) live = w.writer.get();
    if (live) {
        const auto ws = live->stats();
        s.framesEncoded = ws.framesEncoded;
        s.framesLeftOut = ws.framesLeftOut;
        s.workerCpuSeconds = ws.workerCpuSeconds;
    }
    return s;
}

void Recorder::writerThumbnail(const std::string& path, const std::string& error) {
    if (!listener_) return;
    if (error.empty())
        listener_->thumbnailWritten(path);
    else
        listener_->thumbnailFailed(path, error);
}

void Recorder::writerFinished(uint64_t id, const std::string& path, bool completed,
                              const std::string& reason) {
    if (assetWriter_.id == id && assetWriter_.writer) {
        // The running recording failed (disk full, encoder refused): it is over.
        iRecordSignal_ = RecordState::Idle;
        resetClock();
        completeRecord(0);
    }
    const auto it = std::find_if(finishing_.begin(), finishing_.end(),
                                 [id](const Writer& w) { return w.id == id; });
    uint64_t leftOut = 0;
    if (it != finishing_.end()) {
        const auto ws = it->writer->stats();
        leftOut = ws.framesLeftOut;
        if (id == nextWriterId_ - 1) {
            stats_.framesEncoded = ws.framesEncoded;
            stats_.framesLeftOut = ws.framesLeftOut;
            stats_.workerCpuSeconds = ws.workerCpuSeconds;
        }
        finishing_.erase(it);  // its worker has ended: joining it is immediate
    }
    if (!listener_) return;
    if (completed)
        listener_->finished(path, leftOut);
    else
        listener_->failed(reason);
}

}  // namespace lumetra
