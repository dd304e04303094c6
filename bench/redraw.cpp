// Cost of one redraw of the live view (950 x 712, a 1920 x 1080 frame scaled
// in, fifty labelled shapes, a square grid at pitch 5) through the QPainter
// surface: drawn afresh, with laid-out labels cached, and with the overlay and
// the stored shapes kept as layers; and of the snapshot drawing on a
// 2592 x 1944 bitmap; and of the whole view as a resized window paints it: a
// 2592 x 1944 frame fitted into the view's widget in a 1400 x 900, 1366 x 768
// and 1920 x 1080 window, the measurements scaled with it, repainting one frame
// and painting a new frame each time. Target for the cached redraw: under 4 ms.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <utility>

#include "BenchScene.h"
#include "app/LiveViewPainter.h"
#include "app/OverlayImageCache.h"
#include "app/QPainterSurface.h"
#include "app/ShapeLayerCache.h"
#include "measure/MeasurementPass.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"
#include "policy/ViewZoom.h"

namespace lumetra {
namespace {

constexpr int kViewW = 950;
constexpr int kViewH = 712;

void BM_FullRedrawUncached(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(1920, 1080);
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);  // fresh label layout every frame
        drawLiveView(surface, frame, model, kViewW, kViewH);
    }
}
BENCHMARK(BM_FullRedrawUncached)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FullRedrawCached(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(1920, 1080);
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    StaticTextCache labels;
    OverlayImageCache overlay;
    ShapeLayerCache shapes;
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH, &labels);
        CachedLayers layers;
        layers.overlay = [&](const OverlaySetting& setting, double w, double h) {
            overlay.draw(surface, setting, w, h);
        };
        layers.shapes = [&](std::span<const RQShape> stored, const CalibrationValues& cal) {
            shapes.draw(surface, stored, cal, kViewW, kViewH);
        };
        drawLiveView(surface, frame, model, kViewW, kViewH, layers);
    }
}
BENCHMARK(BM_FullRedrawCached)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Only the label layout cached, overlay and shapes drawn afresh each frame.
void BM_FullRedrawLabelCache(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(1920, 1080);
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    StaticTextCache labels;
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH, &labels);
        drawLiveView(surface, frame, model, kViewW, kViewH);
    }
}
BENCHMARK(BM_FullRedrawLabelCache)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The parts of a cached redraw on their own.
void BM_FrameScaling(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(1920, 1080);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);
        surface.drawImage(frame, {0, 0, kViewW, kViewH});
    }
}
BENCHMARK(BM_FrameScaling)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ShapesWithCachedLabels(benchmark::State& state) {
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    target.fill(Qt::white);
    StaticTextCache labels;
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH, &labels);
        drawGraphit(surface, model, 1.0f, 1.0f);
    }
}
BENCHMARK(BM_ShapesWithCachedLabels)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_GridStroked(benchmark::State& state) {
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    target.fill(Qt::white);
    const OverlayGeometry grid = viewOverlay(model.iGridMode, kViewW, kViewH, model.fPitchPixes);
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);
        drawOverlay(surface, grid, model.iLineWidth, model.ctrLColor);
    }
}
BENCHMARK(BM_GridStroked)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_GridFromCache(benchmark::State& state) {
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    target.fill(Qt::white);
    OverlayImageCache overlay;
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);
        overlay.draw(surface, overlayOf(model), kViewW, kViewH);
    }
}
BENCHMARK(BM_GridFromCache)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The picture of a w x h widget zoomed `factor` times about its centre.
std::pair<ViewFit, double> zoomedView(int w, int h, double factor) {
    ViewZoom zoom;
    const ViewFit fit = fitView({950.0, 712.5}, w, h);
    zoom.zoomAbout(factor, w / 2.0, h / 2.0, fit, w, h);
    return {zoom.place(fit, w, h), zoom.factor()};
}

// The view's widget in a window of each size (the picture area between the
// panels, above the hint line), painting as the view does, at fit or zoomed.
void BM_WindowRedraw(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(2592, 1944);
    MeasureModel model = bench::fiftyShapes(5.0f);
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    QImage target(w, h, QImage::Format_RGB32);
    const auto [view, zoom] = zoomedView(w, h, static_cast<double>(state.range(3)));
    LiveViewPainter painter;
    // A third argument of 0 draws the frame alone (the fast path's cost).
    const LiveViewContent content{frame, state.range(2) ? &model : nullptr};
    for (auto _ : state) {
        QPainter p(&target);
        painter.paint(p, view, zoom, w, h, 1.0, content, Qt::black);
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h) + " widget, scale " +
                   std::to_string(view.scale) + ", zoom " + std::to_string(zoom));
}
BENCHMARK(BM_WindowRedraw)
    ->Args({950, 734, 1, 1})   // 1400 x 900 window
    ->Args({916, 602, 1, 1})   // 1366 x 768 window
    ->Args({1470, 914, 1, 1})  // 1920 x 1080 window
    ->Args({1470, 914, 0, 1})  // the frame alone
    ->Args({1470, 914, 1, 4})  // zoomed 4x
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// The 1920 x 1080 window painting a new frame each time (each frame is scaled in
// place; BM_WindowRedraw repaints one frame, from the scaled picture kept for it),
// at fit or zoomed; a 2592 x 1944 frame, or one decoded halved for the screen
// (1296 x 972, still covering the 1219 x 914 pixels the picture has at fit).
void BM_WindowRedrawNewFrame(benchmark::State& state) {
    const int fw = static_cast<int>(state.range(1));
    const int fh = fw * 3 / 4;
    const Frame frames[2] = {bench::texturedFrame(fw, fh), bench::texturedFrame(fw, fh)};
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage target(1470, 914, QImage::Format_RGB32);
    const auto [view, zoom] = zoomedView(1470, 914, static_cast<double>(state.range(0)));
    LiveViewPainter painter;
    size_t n = 0;
    for (auto _ : state) {
        QPainter p(&target);
        painter.paint(p, view, zoom, 1470, 914, 1.0, {frames[n++ % 2], &model}, Qt::black);
    }
}
BENCHMARK(BM_WindowRedrawNewFrame)
    ->Args({1, 2592})
    ->Args({4, 2592})
    ->Args({1, 1296})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// Snapshot composition at the camera's resolution: frame, shapes, overlay.
void BM_SnapshotDrawing(benchmark::State& state) {
    const Frame frame = bench::texturedFrame(2592, 1944);
    MeasureModel model = bench::fiftyShapes(5.0f);
    QImage bitmap(2592, 1944, QImage::Format_ARGB32_Premultiplied);
    const float xs = 2592.0f / kViewW;
    const float ys = 1944.0f / kViewH;
    for (auto _ : state) {
        QPainter painter(&bitmap);
        QPainterSurface surface(painter, bitmap.height());
        surface.drawImage(frame, {0, 0, 2592, 1944});
        drawShapes(surface, model, 2592.0f, 1944.0f, xs, ys);
    }
}
BENCHMARK(BM_SnapshotDrawing)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace lumetra

LUMETRA_QT_BENCHMARK_MAIN()
