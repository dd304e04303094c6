// Streams pictures from the simulated camera over loopback as fast as the receiver
// can decode them, at 1280 x 720 and 1920 x 1080, and compares the rate with bare
// libjpeg-turbo decoding of the same pictures in the same run.
//
// Reported per size:
//   pictures/s      items_per_second of BM_StreamReceive
//   decode_ratio    stream rate / bare decode rate (target >= 0.9); the stream runs in
//                   stretches of a second with the receiver stopped between them for
//                   a quarter second of bare decoding, before the first and after the
//                   last too, so that both see the same changes of the machine's load
//   cpu_ms          CPU time per picture of the receiver's threads (the stream thread
//                   and the serial worker that decodes)
//   bare_cpu_ms     CPU time per picture of bare decoding, measured between the stretches
//   cpu_ratio       cpu_ms / bare_cpu_ms: what receiving costs on top of decoding
//                   (target <= 1.15)
//   waits_per_picture  times the receiver's threads slept waiting for another thread
//                   or the network, per picture
//   process_cpu_ms  the same for the whole process, with the in-process simulator's
//                   sending (it repeats pre-encoded pictures) and the hand-over
//   latency_ms_*    from the arrival of a part's last bytes at the stream thread to the
//                   hand-over running on the main thread (target < 5 ms)

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/CameraPictures.h"
#include "camera/StreamReceiver.h"
#include "tests/support/MainQueue.h"
#include "tools/camsim/CamSim.h"
#include "tools/camsim/PictureSource.h"

using namespace lumetra;

namespace {

using bench::kLoopLength;
using bench::kSeed;
using bench::loopPictures;

// Calls visit with the /proc folder of each of this process's threads with one of the
// given names.
template <typename Visit>
void forEachThreadNamed(const std::vector<std::string>& names, Visit visit) {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream commFile(task.path() / "comm");
        std::string comm;
        std::getline(commFile, comm);
        if (std::find(names.begin(), names.end(), comm) != names.end()) visit(task.path());
    }
}

// CPU time of this process's threads with the given names, from the scheduler's
// per-thread statistics (nanoseconds).
double threadsCpuSeconds(const std::vector<std::string>& names) {
    double total = 0;
    forEachThreadNamed(names, [&](const std::filesystem::path& task) {
        std::ifstream stat(task / "schedstat");
        double ns = 0;
        stat >> ns;
        total += ns * 1e-9;
    });
    return total;
}

const std::vector<std::string> kReceiverThreads = {"camera-stream", "orbvaneserilQue"};

// Times the threads with the given names went to sleep waiting (voluntary context
// switches): each is a wake-up another thread had to give.
double threadsWaits(const std::vector<std::string>& names) {
    double total = 0;
    forEachThreadNamed(names, [&](const std::filesystem::path& task) {
        std::ifstream status(task / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                total += std::stod(line.substr(line.find(':') + 1));
    });
    return total;
}

double cpuSeconds(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double processCpuSeconds() { return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

struct BareDecode {
    double rate = 0;        // pictures per second of wall time
    double cpuSeconds = 0;  // CPU time per picture
};

// Bare decoding with the receiver's flags (the accurate transform, scans limited): one
// handle, one output buffer, no copies.
BareDecode bareDecode(const std::vector<camsim::JpegBytes>& pictures, int width, int height,
                      double seconds) {
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> out(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    const double cpuStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto start = std::chrono::steady_clock::now();
    size_t count = 0;
    double elapsed = 0;
    do {
        const auto& jpeg = *pictures[count % pictures.size()];
        tjDecompress2(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), out.data(),
                      width, width * 4, height, TJPF_BGRA, TJFLAG_LIMITSCANS);
        ++count;
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (elapsed < seconds);
    const double cpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
    tjDestroy(handle);
    return {static_cast<double>(count) / elapsed, cpu / static_cast<double>(count)};
}

class Handover : public StreamReceiverListener {
public:
    void frameReady(const Frame& frame, const FrameMarks& marks) override {
        latencies.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - marks.lastByteAt)
                                .count());
        benchmark::DoNotOptimize(frame.data.get());
    }
    void snapshotRequested(int64_t) override {}
    void streamEnded() override {}
    std::vector<double> latencies;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

void BM_BareDecode(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const auto pictures = loopPictures(width, height);
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> out(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    size_t i = 0;
    for (auto _ : state) {
        const auto& jpeg = *pictures[i++ % pictures.size()];
        tjDecompress2(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), out.data(),
                      width, width * 4, height, TJPF_BGRA, TJFLAG_LIMITSCANS);
        benchmark::ClobberMemory();
    }
    tjDestroy(handle);
    state.SetItemsProcessed(state.iterations());
    state.counters["jpeg_kB"] = static_cast<double>(pictures[0]->size()) / 1000.0;
}

// What the receiver's threads and the whole process spent over a stretch of streaming.
struct StreamUse {
    double wall = 0;
    double cpu = 0;
    double receiverCpu = 0;
    double waits = 0;
};

class StreamStretch {
public:
    StreamStretch()
        : wall_(std::chrono::steady_clock::now()),
          cpu_(processCpuSeconds()),
          receiverCpu_(threadsCpuSeconds(kReceiverThreads)),
          waits_(threadsWaits(kReceiverThreads)) {}
    void addTo(StreamUse& use) const {
        use.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
        use.cpu += processCpuSeconds() - cpu_;
        use.receiverCpu += threadsCpuSeconds(kReceiverThreads) - receiverCpu_;
        use.waits += threadsWaits(kReceiverThreads) - waits_;
    }
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
    }

private:
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
    double receiverCpu_;
    double waits_;
};

// The stream runs in stretches of this length with bare decoding between them (the
// receiver stopped), so that both see the same changes of the machine's load.
constexpr double kStretchSeconds = 1.0;
constexpr double kBareSliceSeconds = 0.25;

void BM_StreamReceive(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const auto pictures = loopPictures(width, height);
    std::vector<BareDecode> bare{bareDecode(pictures, width, height, kBareSliceSeconds)};

    camsim::CamSimOptions options;
    options.kind = camsim::CameraKind::Cgi;
    options.width = width;
    options.height = height;
    options.fps = 0;  // as fast as the receiver reads
    options.loopLength = kLoopLength;
    options.seed = kSeed;
    options.quality = bench::kQuality;
    camsim::CamSim sim(options);
    std::string error;
    if (!sim.start(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }

    test::MainQueue main;
    SnapCounter counter;
    Handover handover;
    StreamReceiver receiver(CameraHost{"127.0.0.1", sim.controlPort(), sim.streamPort()},
                            main.poster(), counter);
    receiver.setListener(&handover);
    // Starts the stream and waits out its first pictures (the connection opening, the
    // simulator encoding its loop), which are not counted.
    const auto startStream = [&](size_t unCounted) {
        const size_t kept = handover.latencies.size();
        receiver.startVideoView();
        const bool flowing =
            main.runUntil([&] { return handover.latencies.size() >= kept + unCounted; },
                          std::chrono::seconds(30));
        handover.latencies.resize(kept);
        return flowing;
    };
    if (!startStream(5)) {
        state.SkipWithError("no pictures from the simulator");
        return;
    }

    StreamUse use;
    std::optional<StreamStretch> stretch(std::in_place);
    for (auto _ : state) {
        const size_t next = handover.latencies.size() + 1;
        if (!main.runUntil([&] { return handover.latencies.size() >= next; },
                           std::chrono::seconds(10))) {
            state.SkipWithError("the stream stopped");
            break;
        }
        if (stretch->seconds() < kStretchSeconds) continue;
        state.PauseTiming();
        stretch->addTo(use);
        receiver.stopVideoView();
        main.drain();
        bare.push_back(bareDecode(pictures, width, height, kBareSliceSeconds));
        if (!startStream(2)) state.SkipWithError("the stream did not start again");
        stretch.emplace();
        state.ResumeTiming();
    }
    stretch->addTo(use);
    receiver.stopVideoView();
    main.drain();
    bare.push_back(bareDecode(pictures, width, height, kBareSliceSeconds));
    double bareRate = 0;
    double bareCpu = 0;
    for (const BareDecode& slice : bare) {
        bareRate += slice.rate / static_cast<double>(bare.size());
        bareCpu += slice.cpuSeconds / static_cast<double>(bare.size());
    }
    const double wall = use.wall;
    const double cpu = use.cpu;
    const double receiverCpu = use.receiverCpu;
    const double waits = use.waits;

    const double count = static_cast<double>(state.iterations());
    const double rate = count / wall;
    state.SetItemsProcessed(state.iterations());
    state.counters["bare_decode_per_s"] = bareRate;
    state.counters["decode_ratio"] = rate / bareRate;
    state.counters["cpu_ms"] = 1000.0 * receiverCpu / count;
    state.counters["bare_cpu_ms"] = 1000.0 * bareCpu;
    state.counters["cpu_ratio"] = receiverCpu / count / bareCpu;
    state.counters["process_cpu_ms"] = 1000.0 * cpu / count;
    state.counters["waits_per_picture"] = waits / count;
    double sum = 0;
    for (double l : handover.latencies) sum += l;
    state.counters["latency_ms_mean"] =
        handover.latencies.empty() ? 0 : sum / static_cast<double>(handover.latencies.size());
    state.counters["latency_ms_p50"] = percentile(handover.latencies, 0.5);
    state.counters["latency_ms_p99"] = percentile(handover.latencies, 0.99);
}

}  // namespace

BENCHMARK(BM_BareDecode)->Args({1280, 720})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamReceive)
    ->Args({1280, 720})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(4.0);

BENCHMARK_MAIN();
