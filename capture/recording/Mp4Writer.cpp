#include "capture/recording/Mp4Writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include <unistd.h>

#include <algorithm>

#include "image/Translate.h"

namespace lumetra {
namespace {

// A fragment at every key frame and at least one a second (microseconds).
constexpr const char* kFragmentFlags = "+frag_keyframe+delay_moov+default_base_moof";
constexpr const char* kFragmentDuration = "1000000";

}  // namespace

std::unique_ptr<Mp4Writer> Mp4Writer::open(const std::string& path, const EncoderSettings& settings,
                                           std::string& error) {
    std::unique_ptr<Mp4Writer> writer(new Mp4Writer);
    writer->path_ = path;
    writer->held_ = av_packet_alloc();
    if (!writer->held_) {
        error = translate("Recording", "Out of memory for the MP4 writer.");
        return nullptr;
    }
    if (avformat_alloc_output_context2(&writer->format_, nullptr, "mp4", nullptr) < 0 ||
        !writer->format_) {
        error = translate("Recording", "The MP4 writer is not available.");
        return nullptr;
    }
    AVFormatContext* f = writer->format_;
    EncoderSettings withHeader = settings;
    withHeader.globalHeader = (f->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    writer->encoder_ = H264Encoder::open(withHeader, error);
    if (!writer->encoder_) return nullptr;

    writer->stream_ = avformat_new_stream(f, nullptr);
    if (!writer->stream_) {
        error = translate("Recording", "Out of memory for the MP4 writer.");
        return nullptr;
    }
    const AVCodecContext* codec = writer->encoder_->context();
    writer->stream_->time_base = codec->time_base;
    if (avcodec_parameters_from_context(writer->stream_->codecpar, codec) < 0) {
        error = translate("Recording", "Out of memory for the MP4 writer.");
        return nullptr;
    }
    if (const int rc = avio_open(&f->pb, path.c_str(), AVIO_FLAG_WRITE); rc < 0) {
        writer->fail(rc, error);
        return nullptr;
    }

    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", kFragmentFlags, 0);
    av_dict_set(&options, "frag_duration", kFragmentDuration, 0);
    // Every fragment goes to the file at once instead of waiting in the I/O buffer.
    av_dict_set(&options, "flush_packets", "1", 0);
    const int rc = avformat_write_header(f, &options);
    av_dict_free(&options);
    if (rc < 0) {
        writer->fail(rc, error);
        return nullptr;
    }
    writer->headerBytes_ = writer->wholeFragments_ = avio_tell(f->pb);
    writer->accepting_ = true;
    return writer;
}

Mp4Writer::~Mp4Writer() {
    av_packet_free(&held_);
    if (format_) {
        if (format_->pb) avio_closep(&format_->pb);
        avformat_free_context(format_);
    }
    // A fragment cut off by a failed write is dropped, so the file ends cleanly.
    if (cutShort_) ::truncate(path_.c_str(), wholeFragments_);
}

bool Mp4Writer::fail(int code, std::string& error) {
    error = fillIn(accepting_ ? translate("Recording", "The recording stopped: cannot write {}: {}")
                              : translate("Recording", "Cannot create {}: {}"),
                   {path_, ffmpegErrorText(code)});
    cutShort_ = accepting_;
    accepting_ = false;
    return false;
}

int Mp4Writer::writePacket(AVPacket* packet) {
    if (held_->data) {
        if (const int rc = writeHeld(packet->dts - held_->dts); rc < 0) return rc;
    }
    return av_packet_ref(held_, packet);
}

int Mp4Writer::writeHeld(int64_t duration) {
    held_->duration = std::max<int64_t>(duration, 1);
    av_packet_rescale_ts(held_, encoder_->context()->time_base, stream_->time_base);
    held_->stream_index = stream_->index;
    const int rc = av_write_frame(format_, held_);
    av_packet_unref(held_);
    // Written packets are flushed at once, so everything told so far is on disk.
    if (rc >= 0) {
        pictureMuxed_ = true;
        wholeFragments_ = avio_tell(format_->pb);
    }
    return rc;
}

bool Mp4Writer::write(const Frame& frame, int64_t pts, std::string& error) {
    if (!accepting_) {
        error = fillIn(translate("Recording", "Cannot write {}: the file is closed."), {path_});
        return false;
    }
    int code = 0;
    const auto result = encoder_->encode(
        frame, pts, [this](AVPacket* p) { return writePacket(p); }, &code);
    if (result == H264Encoder::Result::Failed) return fail(code, error);
    if (result == H264Encoder::Result::Encoded) ++framesEncoded_;
    if (result == H264Encoder::Result::NotConverted) ++framesLeftOut_;
    return true;
}

bool Mp4Writer::finish(int64_t endPts, std::string& error) {
    if (!accepting_) {
        error = fillIn(translate("Recording", "Cannot write {}: the file is closed."), {path_});
        return false;
    }
    if (const int rc = encoder_->flush([this](AVPacket* p) { return writePacket(p); }); rc < 0)
        return fail(rc, error);
    if (held_->data) {
        if (const int rc = writeHeld(endPts - held_->pts); rc < 0) return fail(rc, error);
    }
    if (const int rc = av_write_trailer(format_); rc < 0) return fail(rc, error);
    wholeFragments_ = avio_tell(format_->pb);
    if (const int rc = avio_closep(&format_->pb); rc < 0) return fail(rc, error);
    accepting_ = false;
    return true;
}

}  // namespace lumetra
