#include "capture/recording/H264Encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "image/Translate.h"

namespace lumetra {
namespace {

// Larger than any camera picture; beyond it a frame is taken for a broken one.
constexpr int kMaxSide = 16384;

// libx264 reports its settings and statistics at the "info" level for every
// recording; only errors are worth the log.
void quietenFfmpeg() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

bool plausible(const Frame& frame) {
    return !frame.isNull() && frame.width <= kMaxSide && frame.height <= kMaxSide &&
           frame.stride >= frame.width * 4;
}

}  // namespace

std::string ffmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

std::unique_ptr<H264Encoder> H264Encoder::open(const EncoderSettings& settings,
                                               std::string& error) {
    quietenFfmpeg();
    const int width = settings.width & ~1;
    const int height = settings.height & ~1;
    if (width < 2 || height < 2 || width > kMaxSide || height > kMaxSide) {
        error = fillIn(translate("Recording", "The picture size {} x {} cannot be recorded."),
                       {std::to_string(settings.width), std::to_string(settings.height)});
        return nullptr;
    }
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        error = translate("Recording", "The H.264 encoder (libx264) is not available.");
        return nullptr;
    }
    std::unique_ptr<H264Encoder> encoder(new H264Encoder);
    AVCodecContext* c = encoder->codec_ = avcodec_alloc_context3(codec);
    encoder->picture_ = av_frame_alloc();
    encoder->packet_ = av_packet_alloc();
    if (!c || !encoder->picture_ || !encoder->packet_) {
        error = translate("Recording", "Out of memory for the encoder.");
        return nullptr;
    }
    c->width = width;
    c->height = height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    // Frames come at the camera's pace: their times, not a frame rate, set the movie's clock.
    c->time_base = AVRational{1, kMovieTicksPerSecond};
    // swscale's BGRA -> YUV conversion uses BT.601 coefficients in limited range.
    c->colorspace = AVCOL_SPC_SMPTE170M;
    c->color_range = AVCOL_RANGE_MPEG;
    // One encoding thread: the recording must not take the cores the live picture needs.
    c->thread_count = 1;
    if (settings.globalHeader) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(c->priv_data, "preset", settings.preset.c_str(), 0);
    if (const int rc = avcodec_open2(c, codec, nullptr); rc < 0) {
        error = fillIn(translate("Recording", "The H.264 encoder cannot start: {}"),
                       {ffmpegErrorText(rc)});
        return nullptr;
    }
    AVFrame* p = encoder->picture_;
    p->format = c->pix_fmt;
    p->width = width;
    p->height = height;
    if (const int rc = av_frame_get_buffer(p, 0); rc < 0) {
        error = fillIn(translate("Recording", "Out of memory for the encoder: {}"),
                       {ffmpegErrorText(rc)});
        return nullptr;
    }
    return encoder;
}

H264Encoder::~H264Encoder() {
    sws_freeContext(scaler_);
    av_packet_free(&packet_);
    av_frame_free(&picture_);
    avcodec_free_context(&codec_);
}

int H264Encoder::width() const { return codec_->width; }
int H264Encoder::height() const { return codec_->height; }

std::array<int, 4> H264Encoder::letterbox(int frameWidth, int frameHeight) {
    const int W = codec_->width;
    const int H = codec_->height;
    if (static_cast<int64_t>(frameWidth) * H == static_cast<int64_t>(frameHeight) * W)
        return {0, 0, W, H};
    int w = W;
    int h = H;
    if (static_cast<int64_t>(frameWidth) * H > static_cast<int64_t>(frameHeight) * W)
        h = static_cast<int>(static_cast<int64_t>(W) * frameHeight / frameWidth);
    else
        w = static_cast<int>(static_cast<int64_t>(H) * frameWidth / frameHeight);
    w = std::max(2, w & ~1);
    h = std::max(2, h & ~1);
    // Black in limited-range YUV.
    for (int y = 0; y < H; ++y) std::memset(picture_->data[0] + y * picture_->linesize[0], 16, W);
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < H / 2; ++y)
            std::memset(picture_->data[plane] + y * picture_->linesize[plane], 128, W / 2);
    return {((W - w) / 2) & ~1, ((H - h) / 2) & ~1, w, h};
}

int H264Encoder::convert(const Frame& frame) {
    if (!plausible(frame)) return AVERROR(EINVAL);
    // The encoder may still hold the previous picture; write into a fresh buffer then.
    if (const int rc = av_frame_make_writable(picture_); rc < 0) return rc;
    const auto [x, y, w, h] = letterbox(frame.width, frame.height);
    scaler_ = sws_getCachedContext(scaler_, frame.width, frame.height, AV_PIX_FMT_BGRA, w, h,
                                   AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_) return AVERROR(ENOMEM);
    uint8_t* const dst[3] = {
        picture_->data[0] + y * picture_->linesize[0] + x,
        picture_->data[1] + y / 2 * picture_->linesize[1] + x / 2,
        picture_->data[2] + y / 2 * picture_->linesize[2] + x / 2,
    };
    const uint8_t* const src[1] = {frame.data.get()};
    const int srcStride[1] = {frame.stride};
    const int rows = sws_scale(scaler_, src, srcStride, 0, frame.height, dst, picture_->linesize);
    return rows == h ? 0 : AVERROR(EINVAL);
}

H264Encoder::Result H264Encoder::encode(const Frame& frame, int64_t pts, const PacketSink& sink,
                                        int* code) {
    if (const int rc = convert(frame); rc < 0) {
        std::fprintf(stderr, "Failed to create the encoder picture - error: %d\n", rc);
        return Result::NotConverted;
    }
    picture_->pts = pts;
    int rc = avcodec_send_frame(codec_, picture_);
    if (rc >= 0) rc = drain(sink);
    if (rc < 0) {
        if (code) *code = rc;
        return Result::Failed;
    }
    return Result::Encoded;
}

int H264Encoder::flush(const PacketSink& sink) {
    const int rc = avcodec_send_frame(codec_, nullptr);
    if (rc < 0 && rc != AVERROR_EOF) return rc;
    return drain(sink);
}

int H264Encoder::drain(const PacketSink& sink) {
    while (true) {
        const int rc = avcodec_receive_packet(codec_, packet_);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return 0;
        if (rc < 0) return rc;
        const int written = sink(packet_);
        av_packet_unref(packet_);
        if (written < 0) return written;
    }
}

}  // namespace lumetra
