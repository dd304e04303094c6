#include "measure/scale/PictureSampling.h"

#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

double pixelLuminance(const uint8_t* bgra) {
    return 0.114 * bgra[0] + 0.587 * bgra[1] + 0.299 * bgra[2];
}

}  // namespace

bool insideFrame(const Frame& frame, PixelPoint p) {
    return !frame.isNull() && p.x >= 0.0 && p.y >= 0.0 && p.x <= frame.width - 1.0 &&
           p.y <= frame.height - 1.0;
}

double luminanceAt(const Frame& frame, PixelPoint p) {
    p.x = std::clamp(p.x, 0.0, frame.width - 1.0);
    p.y = std::clamp(p.y, 0.0, frame.height - 1.0);
    // The last row and column take their own pixel as the far neighbour.
    const int x0 = static_cast<int>(p.x), y0 = static_cast<int>(p.y);
    const int x1 = x0 + 1 < frame.width ? x0 + 1 : x0;
    const int y1 = y0 + 1 < frame.height ? y0 + 1 : y0;
    const double fx = p.x - x0, fy = p.y - y0;
    const uint8_t* top = frame.row(y0);
    const uint8_t* bottom = frame.row(y1);
    const double upper =
        (1.0 - fx) * pixelLuminance(top + 4 * x0) + fx * pixelLuminance(top + 4 * x1);
    const double lower =
        (1.0 - fx) * pixelLuminance(bottom + 4 * x0) + fx * pixelLuminance(bottom + 4 * x1);
    return (1.0 - fy) * upper + fy * lower;
}

std::vector<double> bandProfile(const Frame& frame, PixelPoint start, PixelPoint step, int count,
                                int halfBand) {
    const double length = std::hypot(step.x, step.y);
    const PixelPoint across{-step.y / length, step.x / length};
    std::vector<double> profile(static_cast<size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        double sum = 0.0;
        for (int j = -halfBand; j <= halfBand; ++j)
            sum += luminanceAt(
                frame, {start.x + i * step.x + j * across.x, start.y + i * step.y + j * across.y});
        profile[static_cast<size_t>(i)] = sum / (2 * halfBand + 1);
    }
    return profile;
}

}  // namespace lumetra
