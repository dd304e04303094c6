// Opening an album of 5,000 snapshots of 1920 x 1080: how long the photo list
// takes to build, how long until the first 100 thumbnails are decoded (the
// default decoding workers, one per core), and how much resident memory that
// costs; then the memory after scrolling through every thumbnail of the album.
// Targets: list under 50 ms, first 100 thumbnails under 300 ms on two cores,
// growth under 100 MB.
//
// The album is generated once into $XDG_CACHE_HOME/lumetra-bench (or
// ~/.cache/lumetra-bench), outside the repository, and reused afterwards.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>

#include "capture/StampedName.h"
#include "image/AtomicFile.h"
#include "image/Frame.h"
#include "image/JpegCodec.h"
#include "storage/MediaList.h"
#include "storage/ThumbnailProvider.h"

namespace fs = std::filesystem;
using namespace lumetra;

namespace {

constexpr int kSnapshots = 5000;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFirstThumbnails = 100;

std::string cacheFolder() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        return std::string(xdg) + "/lumetra-bench";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/lumetra-bench";
}

// A picture that changes with i: soft gradients, a bright disc moving across and
// a fine pattern, so that files have a realistic size and differ from each other.
Frame makePicture(int i) {
    Frame f = Frame::allocate(kWidth, kHeight);
    const double cx = 200 + (i * 37) % (kWidth - 400);
    const double cy = 200 + (i * 53) % (kHeight - 400);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < kWidth; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            const int disc = d < 150 ? 90 : 0;
            const int texture = ((x * 7 + y * 13 + i) % 17) - 8;
            row[x * 4 + 0] = static_cast<uint8_t>(std::clamp(60 + x / 16 + disc + texture, 0, 255));
            row[x * 4 + 1] =
                static_cast<uint8_t>(std::clamp(40 + y / 8 + disc / 2 + texture, 0, 255));
            row[x * 4 + 2] = static_cast<uint8_t>(std::clamp(120 + (i % 100) + texture, 0, 255));
            row[x * 4 + 3] = 255;
        }
    }
    return f;
}

// "yyyyMMddHHmmss" names a few seconds apart, some taken within one second.
std::string snapshotName(int i) {
    const std::time_t t = 1735689600 + static_cast<std::time_t>(i / 3) * 11;  // 2025-01-01
    std::tm tm{};
    gmtime_r(&t, &tm);
    return snapshotFileName(timestampName(tm), i % 3);
}

// The album's "Image" folder, generated on first use.
const std::string& albumImages() {
    static const std::string folder = [] {
        const std::string dir = cacheFolder() + "/album-5000/Image/";
        const std::string done = cacheFolder() + "/album-5000/complete";
        if (fs::exists(done)) return dir;
        fs::create_directories(dir);
        std::fprintf(stderr, "generating %d snapshots in %s (once)...\n", kSnapshots, dir.c_str());
        for (int i = 0; i < kSnapshots; ++i) {
            const std::string path = dir + snapshotName(i);
            if (fs::exists(path)) continue;
            const auto bytes = encodeJpeg(makePicture(i), 90);
            writeFileAtomically(path, bytes.data(), bytes.size());
        }
        std::ofstream(done) << kSnapshots << "\n";
        return dir;
    }();
    return folder;
}

size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// CPU time of the whole process (main thread and decoding workers), in ms: the
// work done, whatever else shares the machine.
double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double megabytes(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// The main thread's event loop, reduced to a queue of tasks.
class MainLoop {
public:
    PostToMain poster() {
        return [this](std::function<void()> task) {
            {
                std::lock_guard lock(mutex_);
                tasks_.push_back(std::move(task));
            }
            cv_.notify_one();
        };
    }
    void runUntil(const std::function<bool()>& done) {
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                cv_.wait(lock, [&] { return !tasks_.empty(); });
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> tasks_;
};

void BM_ListAlbum(benchmark::State& state) {
    const std::string& folder = albumImages();
    MediaList list(MediaKind::Picture);
    for (auto _ : state) {
        list.load(folder);
        benchmark::DoNotOptimize(list.size());
    }
    if (list.size() != kSnapshots) state.SkipWithError("album incomplete");
    state.counters["items"] = static_cast<double>(list.size());
}
BENCHMARK(BM_ListAlbum)->Unit(benchmark::kMillisecond);

void BM_OpenAlbumFirstThumbnails(benchmark::State& state) {
    const std::string& folder = albumImages();
    double growth = 0;
    double cpu = 0;
    for (auto _ : state) {
        const size_t before = residentBytes();
        const double cpuBefore = processCpuMs();
        MainLoop loop;
        int delivered = 0;
        ThumbnailProvider provider(loop.poster(), [&](const std::string&) { ++delivered; });
        MediaList list(MediaKind::Picture);
        list.load(folder);
        // The grid asks for the cells it shows, the last visible one first.
        for (int i = kFirstThumbnails - 1; i >= 0; --i)
            provider.thumbnail(list.items()[static_cast<size_t>(i)].itemTitle);
        loop.runUntil([&] { return delivered == kFirstThumbnails; });
        growth = std::max(growth, megabytes(residentBytes() - std::min(before, residentBytes())));
        cpu += processCpuMs() - cpuBefore;
    }
    state.counters["rss_growth_MB"] = growth;
    state.counters["process_cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenAlbumFirstThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrollWholeAlbum(benchmark::State& state) {
    const std::string& folder = albumImages();
    double peak = 0;
    for (auto _ : state) {
        const size_t before = residentBytes();
        MainLoop loop;
        int delivered = 0;
        ThumbnailProvider provider(loop.poster(), [&](const std::string&) { ++delivered; });
        MediaList list(MediaKind::Picture);
        list.load(folder);
        // A page of 100 cells at a time, each page waited for before scrolling on.
        for (size_t page = 0; page < list.size(); page += kFirstThumbnails) {
            const size_t end = std::min(list.size(), page + kFirstThumbnails);
            for (size_t i = page; i < end; ++i) provider.thumbnail(list.items()[i].itemTitle);
            const int target = static_cast<int>(end);
            loop.runUntil([&] { return delivered == target; });
            peak = std::max(peak, megabytes(residentBytes() - std::min(before, residentBytes())));
        }
    }
    state.counters["rss_peak_growth_MB"] = peak;
}
BENCHMARK(BM_ScrollWholeAlbum)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
