#pragma once
// A USB camera's capture formats and frame-rate ranges as read from the driver's
// enumeration, with the titles the USB lists show.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "camera/usb/V4l2Io.h"

namespace lumetra {

// A duration in seconds as a fraction (the driver's frame interval).
struct Duration {
    uint32_t numerator = 0;
    uint32_t denominator = 1;
};

// Equal as durations (1/30 equals 2/60); a zero denominator equals nothing.
bool sameDuration(Duration a, Duration b);

struct FrameRateRange {
    double minFrameRate = 0;
    double maxFrameRate = 0;
    Duration minFrameDuration;  // the interval of the highest rate
    friend bool operator==(const FrameRateRange& a, const FrameRateRange& b) {
        return a.minFrameRate == b.minFrameRate && a.maxFrameRate == b.maxFrameRate &&
               sameDuration(a.minFrameDuration, b.minFrameDuration);
    }
};

struct VideoFormat {
    uint32_t pixelFormat = 0;  // V4L2 four-character code
    std::string name;          // the driver's description, e.g. "Motion-JPEG"
    int width = 0;
    int height = 0;
    std::vector<FrameRateRange> frameRateRanges;
};

// "%@, %d x %d": name, width, height.
std::string localizedName(const VideoFormat& format);
// "FPS: %0.2f-%0.2f" when the rates differ, else "FPS: %0.2f".
std::string localizedName(const FrameRateRange& range);

// The range whose highest rate is nearest to the rate of `interval` (the first of
// equally near ones), so that a new format keeps the chosen rate as well as it
// can; nullopt without ranges or for an interval of no length.
std::optional<FrameRateRange> nearestFrameRateRange(const std::vector<FrameRateRange>& ranges,
                                                    Duration interval);

// Every size and frame-rate range of the pixel formats this program can convert,
// in the driver's order. Stepwise sizes offer their smallest and largest size and the
// common sizes between that fit the steps; sizes beyond the frame budget are left out.
std::vector<VideoFormat> enumerateFormats(V4l2Io& io, int fd);

// The format the driver settled on when asked for one.
struct ActiveFormat {
    uint32_t pixelFormat = 0;
    int width = 0;
    int height = 0;
    uint32_t bytesPerLine = 0;
};

// Makes the format the device's capture format; errno on failure, else 0.
int applyFormat(V4l2Io& io, int fd, const VideoFormat& format, ActiveFormat& active);
// Sets the frame interval; errno on failure, else 0.
int applyFrameInterval(V4l2Io& io, int fd, Duration interval);
// The device's current frame interval; nullopt when the driver does not say.
std::optional<Duration> readFrameInterval(V4l2Io& io, int fd);

}  // namespace lumetra
