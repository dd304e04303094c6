#include "capture/recording/TimeLapseMovie.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "capture/SnapshotWriter.h"
#include "capture/recording/Mp4Writer.h"
#include "capture/recording/RecordingName.h"
#include "image/AtomicFile.h"
#include "image/JpegCodec.h"
#include "image/Translate.h"

namespace lumetra {
namespace {

bool writeThumbnail(const Frame& frame, const std::string& path, std::string& error) {
    const auto jpeg = encodeJpeg(frame, qualityFromCompressionFactor(kSnapshotCompressionFactor));
    if (jpeg.empty()) {
        error = fillIn(translate("Recording", "Could not write {}: the picture cannot be encoded."),
                       {path});
        return false;
    }
    const auto written = writeNewFileAtomically(path, jpeg.data(), jpeg.size());
    if (!written) error = written.message();
    return static_cast<bool>(written);
}

}  // namespace

TimeLapseMovieResult assembleTimeLapseMovie(const std::vector<std::string>& pictures,
                                            const std::string& moviePath, int framesPerSecond) {
    TimeLapseMovieResult result;
    const int64_t ticksPerFrame = kMovieTicksPerSecond / std::max(framesPerSecond, 1);
    std::unique_ptr<Mp4Writer> writer;
    bool thumbnailWritten = false;
    for (const std::string& picture : pictures) {
        const auto frame = decodeJpegFile(picture);
        if (!frame) {
            ++result.leftOut;
            continue;
        }
        if (!writer) {
            writer = Mp4Writer::open(moviePath, {frame->width, frame->height}, result.error);
            if (!writer) break;
            thumbnailWritten = writeThumbnail(*frame, thumbnailPathOf(moviePath), result.error);
            if (!thumbnailWritten) break;
        }
        if (!writer->write(*frame, result.frames * ticksPerFrame, result.error)) break;
        ++result.frames;
    }
    if (result.error.empty() && !writer)
        result.error = translate(
            "Recording", "None of the time-lapse's pictures could be read, so there is no movie.");
    if (result.error.empty()) writer->finish(result.frames * ticksPerFrame, result.error);
    writer.reset();
    if (!result.error.empty()) {
        std::remove(moviePath.c_str());
        // A file that took the thumbnail's name first is someone else's.
        if (thumbnailWritten) std::remove(thumbnailPathOf(moviePath).c_str());
    }
    return result;
}

}  // namespace lumetra
