#pragma once
// A movie read back with libavformat, as a player would read it.

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <string>
#include <vector>

namespace lumetra::test {

// The video track of a movie read back with libavformat: codec, size and the
// sorted presentation times (seconds) of every frame that can be read.
struct Movie {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    std::vector<double> times;
};

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
        AVPacket* packet = av_packet_alloc();
        // A file cut off mid-fragment ends with a read error: what came before counts.
        while (av_read_frame(format, packet) >= 0) {
            if (!(packet->flags & AV_PKT_FLAG_CORRUPT) && packet->pts != AV_NOPTS_VALUE)
                movie.times.push_back(static_cast<double>(packet->pts) * av_q2d(stream->time_base));
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
        std::sort(movie.times.begin(), movie.times.end());
    }
    avformat_close_input(&format);
    return movie;
}

}  // namespace lumetra::test
