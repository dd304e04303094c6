// Scrolling the thumbnail grid: 10,000 items of 80 x 80 in an 800 x 600 view,
// from the top to the bottom, 40 points per frame; every frame scrolls and
// paints the whole grid (background, cells, thumbnails) into an image.
// Reports frames per second (by the clock, and by the process's CPU time, which
// holds when other work shares the machine) and the most cells alive at once,
// beside the target: the visible rows plus one row.
// Targets: at least 60 frames per second, live cells at most the target.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "app/Images.h"
#include "app/grid/CNGridView.h"
#include "app/grid/CNGridViewDataSource.h"
#include "app/grid/CNGridViewItem.h"

namespace lumetra {
namespace {

constexpr int kItems = 10000;
constexpr int kViewW = 800;
constexpr int kViewH = 600;
constexpr int kItemSide = 80;
constexpr int kStep = 40;

// Thumbnails as the cache holds them (240 x 135), a few different ones.
std::vector<QImage> thumbnails() {
    std::vector<QImage> out;
    for (int i = 0; i < 8; ++i) {
        QImage image(240, 135, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 45, 120, 200));
        QPainter painter(&image);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPoint(40 + i * 20, 60), 30, 30);
        out.push_back(image);
    }
    return out;
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The album pages' data source: pooled cells first, album appearances, no title.
class AlbumSource : public CNGridViewDataSource {
public:
    int numberOfItemsInSection(CNGridView&, int) override { return kItems; }
    CNGridViewItem* itemAtIndex(CNGridView& grid, int index, int) override {
        CNGridViewItem* cell =
            grid.dequeueReusableItemWithIdentifier(CNGridViewItem::kDefaultReuseIdentifier);
        if (!cell) cell = new CNGridViewItem(layouts_.defaultLayout);
        cell->setHoverLayout(layouts_.hoverLayout);
        cell->setSelectionLayout(layouts_.selectionLayout);
        cell->setItemTitle(QString());
        cell->setItemImage(pictures_[static_cast<size_t>(index) % pictures_.size()]);
        return cell;
    }

private:
    CNGridViewItemLayouts layouts_ = albumItemLayouts();
    std::vector<QImage> pictures_ = thumbnails();
};

void BM_ScrollGridTopToBottom(benchmark::State& state) {
    AlbumSource source;
    CNGridView grid;
    grid.setFrameShape(QFrame::NoFrame);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setDataSource(&source);
    grid.setItemSize(QSize(kItemSide, kItemSide));
    grid.setBackgroundColor(QBrush(bitmapImage("BackgroundNoisy")));
    grid.resize(kViewW, kViewH);
    grid.show();
    grid.reloadData();
    QImage target(grid.size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar* bar = grid.verticalScrollBar();

    int maxLive = 0;
    double frames = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        bar->setValue(0);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        for (int top = 0; top <= bar->maximum(); top += kStep) {
            bar->setValue(top);
            grid.render(&target);
            maxLive = std::max(maxLive, grid.liveItemCount());
            ++frames;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpuSeconds += processCpuSeconds() - cpuStart;
    }
    const int columns = kViewW / kItemSide;
    const int visibleRows = (kViewH + kItemSide - 1) / kItemSide;
    state.counters["fps"] = frames / seconds;
    state.counters["fps_cpu"] = frames / cpuSeconds;
    state.counters["live_cells"] = maxLive;
    state.counters["target_cells"] = (visibleRows + 1) * columns;
}
BENCHMARK(BM_ScrollGridTopToBottom)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace lumetra

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
