// The USB frame path on the capture thread, per frame at 640 x 480 and 1920 x 1080:
// the adjustment chain with all six adjustments, the bypass (no flag set), and the
// conversion to BGRA of Motion-JPEG and YUYV buffers. Every benchmark also reports
// copy_ms, the CPU time of a plain copy of the same BGRA frame measured in the same
// run, and vs_copy, its own CPU time per frame divided by that.
//
// Targets on one core: the full chain at most 1 ms at 640 x 480, and at 1920 x 1080 at
// most the Motion-JPEG conversion of the same frame in the same run.

#include <benchmark/benchmark.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <vector>

#include "camera/adjust/AdjustmentChain.h"
#include "camera/usb/FrameConverter.h"
#include "image/JpegCodec.h"

using namespace lumetra;

namespace {

// A picture with detail and colour, so that JPEG sizes and the sharpening are typical.
Frame testPicture(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = static_cast<uint8_t>(x * 255 / w);
            p[1] = static_cast<uint8_t>(y * 255 / h);
            p[2] = static_cast<uint8_t>(((x / 8 + y / 8) % 2) ? 200 : 40);
            p[3] = 255;
        }
    return f;
}

// CPU time of the calling thread in milliseconds: with other work on the machine the
// wall clock measures the scheduler, not the code.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Median CPU time of a plain copy of a w x h BGRA frame, in milliseconds.
double copyMs(int w, int h) {
    const Frame src = testPicture(w, h);
    Frame dst = Frame::allocate(w, h);
    std::vector<double> times;
    for (int i = 0; i < 31; ++i) {
        const double t0 = threadCpuMs();
        std::memcpy(dst.data.get(), src.data.get(), src.byteCount());
        benchmark::DoNotOptimize(dst.data.get());
        times.push_back(threadCpuMs() - t0);
    }
    std::nth_element(times.begin(), times.begin() + 15, times.end());
    return times[15];
}

// Runs the loop body and reports copy_ms and vs_copy (CPU time per frame / copy_ms).
template <typename Body>
void measure(benchmark::State& state, double copy, Body&& body) {
    const double t0 = threadCpuMs();
    for (auto _ : state) body();
    const double perFrameMs =
        (threadCpuMs() - t0) /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["copy_ms"] = copy;
    state.counters["vs_copy"] = perFrameMs / copy;
}

AdjustmentSettings allSix() {
    AdjustmentSettings s;
    s.set(Adjustment::Brightness, 0.1f);
    s.set(Adjustment::Contrast, 1.3f);
    s.set(Adjustment::Saturation, 1.4f);
    s.set(Adjustment::Hue, 0.5f);
    s.set(Adjustment::Sharpness, 0.3f);
    s.set(Adjustment::Gamma, 1.2f);
    return s;
}

void runChain(benchmark::State& state, const AdjustmentSettings& settings) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const double copy = copyMs(w, h);
    const Frame source = testPicture(w, h);
    Frame frame = source.clone();
    AdjustmentChain chain;
    // Adjusting the same frame over and over costs the same as fresh frames.
    measure(state, copy, [&] {
        chain.apply(frame, settings);
        benchmark::DoNotOptimize(frame.data.get());
    });
}

void BM_FullChain(benchmark::State& state) { runChain(state, allSix()); }
void BM_Bypass(benchmark::State& state) { runChain(state, AdjustmentSettings{}); }

void runConversion(benchmark::State& state, uint32_t fourcc, const std::vector<uint8_t>& bytes,
                   int w, int h, uint32_t bytesPerLine) {
    const double copy = copyMs(w, h);
    FrameConverter converter;
    if (!converter.configure(fourcc, w, h, bytesPerLine))
        throw std::runtime_error("format not convertible");
    measure(state, copy, [&] {
        auto frame = converter.convert(bytes.data(), bytes.size());
        if (!frame) throw std::runtime_error("conversion failed");
        benchmark::DoNotOptimize(frame->data.get());
    });
}

void BM_MjpegToBgra(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    runConversion(state, V4L2_PIX_FMT_MJPEG, encodeJpeg(testPicture(w, h), 85), w, h, 0);
}

void BM_YuyvToBgra(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<uint8_t> yuyv(static_cast<size_t>(w) * static_cast<size_t>(h) * 2);
    for (size_t i = 0; i < yuyv.size(); ++i)
        yuyv[i] = static_cast<uint8_t>(i % 2 ? 96 + (i / 4) % 64 : 16 + (i / 2) % 219);
    runConversion(state, V4L2_PIX_FMT_YUYV, yuyv, w, h, static_cast<uint32_t>(w * 2));
}

}  // namespace

#define USB_SIZES Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_FullChain)->USB_SIZES;
BENCHMARK(BM_Bypass)->USB_SIZES;
BENCHMARK(BM_MjpegToBgra)->USB_SIZES;
BENCHMARK(BM_YuyvToBgra)->USB_SIZES;

BENCHMARK_MAIN();
