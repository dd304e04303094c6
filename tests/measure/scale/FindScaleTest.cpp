#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "measure/scale/FindScale.h"

namespace lumetra {
namespace {

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
double blurredBar(double x, double lo, double hi, double sigma) {
    return 0.5 * (std::erf((x - lo) / (std::sqrt(2.0) * sigma)) -
                  std::erf((x - hi) / (std::sqrt(2.0) * sigma)));
}

// Dark ticks on a light ground, hanging from a baseline through the picture's centre,
// every fifth one longer, blurred and with sensor noise.
Frame renderMicrometer(const Micrometer& m, uint32_t seed) {
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
PixelPoint onMicrometer(const Micrometer& m, double u, double v) {
    const double c = std::cos(m.angle), s = std::sin(m.angle);
    return {kSize / 2.0 + u * c - v * s, kSize / 2.0 + u * s + v * c};
}

TEST(FindScale, MeasuresThePeriodOfSyntheticMicrometers) {
    const struct {
        double period, degrees, blur;
    } cases[] = {
        {9.37, 0.0, 1.0},   {13.81, 15.0, 1.5}, {7.93, 45.0, 2.0},
        {11.46, 30.0, 1.2}, {12.7, 38.0, 1.8},
    };
    std::mt19937 rng(28);
    std::uniform_real_distribution<double> phase(0.0, 1.0);
    for (const auto& c : cases) {
        const Micrometer m{c.period, c.degrees * kPi / 180.0, c.blur, phase(rng) * c.period};
        const Frame picture = renderMicrometer(m, static_cast<uint32_t>(rng()));
        // Drawn roughly: 1.5 degrees off the row, through the short ticks' middle.
        const double half = 24.5 * c.period, off = 1.5 * kPi / 180.0;
        const PixelPoint mid = onMicrometer(m, m.phase, -kShortTick / 2);
        const PixelPoint dir{std::cos(m.angle + off), std::sin(m.angle + off)};
        const ScaleSearch search = findScale(picture, {mid.x - half * dir.x, mid.y - half * dir.y},
                                             {mid.x + half * dir.x, mid.y + half * dir.y});
        SCOPED_TRACE(testing::Message() << "period " << c.period << ", " << c.degrees << " deg");
        const auto* found = std::get_if<ScaleFound>(&search);
        ASSERT_TRUE(found) << std::get<ScaleRefusal>(search).reason;
        EXPECT_NEAR(found->periodPx, c.period, 2e-4 * c.period);
        EXPECT_NEAR(found->periodPx, c.period, 3.0 * found->sigmaPx);
        EXPECT_GT(found->sigmaPx, 0.0);
        EXPECT_GE(found->ticks, 45);
        EXPECT_EQ(found->tickPoints.size(), static_cast<size_t>(found->ticks));
    }
}

TEST(FindScale, RefusesLinesThatCrossNoTicks) {
    const Micrometer m{12.0, 0.2, 1.5, 3.0};
    const Frame picture = renderMicrometer(m, 5);
    const auto reason = [&](PixelPoint a, PixelPoint b) {
        const ScaleSearch search = findScale(picture, a, b);
        return std::holds_alternative<ScaleRefusal>(search) ? std::get<ScaleRefusal>(search).reason
                                                            : std::string();
    };
    // Beside the scale, over noise only.
    EXPECT_EQ(reason(onMicrometer(m, -300, 150), onMicrometer(m, 300, 150)),
              "The picture is even along the line: it crosses no ticks");
    // Along one tick, and across the baseline's edge.
    EXPECT_NE(reason(onMicrometer(m, 3.0, -90), onMicrometer(m, 3.0, 80)), "");
    EXPECT_EQ(reason({-5, 10}, {300, 10}), "The line runs outside the picture");
    EXPECT_EQ(reason({100, 100}, {100.5, 100}), "The line is too short to cross five ticks");
}

}  // namespace
}  // namespace lumetra
