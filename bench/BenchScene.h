#pragma once
// The scene the drawing benchmarks share: a textured camera frame and fifty
// stored shapes of every kind spread over a 950 x 712 view, each labelled.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "image/Frame.h"
#include "measure/MeasureModel.h"

namespace lumetra::bench {

inline Frame texturedFrame(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < w; ++x) {
            row[4 * x + 0] = static_cast<uint8_t>(60 + (x * 97 + y * 13) % 120);
            row[4 * x + 1] = static_cast<uint8_t>(80 + (x / 8 + y / 8) % 90);
            row[4 * x + 2] = static_cast<uint8_t>(100 + (y * 3) % 100);
            row[4 * x + 3] = 255;
        }
    }
    return f;
}

// Fifty labelled shapes and a square grid of the given pitch in view units
// (with the default calibration, 60 view units per mm).
inline MeasureModel fiftyShapes(float gridPitch) {
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
        const int anchor = s.type == kModeContinuousLine || s.type == kModePolygon          ? 10
                           : s.type == kModeParallelLines || s.type == kModeAngleFourPoints ? 5
                           : s.type == kModeCircleThreePoints || s.type == kModeAngleThreePoints ? 4
                           : s.type == kModeText                                                 ? 1
                                                 : 3;
        s.pt(anchor) = {x, y + 60.0};
        s.fData1 = 25.0f + static_cast<float>(i);
        s.textValue = "Sample " + std::to_string(i);
        m.oMutShapsArray.push_back(s);
    }
    m.setGridView(kGridSquare, gridPitch / 60.0f, 60.0f, 1.0f);
    return m;
}

}  // namespace lumetra::bench

// main() of a benchmark that draws with Qt: the offscreen platform unless one is set.
#define LUMETRA_QT_BENCHMARK_MAIN()                                                       \
    int main(int argc, char** argv) {                                                     \
        if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1); \
        QGuiApplication app(argc, argv);                                                  \
        benchmark::Initialize(&argc, argv);                                               \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                 \
        benchmark::RunSpecifiedBenchmarks();                                              \
        benchmark::Shutdown();                                                            \
        return 0;                                                                         \
    }
