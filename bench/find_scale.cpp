// The scale search on a 2592 x 1944 picture of the demo's stage micrometer: the whole
// search along a line over its 100 divisions (profiles, period, ticks, the line turned
// square to them), and the first profile on its own. Target for the whole: under 50 ms.
// The line starts 0.5 degrees off the ticks' row, as a drawn one would. The counters give
// the period found, its standard error and the spacing the picture was drawn with.

#include <benchmark/benchmark.h>

#include <cmath>
#include <variant>

#include "measure/scale/FindScale.h"
#include "tools/camsim/MicrometerSlide.h"

namespace lumetra {
namespace {

constexpr int kWidth = 2592;
constexpr int kHeight = 1944;

struct Scene {
    Frame picture = camsim::renderMicrometerSlide(kWidth, kHeight, 0, 11);
    PixelPoint a, b;
    Scene() {
        const camsim::ScaleGeometry g = camsim::scaleGeometry(kWidth, kHeight);
        const double y = g.baselineY - g.majorLength / 5.0, length = 100 * g.spacing + 8;
        const double slant = 0.5 * 3.14159265358979323846 / 180.0;
        a = {g.firstTickX - 4, y - length / 2 * std::sin(slant)};
        b = {a.x + length * std::cos(slant), y + length / 2 * std::sin(slant)};
    }
};

const Scene& scene() {
    static const Scene s;
    return s;
}

void BM_FindScale(benchmark::State& state) {
    const Scene& s = scene();
    for (auto _ : state) {
        ScaleSearch found = findScale(s.picture, s.a, s.b);
        benchmark::DoNotOptimize(found);
        if (!std::holds_alternative<ScaleFound>(found)) {
            state.SkipWithError("no ticks found");
            return;
        }
        state.counters["period_px"] = std::get<ScaleFound>(found).periodPx;
        state.counters["sigma_px"] = std::get<ScaleFound>(found).sigmaPx;
    }
    state.counters["drawn_px"] = camsim::scaleGeometry(kWidth, kHeight).spacing;
}
BENCHMARK(BM_FindScale)->Unit(benchmark::kMillisecond);

void BM_FirstProfile(benchmark::State& state) {
    const Scene& s = scene();
    const double length = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
    const PixelPoint step{(s.b.x - s.a.x) / length, (s.b.y - s.a.y) / length};
    for (auto _ : state) {
        auto profile = bandProfile(s.picture, s.a, step, static_cast<int>(length) + 1, 2);
        benchmark::DoNotOptimize(profile);
    }
}
BENCHMARK(BM_FirstProfile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
