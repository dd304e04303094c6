#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "SyntheticMicrometer.h"
#include "measure/scale/FindScale.h"

namespace lumetra {
namespace {

using namespace test;

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
