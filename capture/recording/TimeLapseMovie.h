#pragma once
// A time-lapse's pictures assembled into a movie: each picture file, in the order
// given, becomes one frame of an H.264 MP4 shown for 1/framesPerSecond seconds, at
// the size of the first picture that reads (later ones of another size are scaled
// into it, their aspect kept). A thumbnail of the first frame is written beside the
// movie, as for recordings. Synchronous: run it off the window's thread.

#include <string>
#include <vector>

namespace lumetra {

struct TimeLapseMovieResult {
    int frames = 0;     // pictures in the movie
    int leftOut = 0;    // pictures that could not be read
    std::string error;  // empty when the movie is complete; else why, for the user
    explicit operator bool() const { return error.empty(); }
};

// moviePath: a reserved, empty file (reserveRecordingPath). When no picture reads or
// the movie cannot be written, the movie and its thumbnail are removed again.
TimeLapseMovieResult assembleTimeLapseMovie(const std::vector<std::string>& pictures,
                                            const std::string& moviePath, int framesPerSecond);

}  // namespace lumetra
