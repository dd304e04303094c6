#pragma once
// H.264 encoding of BGRA frames with libx264 (through libavcodec). Each frame is
// converted to the encoder's 4:2:0 picture at the track's size; a frame of
// another size is scaled to fit inside it with its aspect kept, black bars
// filling the rest. Rate control and key-frame interval are the encoder's
// defaults. One thread uses an encoder at a time.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "image/Frame.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace lumetra {

// The x264 preset of recordings. At 1920 x 1080 and 15 written frames per second
// it takes about a third of one core (bench/recording.cpp); the next slower
// presets take nearly all of it, leaving nothing for decoding and drawing.
inline constexpr const char* kRecordingPreset = "ultrafast";

// Presentation times count 1/kMovieTicksPerSecond seconds: fine enough for the
// capture time of every frame at any camera rate.
inline constexpr int kMovieTicksPerSecond = 90000;

struct EncoderSettings {
    int width = 0;   // the track's size; odd sizes are rounded down to even ones
    int height = 0;  // (4:2:0 needs whole chroma samples)
    std::string preset = kRecordingPreset;
    bool globalHeader = false;  // parameter sets in the container header (MP4)
};

class H264Encoder {
public:
    // Receives every finished packet; returns 0 or a negative FFmpeg error code.
    using PacketSink = std::function<int(AVPacket*)>;

    enum class Result { Encoded, NotConverted, Failed };

    // nullptr with a reason in error when the encoder cannot be opened.
    static std::unique_ptr<H264Encoder> open(const EncoderSettings& settings, std::string& error);
    ~H264Encoder();
    H264Encoder(const H264Encoder&) = delete;
    H264Encoder& operator=(const H264Encoder&) = delete;

    // Encodes the frame stamped pts (in 1/kMovieTicksPerSecond seconds). A frame that cannot be
    // converted is logged and skipped (NotConverted); Failed carries the encoder's
    // error code in *code.
    Result encode(const Frame& frame, int64_t pts, const PacketSink& sink, int* code);
    // Drains the frames the encoder still holds; 0 or a negative error code.
    int flush(const PacketSink& sink);

    const AVCodecContext* context() const { return codec_; }
    int width() const;
    int height() const;

private:
    H264Encoder() = default;
    // The frame in picture_, at the track's size; an FFmpeg error code (< 0) when it fails.
    int convert(const Frame& frame);
    // Fills the picture black and returns the rectangle a frame of the given size
    // fills with its aspect kept: {x, y, width, height}, all even.
    std::array<int, 4> letterbox(int frameWidth, int frameHeight);
    int drain(const PacketSink& sink);

    AVCodecContext* codec_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
};

// FFmpeg's text for an error code.
std::string ffmpegErrorText(int code);

}  // namespace lumetra
