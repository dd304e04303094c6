// Cost of one redraw of the live view (950 x 712, a 1920 x 1080 frame scaled
// in, fifty labelled shapes, a square grid at pitch 5) through the QPainter
// surface: drawn afresh, with laid-out labels cached, and with the overlay and
// the stored shapes kept as layers; and of the snapshot drawing on a
// 2592 x 1944 bitmap. Target for the cached redraw: under 4 ms.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "app/OverlayImageCache.h"
#include "app/QPainterSurface.h"
#include "app/ShapeLayerCache.h"
#include "measure/MeasurementPass.h"
#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {
namespace {

constexpr int kViewW = 950;
constexpr int kViewH = 712;

Frame testFrame(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < w; ++x) {
            row[4 * x + 0] = static_cast<uint8_t>(x * 7 + y);
            row[4 * x + 1] = static_cast<uint8_t>(x ^ y);
            row[4 * x + 2] = static_cast<uint8_t>(y * 3);
            row[4 * x + 3] = 255;
        }
    }
    return f;
}

// Fifty stored shapes of every kind, spread over the view, each labelled.
MeasureModel testModel() {
    MeasureModel m;
    m.initVideoView();
    m.resetMeasureParas();
    const uint8_t types[] = {kModeLine,
                             kModeContinuousLine,
                             kModeParallelLines,
                             kModeCircleRadius,
                             kModeCircleDiameter,
                             kModeCircleThreePoints,
                             kModeAngleThreePoints,
                             kModeAngleFourPoints,
                             kModePolygon,
                             kModeText};
    for (int i = 0; i < 50; ++i) {
        RQShape s;
        s.type = types[i % 10];
        const double x = 40.0 + (i % 10) * 90.0;
        const double y = 60.0 + (i / 10) * 130.0;
        for (int k = 1; k <= 9; ++k) s.pt(k) = {x + 8.0 * k, y + ((k % 2) ? 0.0 : 30.0)};
        s.pt5thPoint = {x + 20.0, y + 20.0};
        s.pt(s.type == kModeContinuousLine || s.type == kModePolygon               ? 10
             : s.type == kModeParallelLines || s.type == kModeAngleFourPoints      ? 5
             : s.type == kModeCircleThreePoints || s.type == kModeAngleThreePoints ? 4
             : s.type == kModeText                                                 ? 1
                                   : 3) = {x, y + 60.0};
        s.fData1 = 25.0f + static_cast<float>(i);
        s.textValue = "Sample " + std::to_string(i);
        m.oMutShapsArray.push_back(s);
    }
    m.setGridView(kGridSquare, 5.0f / 60.0f, 60.0f, 1.0f);  // pitch 5 view units
    return m;
}

void BM_FullRedrawUncached(benchmark::State& state) {
    const Frame frame = testFrame(1920, 1080);
    MeasureModel model = testModel();
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);  // fresh label layout every frame
        drawLiveView(surface, frame, model, kViewW, kViewH);
    }
}
BENCHMARK(BM_FullRedrawUncached)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FullRedrawCached(benchmark::State& state) {
    const Frame frame = testFrame(1920, 1080);
    MeasureModel model = testModel();
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
    const Frame frame = testFrame(1920, 1080);
    MeasureModel model = testModel();
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
    const Frame frame = testFrame(1920, 1080);
    QImage target(kViewW, kViewH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        QPainterSurface surface(painter, kViewH);
        surface.drawImage(frame, {0, 0, kViewW, kViewH});
    }
}
BENCHMARK(BM_FrameScaling)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ShapesWithCachedLabels(benchmark::State& state) {
    MeasureModel model = testModel();
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
    MeasureModel model = testModel();
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
    MeasureModel model = testModel();
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

// Snapshot composition at the camera's resolution: frame, shapes, overlay.
void BM_SnapshotDrawing(benchmark::State& state) {
    const Frame frame = testFrame(2592, 1944);
    MeasureModel model = testModel();
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

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
