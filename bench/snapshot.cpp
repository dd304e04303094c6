// Cost of one snapshot at 2592 x 1944 with fifty labelled shapes and a square
// grid burnt in: composition (frame copied, shapes, labels, grid mapped from the
// view's 950 x 712 units), JPEG encoding at quality 90 and the atomic write into
// a temporary folder, together as the view takes it (its own snapshot function:
// composing overlapped with encoding, the sidecar written meanwhile) and each on
// its own, the embedded thumbnail's reduction among them. Target for the whole:
// at most the encoding plus 5 ms. The bare path (frame encoded as it is) for
// comparison.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchScene.h"
#include "app/QPainterSurface.h"
#include "app/SnapshotComposer.h"
#include "app/SnapshotEncoding.h"
#include "app/ViewSnapshot.h"
#include "capture/SnapshotWriter.h"
#include "image/FrameShrink.h"
#include "image/JpegCodec.h"
#include "storage/RQGlobalVariables.h"
#include "storage/ThumbnailLoader.h"

namespace lumetra {
namespace {

constexpr int kWidth = 2592;
constexpr int kHeight = 1944;
constexpr double kViewW = 950;
constexpr double kViewH = 712;

// A picture folder that is emptied between batches, outside the timing.
class Folder {
public:
    explicit Folder(const std::string& name = "pictures") {
        path_ = std::filesystem::temp_directory_path() / ("lumetra-bench-snapshot-" + name);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string path() const { return path_.string() + "/"; }
    // A stamp no earlier iteration used, so every write is a fresh name.
    std::string nextStamp() { return "20250303090507-" + std::to_string(++count_); }
    // For writes whose stamp is the current time: a fresh name within each second.
    void countAndClearIfFull(benchmark::State& state) {
        ++count_;
        clearIfFull(state);
    }
    void clearIfFull(benchmark::State& state) {
        if (count_ % 200 != 0) return;
        state.PauseTiming();
        for (const auto& e : std::filesystem::directory_iterator(path_))
            std::filesystem::remove(e.path());
        state.ResumeTiming();
    }

private:
    std::filesystem::path path_;
    long count_ = 0;
};

void BM_SnapshotTotal(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(kWidth, kHeight);
    const MeasureModel model = bench::fiftyShapes(20.0f);
    StaticTextCache labels;  // the view's cache: its labels are laid out on screen already
    Folder folder;
    Folder home("home");
    RQGlobalVariables settings(home.path(), LUMETRA_RESOURCE_DIR);
    settings.setStrDocumentsPicture(folder.path());
    settings.setSnapshotCleanCopy(false);  // the picture and its sidecar alone
    settings.setSnapshotAnalysisCopy(false);
    const ViewSnapshotSource source{frame, model, {&model, kViewW, kViewH}, &labels};
    for (auto _ : state) {
        // As the view writes it: composed while encoded, with its comment and its sidecar.
        const ViewSnapshotOutcome outcome = writeViewSnapshot(source, {kWidth, kHeight}, settings);
        if (!outcome.path || !outcome.failures.empty()) state.SkipWithError("write failed");
        folder.countAndClearIfFull(state);
    }
}
BENCHMARK(BM_SnapshotTotal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotCompose(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(kWidth, kHeight);
    const MeasureModel model = bench::fiftyShapes(20.0f);
    StaticTextCache labels;
    for (auto _ : state) {
        const Frame picture =
            composeSnapshot(frame, {kWidth, kHeight}, {&model, kViewW, kViewH}, &labels);
        benchmark::DoNotOptimize(picture.data.get());
    }
}
BENCHMARK(BM_SnapshotCompose)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotComposeUncachedLabels(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(kWidth, kHeight);
    const MeasureModel model = bench::fiftyShapes(20.0f);
    for (auto _ : state) {
        const Frame picture = composeSnapshot(frame, {kWidth, kHeight}, {&model, kViewW, kViewH});
        benchmark::DoNotOptimize(picture.data.get());
    }
}
BENCHMARK(BM_SnapshotComposeUncachedLabels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotEncode(benchmark::State& state) {
    const MeasureModel model = bench::fiftyShapes(20.0f);
    const Frame picture = composeSnapshot(bench::texturedFrame(kWidth, kHeight), {kWidth, kHeight},
                                          {&model, kViewW, kViewH});
    const int quality = qualityFromCompressionFactor(kSnapshotCompressionFactor);
    for (auto _ : state) {
        const auto bytes = encodeJpeg(picture, quality);
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(BM_SnapshotEncode)->Unit(benchmark::kMillisecond)->UseRealTime();

// The embedded thumbnail's reduction of the composed picture, as the encoder's
// thread makes it band by band.
void BM_SnapshotThumbnail(benchmark::State& state) {
    const MeasureModel model = bench::fiftyShapes(20.0f);
    const Frame picture = composeSnapshot(bench::texturedFrame(kWidth, kHeight), {kWidth, kHeight},
                                          {&model, kViewW, kViewH});
    for (auto _ : state) {
        RowShrinker thumbnail(kWidth, kHeight, kThumbnailMaxSide);
        for (int top = 0; top < kHeight; top += kSnapshotBandRows)
            thumbnail.addRows(picture.row(top), std::min(kSnapshotBandRows, kHeight - top),
                              picture.stride);
        const Frame out = thumbnail.take();
        benchmark::DoNotOptimize(out.data.get());
    }
}
BENCHMARK(BM_SnapshotThumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotWrite(benchmark::State& state) {
    const MeasureModel model = bench::fiftyShapes(20.0f);
    const Frame picture = composeSnapshot(bench::texturedFrame(kWidth, kHeight), {kWidth, kHeight},
                                          {&model, kViewW, kViewH});
    const auto bytes =
        encodeJpeg(picture, qualityFromCompressionFactor(kSnapshotCompressionFactor));
    Folder folder;
    for (auto _ : state) {
        const auto path =
            writeSnapshotBytes(folder.path(), folder.nextStamp(), bytes.data(), bytes.size());
        if (!path) state.SkipWithError("write failed");
        folder.clearIfFull(state);
    }
}
BENCHMARK(BM_SnapshotWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// No shape and no overlay: the frame is encoded as it is.
void BM_SnapshotBareTotal(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(kWidth, kHeight);
    Folder folder;
    for (auto _ : state) {
        const Frame picture = composeSnapshot(frame, {kWidth, kHeight}, {});
        const auto path = writeSnapshot(picture, folder.path(), folder.nextStamp());
        if (!path) state.SkipWithError("write failed");
        folder.clearIfFull(state);
    }
}
BENCHMARK(BM_SnapshotBareTotal)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lumetra

LUMETRA_QT_BENCHMARK_MAIN()
