#include "measure/scale/EdgeSnap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "measure/scale/ViewToFrame.h"

namespace lumetra {
namespace {

constexpr double kStep = 0.5;         // pixels between the samples along the normal
constexpr double kMinGradient = 4.0;  // grey levels per pixel for an edge
constexpr int kFitHalf = 3;           // samples either side of the peak in the fit

// The direction across the edges around p: the main axis of the gradients' structure
// tensor over the square of the reach; nothing where the picture is flat.
std::optional<PixelPoint> edgeNormal(const Frame& frame, PixelPoint p, int reach) {
    double xx = 0.0, xy = 0.0, yy = 0.0;
    int count = 0;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const double x = std::round(p.x) + dx, y = std::round(p.y) + dy;
            const double gx = (luminanceAt(frame, {x + 1, y}) - luminanceAt(frame, {x - 1, y})) / 2;
            const double gy = (luminanceAt(frame, {x, y + 1}) - luminanceAt(frame, {x, y - 1})) / 2;
            xx += gx * gx;
            xy += gx * gy;
            yy += gy * gy;
            ++count;
        }
    if (std::sqrt((xx + yy) / count) < kMinGradient / 4.0) return std::nullopt;
    const double angle = 0.5 * std::atan2(2.0 * xy, xx - yy);
    return PixelPoint{std::cos(angle), std::sin(angle)};
}

}  // namespace

std::optional<PixelPoint> snapToEdge(const Frame& frame, PixelPoint p, double reach) {
    if (frame.isNull() || !insideFrame(frame, p) || !(reach >= 1.0)) return std::nullopt;
    const int span = static_cast<int>(std::ceil(reach));
    const std::optional<PixelPoint> normal = edgeNormal(frame, p, span);
    if (!normal) return std::nullopt;
    // Samples from -reach - 2 to reach + 2 along the normal, each the mean of five
    // along the edge; the gradient at sample i is the difference of its neighbours.
    const int half = static_cast<int>(std::ceil((reach + 2.0) / kStep));
    const PixelPoint step{normal->x * kStep, normal->y * kStep};
    const std::vector<double> profile =
        bandProfile(frame, {p.x - half * step.x, p.y - half * step.y}, step, 2 * half + 1, 2);
    const auto gradient = [&](int i) {
        return std::abs(profile[static_cast<size_t>(i + 1)] - profile[static_cast<size_t>(i - 1)]) /
               (2.0 * kStep);
    };
    const int inner = static_cast<int>(reach / kStep);
    int best = half;
    for (int i = half - inner; i <= half + inner; ++i)
        if (gradient(i) > gradient(best)) best = i;
    const double peak = gradient(best);
    if (peak < kMinGradient) return std::nullopt;
    // Least-squares parabola through the seven gradients around the peak (1.5 pixels
    // either side): steadier against noise than three samples.
    double sloped = 0.0, curved = 0.0;
    for (int k = -kFitHalf; k <= kFitHalf; ++k) {
        sloped += k * gradient(best + k);
        curved += (k * k - 4.0) * gradient(best + k);
    }
    const double slope = sloped / 28.0, curvature = curved / 84.0;  // sums of k^2, (k^2 - 4)^2
    const double offset = curvature < 0.0 ? std::clamp(-slope / (2.0 * curvature), -1.0, 1.0) : 0.0;
    const double t = (best - half + offset) * kStep;
    return PixelPoint{p.x + t * normal->x, p.y + t * normal->y};
}

std::optional<Point> snapViewPointToEdge(const Frame& frame, Point p, double viewWidth,
                                         double viewHeight, double reach) {
    if (frame.isNull() || !(viewWidth > 0.0) || !(viewHeight > 0.0)) return std::nullopt;
    const ViewToFrame map(frame.width, frame.height, viewWidth, viewHeight);
    const auto snapped = snapToEdge(frame, map.toFrame(p), reach);
    if (!snapped) return std::nullopt;
    return map.toView(*snapped);
}

}  // namespace lumetra
