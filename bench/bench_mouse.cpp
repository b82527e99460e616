// The mouse gestures on the upper chart of the window with two long signals:
// one scroll step with the repaint it causes, one move of the zoom outline,
// and the hit test of a press.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "BenchImageHost.h"
#include "analysis/transform/LevelGeometry.h"
#include "app/ProgramCharts.h"
#include "chart/Chart.h"

namespace {

using bench::ImageHost;

// The program's upper chart with its two series of 2^j + 1 points each, in
// its window and painted once.
struct Chart1Setup {
    ImageHost host{app::ProgramCharts::Chart1Bounds.Width(), app::ProgramCharts::Chart1Bounds.Height()};
    app::ProgramCharts charts;
    chart::TChart& chart = charts.Chart1();

    explicit Chart1Setup(int j) {
        const auto n = static_cast<std::size_t>(analysis::SamplesOfOrder(j));
        std::vector<double> values(n);
        for (std::size_t i = 0; i < n; ++i) values[i] = 100 * std::sin(static_cast<double>(i) * 1e-4);
        charts.Series1().AddArray(values.data(), static_cast<int32_t>(n - 1));
        for (double& v : values) v *= 0.9;
        charts.Series2().AddArray(values.data(), static_cast<int32_t>(n - 1));
        chart.SetHost(&host);
        host.Paint();
    }
    fw::TPoint PlotMiddle() const {
        const fw::TRect plot = chart.PlotRect();
        return {(plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2};
    }
};

void BM_ScrollStep(benchmark::State& state) {
    Chart1Setup s(static_cast<int>(state.range(0)));
    const fw::TPoint p = s.PlotMiddle();
    s.chart.HostMouseDown(fw::mbRight, fw::ssRight, p.X, p.Y);
    int32_t dx = 1;
    for (auto _ : state) {
        s.chart.HostMouseMove(fw::ssRight, p.X + dx, p.Y);
        s.host.PaintPending();
        dx = 1 - dx;  // back and forth by one pixel: every move scrolls
    }
    s.chart.HostMouseUp(fw::mbRight, 0, p.X, p.Y);
}
BENCHMARK(BM_ScrollStep)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_ZoomOutlineMove(benchmark::State& state) {
    Chart1Setup s(24);
    const fw::TPoint p = s.PlotMiddle();
    s.chart.HostMouseDown(fw::mbLeft, fw::ssLeft, p.X - 150, p.Y - 80);
    s.host.requests = 0;
    int32_t d = 0;
    for (auto _ : state) {
        s.chart.HostMouseMove(fw::ssLeft, p.X + 100 + d, p.Y + 60 + d);
        d = 1 - d;
    }
    state.counters["repaints"] = static_cast<double>(s.host.requests);
    s.chart.HostMouseUp(fw::mbLeft, 0, p.X - 150, p.Y - 80);  // a small reverse drag: an undo
}
BENCHMARK(BM_ZoomOutlineMove)->Unit(benchmark::kMicrosecond);

void BM_PressHitTest(benchmark::State& state) {
    Chart1Setup s(static_cast<int>(state.range(0)));
    const fw::TPoint p = s.PlotMiddle();
    for (auto _ : state) {
        chart::TChartClickedPart part;
        s.chart.CalcClickedPart(p, part);
        benchmark::DoNotOptimize(part);
    }
}
BENCHMARK(BM_PressHitTest)->Arg(24)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunGuiBenchmarks(argc, argv); }
