#pragma once
// A stage micrometer drawn by the tests: dark ticks on a light ground at a known
// period and angle, blurred, with noise.

#include <algorithm>
#include <cmath>
#include <random>

#include "image/Frame.h"
#include "measure/scale/PictureSampling.h"

namespace lumetra::test {

constexpr double kPi = 3.14159265358979323846;

struct Micrometer {
    double period = 10.0;  // pixels between ticks
    double angle = 0.0;    // radians of the row against the x axis
    double blur = 1.0;     // Gaussian sigma in pixels
    double phase = 0.0;    // where tick 0 lies on the row, in pixels from the centre
};

constexpr int kSize = 900;
constexpr double kShortTick = 60.0, kLongTick = 100.0, kTickWidth = 2.0;
constexpr int kTicks = 61;  // tick -30 to 30

// How much of a bar from lo to hi a Gaussian-blurred point at x sees.
inline double blurredBar(double x, double lo, double hi, double sigma) {
    return 0.5 * (std::erf((x - lo) / (std::sqrt(2.0) * sigma)) -
                  std::erf((x - hi) / (std::sqrt(2.0) * sigma)));
}

// Dark ticks on a light ground, hanging from a baseline through the picture's centre,
// every fifth one longer, blurred and with sensor noise.
inline Frame renderMicrometer(const Micrometer& m, uint32_t seed) {
    Frame f = Frame::allocate(kSize, kSize);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 3.0);
    const double c = std::cos(m.angle), s = std::sin(m.angle), centre = kSize / 2.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double u = (x - centre) * c + (y - centre) * s;   // along the row
            const double v = -(x - centre) * s + (y - centre) * c;  // along the ticks
            const long k = std::lround((u - m.phase) / m.period);
            double ink = 0.0;
            for (long i = k - 1; i <= k + 1 && v > -kLongTick - 8 * m.blur && v < 8 * m.blur; ++i) {
                if (std::abs(i) > kTicks / 2) continue;
                const double tick = m.phase + static_cast<double>(i) * m.period;
                const double length = i % 5 == 0 ? kLongTick : kShortTick;
                ink += blurredBar(u, tick - kTickWidth / 2, tick + kTickWidth / 2, m.blur) *
                       blurredBar(v, -length, 0.0, m.blur);
            }
            const double value = 200.0 - 150.0 * std::min(ink, 1.0) + noise(rng);
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
            p[3] = 255;
        }
    return f;
}

// A point of the micrometer's own coordinates in the picture.
inline PixelPoint onMicrometer(const Micrometer& m, double u, double v) {
    const double c = std::cos(m.angle), s = std::sin(m.angle);
    return {kSize / 2.0 + u * c - v * s, kSize / 2.0 + u * s + v * c};
}

}  // namespace lumetra::test
