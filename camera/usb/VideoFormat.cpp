#include "camera/usb/VideoFormat.h"

#include <linux/videodev2.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "camera/usb/FrameConverter.h"

namespace lumetra {
namespace {

// A driver that never ends an enumeration must not keep us looping.
constexpr uint32_t kMaxEnumeration = 256;

constexpr std::array<std::pair<int, int>, 10> kCommonSizes{{{320, 240},
                                                            {640, 480},
                                                            {800, 600},
                                                            {1024, 768},
                                                            {1280, 720},
                                                            {1280, 960},
                                                            {1600, 1200},
                                                            {1920, 1080},
                                                            {2592, 1944},
                                                            {3840, 2160}}};

double rateOf(const v4l2_fract& interval) {
    return static_cast<double>(interval.denominator) / static_cast<double>(interval.numerator);
}

FrameRateRange rangeOf(const v4l2_fract& longest, const v4l2_fract& shortest) {
    return {rateOf(longest), rateOf(shortest), {shortest.numerator, shortest.denominator}};
}

std::vector<FrameRateRange> enumerateRates(V4l2Io& io, int fd, uint32_t pixelFormat, int w, int h) {
    std::vector<FrameRateRange> ranges;
    for (uint32_t i = 0; i < kMaxEnumeration; ++i) {
        v4l2_frmivalenum e{};
        e.index = i;
        e.pixel_format = pixelFormat;
        e.width = static_cast<uint32_t>(w);
        e.height = static_cast<uint32_t>(h);
        if (xioctl(io, fd, VIDIOC_ENUM_FRAMEINTERVALS, &e) != 0) break;
        if (e.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            if (e.discrete.numerator == 0 || e.discrete.denominator == 0) continue;
            ranges.push_back(rangeOf(e.discrete, e.discrete));
        } else {
            const auto& s = e.stepwise;
            if (s.min.numerator == 0 || s.min.denominator == 0 || s.max.numerator == 0 ||
                s.max.denominator == 0)
                break;
            ranges.push_back(rangeOf(s.max, s.min));
            break;  // a stepwise answer is the only one
        }
    }
    return ranges;
}

bool withinBudget(uint32_t w, uint32_t h) {
    return w > 0 && h > 0 && w <= kMaxUsbFrameSide && h <= kMaxUsbFrameSide;
}

std::vector<std::pair<int, int>> enumerateSizes(V4l2Io& io, int fd, uint32_t pixelFormat) {
    std::vector<std::pair<int, int>> sizes;
    for (uint32_t i = 0; i < kMaxEnumeration; ++i) {
        v4l2_frmsizeenum e{};
        e.index = i;
        e.pixel_format = pixelFormat;
        if (xioctl(io, fd, VIDIOC_ENUM_FRAMESIZES, &e) != 0) break;
        if (e.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            if (withinBudget(e.discrete.width, e.discrete.height))
                sizes.emplace_back(e.discrete.width, e.discrete.height);
            continue;
        }
        const auto& s = e.stepwise;
        const uint32_t sw = s.step_width ? s.step_width : 1;
        const uint32_t sh = s.step_height ? s.step_height : 1;
        auto fits = [&](uint32_t w, uint32_t h) {
            return withinBudget(w, h) && w >= s.min_width && w <= s.max_width &&
                   h >= s.min_height && h <= s.max_height && (w - s.min_width) % sw == 0 &&
                   (h - s.min_height) % sh == 0;
        };
        if (fits(s.min_width, s.min_height)) sizes.emplace_back(s.min_width, s.min_height);
        for (const auto& [w, h] : kCommonSizes) {
            const auto uw = static_cast<uint32_t>(w), uh = static_cast<uint32_t>(h);
            if (fits(uw, uh) && !(uw == s.min_width && uh == s.min_height) &&
                !(uw == s.max_width && uh == s.max_height))
                sizes.emplace_back(w, h);
        }
        if (fits(s.max_width, s.max_height) &&
            !(s.max_width == s.min_width && s.max_height == s.min_height))
            sizes.emplace_back(s.max_width, s.max_height);
        break;  // a stepwise answer is the only one
    }
    return sizes;
}

}  // namespace

bool sameDuration(Duration a, Duration b) {
    if (a.denominator == 0 || b.denominator == 0) return false;
    return static_cast<uint64_t>(a.numerator) * b.denominator ==
           static_cast<uint64_t>(b.numerator) * a.denominator;
}

std::string localizedName(const VideoFormat& format) {
    return format.name + ", " + std::to_string(format.width) + " x " +
           std::to_string(format.height);
}

std::string localizedName(const FrameRateRange& range) {
    char text[96];
    if (range.minFrameRate != range.maxFrameRate)
        std::snprintf(text, sizeof text, "FPS: %0.2f-%0.2f", range.minFrameRate,
                      range.maxFrameRate);
    else
        std::snprintf(text, sizeof text, "FPS: %0.2f", range.minFrameRate);
    return text;
}

std::optional<FrameRateRange> nearestFrameRateRange(const std::vector<FrameRateRange>& ranges,
                                                    Duration interval) {
    if (interval.numerator == 0 || interval.denominator == 0) return std::nullopt;
    const double rate = static_cast<double>(interval.denominator) / interval.numerator;
    std::optional<FrameRateRange> nearest;
    for (const FrameRateRange& range : ranges)
        if (!nearest ||
            std::abs(range.maxFrameRate - rate) < std::abs(nearest->maxFrameRate - rate))
            nearest = range;
    return nearest;
}

std::vector<VideoFormat> enumerateFormats(V4l2Io& io, int fd) {
    std::vector<VideoFormat> formats;
    for (uint32_t i = 0; i < kMaxEnumeration; ++i) {
        v4l2_fmtdesc d{};
        d.index = i;
        d.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (xioctl(io, fd, VIDIOC_ENUM_FMT, &d) != 0) break;
        if (!canConvert(d.pixelformat)) continue;
        const auto* text = reinterpret_cast<const char*>(d.description);
        const std::string name(text, strnlen(text, sizeof d.description));
        for (const auto& [w, h] : enumerateSizes(io, fd, d.pixelformat))
            formats.push_back(
                {d.pixelformat, name, w, h, enumerateRates(io, fd, d.pixelformat, w, h)});
    }
    return formats;
}

int applyFormat(V4l2Io& io, int fd, const VideoFormat& format, ActiveFormat& active) {
    v4l2_format f{};
    f.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    f.fmt.pix.pixelformat = format.pixelFormat;
    f.fmt.pix.width = static_cast<uint32_t>(format.width);
    f.fmt.pix.height = static_cast<uint32_t>(format.height);
    f.fmt.pix.field = V4L2_FIELD_NONE;
    if (const int err = xioctl(io, fd, VIDIOC_S_FMT, &f)) return err;
    active = {f.fmt.pix.pixelformat, static_cast<int>(f.fmt.pix.width),
              static_cast<int>(f.fmt.pix.height), f.fmt.pix.bytesperline};
    return 0;
}

int applyFrameInterval(V4l2Io& io, int fd, Duration interval) {
    v4l2_streamparm p{};
    p.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    p.parm.capture.timeperframe = {interval.numerator, interval.denominator};
    return xioctl(io, fd, VIDIOC_S_PARM, &p);
}

std::optional<Duration> readFrameInterval(V4l2Io& io, int fd) {
    v4l2_streamparm p{};
    p.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (xioctl(io, fd, VIDIOC_G_PARM, &p) != 0) return std::nullopt;
    const auto& t = p.parm.capture.timeperframe;
    if (t.numerator == 0 || t.denominator == 0) return std::nullopt;
    return Duration{t.numerator, t.denominator};
}

}  // namespace lumetra
