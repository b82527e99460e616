// Line drawing speed: the chart's fast line series draws one LineTo per
// point, mostly short segments with a two-pixel pen.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <ctime>
#include <random>
#include <vector>

#include "BenchImageHost.h"
#include "framework/core/Geometry.h"
#include "chart/ChartCanvas.h"
#include "framework/gui/paint/Bitmap.h"

namespace {

constexpr int kWidth = 697;
constexpr int kHeight = 300;
constexpr int kSegments = 1000000;

// A random walk of segments at most 10 pixels long, kept inside the image.
std::vector<fw::TPoint> RandomWalk() {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> step(-7, 7);
    std::vector<fw::TPoint> points;
    points.reserve(kSegments + 1);
    fw::TPoint p{kWidth / 2, kHeight / 2};
    points.push_back(p);
    while (static_cast<int>(points.size()) <= kSegments) {
        const int dx = step(rng), dy = step(rng);
        if (dx * dx + dy * dy > 100) continue;
        p.X = std::clamp(p.X + dx, 0, kWidth - 1);
        p.Y = std::clamp(p.Y + dy, 0, kHeight - 1);
        points.push_back(p);
    }
    return points;
}

// CPU time of this thread: steadier than the wall clock on a shared machine.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

const std::vector<fw::TPoint>& Walk() {
    static const std::vector<fw::TPoint> walk = RandomWalk();
    return walk;
}

void BM_LineTo2px(benchmark::State& state) {
    const auto& walk = Walk();
    // Through the chart canvas, as a line series draws: one virtual LineTo
    // per point into the off-screen buffer of a 697 x 300 chart.
    fw::TBitmap window(kWidth, kHeight);
    chart::TChartCanvas3D canvas;
    canvas.SetCanvas(&window.Canvas());
    canvas.InitWindow(&window.Canvas(), nullptr, fw::clWhite, false, {0, 0, kWidth, kHeight});
    chart::TChartPen pen;
    pen.SetColor(fw::clRed);
    pen.SetWidth(2);
    canvas.AssignVisiblePen(pen);
    chart::TCanvas3D& chartCanvas = canvas;
    double seconds = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        chartCanvas.MoveTo(walk[0].X, walk[0].Y);
        for (size_t i = 1; i < walk.size(); ++i) chartCanvas.LineTo(walk[i].X, walk[i].Y);
        benchmark::ClobberMemory();
        seconds += ThreadSeconds() - start;
    }
    state.counters["ns_per_segment"] = seconds * 1e9 / (static_cast<double>(state.iterations()) * kSegments);
}
BENCHMARK(BM_LineTo2px)->Unit(benchmark::kMillisecond);

// The same walk with QPainter's own two-pixel pen, for comparison.
void BM_QPainterLine2px(benchmark::State& state) {
    const auto& walk = Walk();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QPen pen(Qt::red);
    pen.setWidth(2);
    painter.setPen(pen);
    double seconds = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        for (size_t i = 1; i < walk.size(); ++i) painter.drawLine(walk[i - 1].X, walk[i - 1].Y, walk[i].X, walk[i].Y);
        benchmark::ClobberMemory();
        seconds += ThreadSeconds() - start;
    }
    state.counters["ns_per_segment"] = seconds * 1e9 / (static_cast<double>(state.iterations()) * kSegments);
}
BENCHMARK(BM_QPainterLine2px)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return bench::RunGuiBenchmarks(argc, argv); }
