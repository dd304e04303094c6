// Opening an album of 100,000 snapshots of 1920 x 1080, each with its sidecar:
// how long the photo list takes to build, how long until the first 100
// thumbnails are decoded (the default decoding workers, one per core), and how
// much resident memory that costs; then the memory while scrolling through
// every thumbnail of the album.
// Targets: list under 100 ms, first 100 thumbnails under 300 ms on two cores,
// resident memory while scrolling under 150 MB.
//
// A few hundred distinct pictures are generated once into
// $XDG_CACHE_HOME/lumetra-bench (or ~/.cache/lumetra-bench), outside the
// repository. Each run links them under the album's names into a fresh folder
// beside them, removed at exit. LUMETRA_BENCH_ALBUM_SIZE sets another number
// of snapshots (the smoke pass takes a small one).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
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
#include <vector>

#include "app/SnapshotEncoding.h"
#include "capture/SnapshotSidecar.h"
#include "capture/StampedName.h"
#include "image/AtomicFile.h"
#include "image/Frame.h"
#include "storage/MediaList.h"
#include "storage/ThumbnailProvider.h"

namespace fs = std::filesystem;
using namespace lumetra;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kDistinctPictures = 300;
constexpr int kFirstThumbnails = 100;

int albumSize() {
    const char* size = std::getenv("LUMETRA_BENCH_ALBUM_SIZE");
    const int n = size ? std::atoi(size) : 0;
    return n > 0 ? std::max(n, kFirstThumbnails) : 100000;
}

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

// The distinct pictures, each with its sidecar, generated on first use. They are
// encoded as the window encodes a snapshot, thumbnail included.
const std::string& distinctFolder() {
    static const std::string folder = [] {
        const std::string dir = cacheFolder() + "/distinct-1080p-thumbnail/";
        const std::string done = dir + "complete";
        if (fs::exists(done)) return dir;
        fs::create_directories(dir);
        SnapshotRecord record;
        record.frameWidth = kWidth;
        record.frameHeight = kHeight;
        record.viewWidth = kWidth;
        record.viewHeight = kHeight;
        const std::string json = sidecarJson(record);
        std::fprintf(stderr, "generating %d pictures in %s (once)...\n", kDistinctPictures,
                     dir.c_str());
        for (int i = 0; i < kDistinctPictures; ++i) {
            const std::string path = dir + std::to_string(i) + ".jpg";
            if (fs::exists(path)) continue;
            const auto bytes = composeAndEncodeSnapshot(makePicture(i), {kWidth, kHeight}, {},
                                                        nullptr, 90, snapshotComment(record));
            for (const auto& written : {writeFileAtomically(path, bytes.data(), bytes.size()),
                                        writeFileAtomically(path + ".json", json)}) {
                if (written) continue;
                std::fprintf(stderr, "%s\n", written.message().c_str());
                std::exit(1);
            }
        }
        std::ofstream(done) << kDistinctPictures << "\n";
        return dir;
    }();
    return folder;
}

// An album folder of hard links: snapshot i and its sidecar are distinct picture
// i modulo their number and its sidecar. Removed at exit.
class LinkedAlbum {
public:
    explicit LinkedAlbum(int size) {
        const std::string& distinct = distinctFolder();
        std::string pattern = cacheFolder() + "/album-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        album_ = pattern;
        images_ = album_ + "/Image/";
        fs::create_directories(images_);
        fs::create_directories(album_ + "/Video");
        for (int i = 0; i < size; ++i) {
            const std::string name = images_ + snapshotName(i);
            const std::string picture = distinct + std::to_string(i % kDistinctPictures) + ".jpg";
            if (::link(picture.c_str(), name.c_str()) != 0 ||
                ::link((picture + ".json").c_str(), (name + ".json").c_str()) != 0) {
                std::perror(name.c_str());
                fs::remove_all(album_);
                std::exit(1);
            }
        }
    }
    ~LinkedAlbum() {
        std::error_code ec;
        fs::remove_all(album_, ec);
    }
    LinkedAlbum(const LinkedAlbum&) = delete;
    LinkedAlbum& operator=(const LinkedAlbum&) = delete;

    // The album's "Image" folder.
    const std::string& images() const { return images_; }

private:
    std::string album_;
    std::string images_;
};

const std::string& albumImages() {
    static const LinkedAlbum album(albumSize());
    return album.images();
}

size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// The process's resident high-water mark (VmHWM), in bytes; 0 when unknown.
size_t peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

// Starts the high-water mark again from the present resident memory.
void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

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
    if (list.size() != static_cast<size_t>(albumSize())) state.SkipWithError("album incomplete");
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
    double highWater = 0;
    for (auto _ : state) {
        resetPeakResident();
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
        highWater = std::max(highWater, megabytes(peakResidentBytes()));
    }
    state.counters["rss_peak_growth_MB"] = peak;
    state.counters["rss_high_water_MB"] = highWater;
}
BENCHMARK(BM_ScrollWholeAlbum)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
