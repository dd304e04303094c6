#include "capture/recording/VideoWriter.h"

#include <pthread.h>
#include <unistd.h>

#include <ctime>
#include <new>

#include "capture/SnapshotWriter.h"
#include "capture/recording/Mp4Writer.h"
#include "image/AtomicFile.h"
#include "image/JpegCodec.h"
#include "image/Translate.h"

namespace lumetra {
namespace {

constexpr const char* kNothingRecorded =
    QT_TRANSLATE_NOOP("Recording", "No picture arrived from the camera, so nothing was recorded.");
constexpr const char* kNothingDecoded = QT_TRANSLATE_NOOP(
    "Recording",
    "The camera's pictures could not be decoded or converted, so nothing was recorded.");
constexpr const char* kOutOfMemory =
    QT_TRANSLATE_NOOP("Recording", "The recording stopped: out of memory.");

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

VideoWriter::VideoWriter(std::string path, EncoderSettings settings, Events events,
                         size_t queueCapacity)
    : path_(std::move(path)),
      settings_(std::move(settings)),
      events_(std::move(events)),
      capacity_(queueCapacity) {
    worker_ = std::thread([this] { run(); });
    pthread_setname_np(worker_.native_handle(), "recordingQueue");
}

VideoWriter::~VideoWriter() {
    finishWriting(0);
    worker_.join();
}

bool VideoWriter::readyForMoreMediaData() const {
    std::lock_guard lock(mutex_);
    return !finishing_ && !stopped_ && framesQueued_ < capacity_;
}

bool VideoWriter::append(Frame frame, int64_t pts) {
    {
        std::lock_guard lock(mutex_);
        if (finishing_ || stopped_ || framesQueued_ >= capacity_) return false;
        jobs_.push_back(Job{std::move(frame), pts, {}});
        ++framesQueued_;
    }
    wake_.notify_one();
    return true;
}

void VideoWriter::writeThumbnail(Frame frame, std::string path) {
    {
        std::lock_guard lock(mutex_);
        if (finishing_ || stopped_) return;
        jobs_.push_back(Job{std::move(frame), 0, std::move(path)});
    }
    wake_.notify_one();
}

void VideoWriter::finishWriting(int64_t endPts) {
    {
        std::lock_guard lock(mutex_);
        if (finishing_) return;
        finishing_ = true;
        endPts_ = endPts;
    }
    wake_.notify_one();
}

VideoWriter::Stats VideoWriter::stats() const {
    return Stats{framesEncoded_.load(), framesLeftOut_.load(), workerCpuSeconds_.load()};
}

void VideoWriter::noteCpuTime() { workerCpuSeconds_ = threadCpuSeconds(); }

void VideoWriter::runJob(Mp4Writer& writer, const Job& job, bool& ok, std::string& error) {
    // A frame reduced for the screen is recorded from its full picture, decoded here
    // off the main thread; one that does not decode is left out and counted, like one
    // that cannot be converted.
    const Frame frame = job.frame.full();
    if (job.thumbnailPath.empty()) {
        ok = writer.write(frame, job.pts, error);
        framesEncoded_ = writer.framesEncoded();
        framesLeftOut_ = writer.framesLeftOut();
        return;
    }
    const auto jpeg = encodeJpeg(frame, qualityFromCompressionFactor(kSnapshotCompressionFactor));
    std::string thumbnailError;
    if (frame.isNull() && !job.frame.isNull()) {
        thumbnailError = fillIn(translate("Recording",
                                          "Could not write {}: the picture could not "
                                          "be decoded at its full size."),
                                {job.thumbnailPath});
    } else if (jpeg.empty()) {
        thumbnailError =
            fillIn(translate("Recording", "Could not write {}: the picture cannot be encoded."),
                   {job.thumbnailPath});
    } else if (const auto written =
                   writeNewFileAtomically(job.thumbnailPath, jpeg.data(), jpeg.size());
               written) {
        thumbnailWritten_ = true;
    } else {
        thumbnailError = written.message();
    }
    if (events_.thumbnail) events_.thumbnail(job.thumbnailPath, thumbnailError);
}

void VideoWriter::run() {
    std::string error;
    auto writer = Mp4Writer::open(path_, settings_, error);
    bool ok = writer != nullptr;
    std::string thumbnailPath;
    while (ok) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return finishing_ || !jobs_.empty(); });
            if (jobs_.empty()) break;  // finishing, and everything is written
            job = std::move(jobs_.front());
            jobs_.pop_front();
            if (job.thumbnailPath.empty()) --framesQueued_;
        }
        if (!job.thumbnailPath.empty()) thumbnailPath = job.thumbnailPath;
        try {
            runJob(*writer, job, ok, error);
        } catch (const std::bad_alloc&) {
            ok = false;  // the recording ends with what is written, not the program
            error = translate("Recording", kOutOfMemory);
        }
        noteCpuTime();
    }
    {
        // Failed or finishing: frames still queued are dropped, none are taken any more.
        std::lock_guard lock(mutex_);
        stopped_ = true;
        jobs_.clear();
        framesQueued_ = 0;
    }
    if (ok) ok = writer->finish(endPts_, error);
    const bool empty = !writer || !writer->holdsPictures();
    writer.reset();  // closes the file: a failed one ends with its last complete fragment
    noteCpuTime();
    if (empty) {
        // The name was reserved for this recording alone; a movie without a picture
        // is no use, nor is its thumbnail.
        ::unlink(path_.c_str());
        if (thumbnailWritten_) ::unlink(thumbnailPath.c_str());
        if (ok)
            error = translate("Recording", framesLeftOut_ > 0 ? kNothingDecoded : kNothingRecorded);
        ok = false;
    }
    if (events_.finished) events_.finished(ok, error);
}

}  // namespace lumetra
