#pragma once
// A movie read back with libavformat, as a player would read it.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::test {

// The video track of a movie read back with libavformat: codec, size, the
// sorted presentation times (seconds) of every frame that can be read, how long
// a player says the movie plays (seconds) and the brightness
// (luma plane) of its last picture.
struct Movie {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    std::vector<double> times;
    double duration = 0.0;
    std::vector<uint8_t> lastLuma;  // width x height, row by row
    uint8_t luma(int x, int y) const { return lastLuma[static_cast<size_t>(y * width + x)]; }
};

// Decodes packet and keeps the luma of every picture it yields in movie.lastLuma.
inline void decodeLuma(AVCodecContext* decoder, const AVPacket* packet, Movie& movie) {
    if (avcodec_send_packet(decoder, packet) < 0) return;
    AVFrame* picture = av_frame_alloc();
    while (avcodec_receive_frame(decoder, picture) >= 0) {
        movie.lastLuma.resize(static_cast<size_t>(picture->width * picture->height));
        for (int y = 0; y < picture->height; ++y)
            std::copy_n(picture->data[0] + y * picture->linesize[0], picture->width,
                        movie.lastLuma.begin() + y * picture->width);
        av_frame_unref(picture);
    }
    av_frame_free(&picture);
}

inline Movie readMovie(const std::string& path) {
    Movie movie;
    av_log_set_level(AV_LOG_FATAL);  // the cut-off end of a killed recording is expected
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return movie;
    if (avformat_find_stream_info(format, nullptr) >= 0 && format->nb_streams == 1) {
        const AVStream* stream = format->streams[0];
        movie.codec = stream->codecpar->codec_id;
        movie.width = stream->codecpar->width;
        movie.height = stream->codecpar->height;
        const AVCodec* codec = avcodec_find_decoder(movie.codec);
        AVCodecContext* decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
        if (decoder && (avcodec_parameters_to_context(decoder, stream->codecpar) < 0 ||
                        avcodec_open2(decoder, codec, nullptr) < 0))
            avcodec_free_context(&decoder);
        AVPacket* packet = av_packet_alloc();
        const double tick = av_q2d(stream->time_base);
        // A file cut off mid-fragment ends with a read error: what came before counts.
        while (av_read_frame(format, packet) >= 0) {
            if (!(packet->flags & AV_PKT_FLAG_CORRUPT) && packet->pts != AV_NOPTS_VALUE) {
                movie.times.push_back(static_cast<double>(packet->pts) * tick);
                if (decoder) decodeLuma(decoder, packet, movie);
            }
            av_packet_unref(packet);
        }
        if (decoder) decodeLuma(decoder, nullptr, movie);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        std::sort(movie.times.begin(), movie.times.end());
        if (format->duration != AV_NOPTS_VALUE)
            movie.duration = static_cast<double>(format->duration) / AV_TIME_BASE;
    }
    avformat_close_input(&format);
    return movie;
}

}  // namespace lumetra::test
