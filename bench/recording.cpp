// Records 1920 x 1080 frames of the simulated camera's picture source, handed over
// at 30 per second in real time for 20 seconds, and compares the writer's cost with
// bare x264 encoding of the same frames with the same preset in the same run.
//
// Reported by BM_Recording:
//   written_fps       frames encoded into the movie per second of recording (every
//                     second one of 30 camera frames per second: 15 expected)
//   slots_written_pct written frames of all frames offered to the writer (target >= 99 %)
//   slots_skipped     slots left empty because the writer's queue was full
//   caller_ms_median, caller_ms_max
//                     time of one recordingVideo call on the caller's (main) thread
//                     (target < 1 ms)
//   encoder_cpu_ms    CPU time of the writer's worker per written frame (conversion,
//                     encoding and muxing; one core holds real time below 66 ms)
// Reported by BM_BareX264 (the recording's preset, and the presets on either side):
//   encoder_cpu_ms    CPU time per frame of conversion and encoding alone, on the
//                     benchmark's thread, without queue, muxer or file
//   movie_mbit_s      the resulting data rate of the movie (10 frames a second)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/packet.h>
}

#include "capture/recording/H264Encoder.h"
#include "capture/recording/Recorder.h"
#include "tests/support/MainQueue.h"
#include "tools/camsim/PictureSource.h"

using namespace lumetra;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCameraFps = 30;
constexpr int kSeconds = 20;
constexpr int kDistinctFrames = 16;

// Distinct frames of the drifting, noisy specimen, made before any timing.
const std::vector<Frame>& cameraFrames() {
    static const std::vector<Frame> frames = [] {
        camsim::PictureSource source(1, 0);
        camsim::PictureSettings settings;
        settings.width = kWidth;
        settings.height = kHeight;
        std::vector<Frame> made;
        for (int i = 0; i < kDistinctFrames; ++i)
            made.push_back(source.frame(settings, static_cast<double>(i) / kCameraFps,
                                        static_cast<uint64_t>(i)));
        return made;
    }();
    return frames;
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Outcome : RecorderListener {
    bool ended = false;
    void started(const std::string&) override {}
    void thumbnailWritten(const std::string&) override {}
    void thumbnailFailed(const std::string&, const std::string&) override {}
    void finished(const std::string&, uint64_t) override { ended = true; }
    void failed(const std::string&) override { ended = true; }
};

void BM_Recording(benchmark::State& state) {
    const auto& frames = cameraFrames();
    const auto folder = std::filesystem::temp_directory_path() / "lumetra-bench-recording";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        test::MainQueue main;
        Outcome outcome;
        Recorder recorder(main.poster());
        recorder.setListener(&outcome);
        recorder.recordingVideo(frames[0]);  // the camera delivers
        if (recorder.onTakeVideoAction(true, {folder.string() + "/", kWidth, kHeight}) !=
            RecordPress::Started) {
            state.SkipWithError("the recording did not start");
            break;
        }
        std::vector<double> callerMs;
        const auto period = std::chrono::microseconds(1000000 / kCameraFps);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCameraFps * kSeconds; ++i) {
            std::this_thread::sleep_until(start + period * i);
            const auto before = std::chrono::steady_clock::now();
            recorder.recordingVideo(frames[static_cast<size_t>(i) % frames.size()]);
            callerMs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before)
                    .count());
            main.drain();
        }
        const auto stats = recorder.stats();
        recorder.onTakeVideoAction(true, {});
        recorder.recordingVideo(frames[0]);
        main.runUntil([&] { return outcome.ended; }, std::chrono::minutes(2));

        std::sort(callerMs.begin(), callerMs.end());
        const auto slots = static_cast<double>(stats.slotsWritten + stats.slotsSkipped);
        const auto written = recorder.stats();
        state.counters["written_fps"] = static_cast<double>(written.framesEncoded) / kSeconds;
        state.counters["slots_written_pct"] =
            100.0 * static_cast<double>(stats.slotsWritten) / slots;
        state.counters["slots_skipped"] = static_cast<double>(stats.slotsSkipped);
        state.counters["caller_ms_median"] = callerMs[callerMs.size() / 2];
        state.counters["caller_ms_max"] = callerMs.back();
        state.counters["encoder_cpu_ms"] =
            1000.0 * written.workerCpuSeconds / static_cast<double>(written.framesEncoded);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Recording)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_BareX264(benchmark::State& state, const char* preset) {
    const auto& frames = cameraFrames();
    std::string error;
    EncoderSettings settings;
    settings.width = kWidth;
    settings.height = kHeight;
    settings.preset = preset;
    auto encoder = H264Encoder::open(settings, error);
    if (!encoder) {
        state.SkipWithError(error.c_str());
        return;
    }
    int64_t bytes = 0;
    const auto discard = [&bytes](AVPacket* packet) {
        bytes += packet->size;
        return 0;
    };
    int64_t index = 0;
    const double cpuBefore = threadCpuSeconds();
    for (auto _ : state) {
        const Frame& frame = frames[static_cast<size_t>(index) % frames.size()];
        // Frames a tenth of a second apart.
        const int64_t pts = index++ * (kMovieTicksPerSecond / 10);
        if (encoder->encode(frame, pts, discard, nullptr) != H264Encoder::Result::Encoded)
            state.SkipWithError("encoding failed");
    }
    encoder->flush(discard);
    state.counters["encoder_cpu_ms"] =
        1000.0 * (threadCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
    // The movie's data rate: frames are a tenth of a second of movie each.
    state.counters["movie_mbit_s"] =
        static_cast<double>(bytes) * 8e-6 / (static_cast<double>(state.iterations()) / 10.0);
    state.SetItemsProcessed(state.iterations());
}
// The recording's preset, and its neighbours for the choice.
constexpr int kBareFrames = kSeconds * kCameraFps / 2;
BENCHMARK_CAPTURE(BM_BareX264, recording_preset, kRecordingPreset)
    ->Iterations(kBareFrames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareX264, superfast, "superfast")
    ->Iterations(kBareFrames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareX264, veryfast, "veryfast")
    ->Iterations(kBareFrames)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
