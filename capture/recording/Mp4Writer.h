#pragma once
// Writes one H.264 track into a fragmented MP4 file: the header goes out first and
// every second of movie becomes a fragment that is flushed to the file as soon as
// it is complete, so the file plays up to its last fragment even when the process
// dies or the disk fills up before the end is written. Synchronous; one thread
// uses a writer at a time.

#include <cstdint>
#include <memory>
#include <string>

#include "capture/recording/H264Encoder.h"
#include "image/Frame.h"

struct AVFormatContext;
struct AVPacket;
struct AVStream;

namespace lumetra {

class Mp4Writer {
public:
    // Creates (or truncates) the file and writes its header; nullptr with a reason
    // in error when the encoder or the file cannot be opened.
    static std::unique_ptr<Mp4Writer> open(const std::string& path, const EncoderSettings& settings,
                                           std::string& error);
    // Closes the file; without finish() it ends with the last complete fragment.
    ~Mp4Writer();
    Mp4Writer(const Mp4Writer&) = delete;
    Mp4Writer& operator=(const Mp4Writer&) = delete;

    // Encodes a frame stamped pts (1/kMovieTicksPerSecond seconds, each later than
    // the one before). A frame that cannot be converted is left out and is not an
    // error: the frame before it shows longer. False with a reason when the encoder
    // or the file failed; the writer takes nothing more then.
    bool write(const Frame& frame, int64_t pts, std::string& error);
    // Writes the frames the encoder still holds and the end of the file; the last
    // frame shows until endPts (when that is later than its own time).
    bool finish(int64_t endPts, std::string& error);

    // Frames handed to the encoder, and frames left out as they could not be converted.
    uint64_t framesEncoded() const { return framesEncoded_; }
    uint64_t framesLeftOut() const { return framesLeftOut_; }
    // True once a picture of the movie is in the file, beyond its header.
    bool holdsPictures() const { return pictureMuxed_ && wholeFragments_ > headerBytes_; }

private:
    Mp4Writer() = default;
    // Each packet waits in held_ until the next one gives its duration.
    int writePacket(AVPacket* packet);
    int writeHeld(int64_t duration);
    bool fail(int code, std::string& error);

    std::string path_;
    std::unique_ptr<H264Encoder> encoder_;
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    bool accepting_ = false;      // header written, no failure, not finished
    bool cutShort_ = false;       // a write failed after the header
    int64_t wholeFragments_ = 0;  // bytes of the file that hold whole fragments
    int64_t headerBytes_ = 0;     // bytes written with the header
    bool pictureMuxed_ = false;   // a packet went to the muxer
    AVPacket* held_ = nullptr;
    uint64_t framesEncoded_ = 0;
    uint64_t framesLeftOut_ = 0;
};

}  // namespace lumetra
