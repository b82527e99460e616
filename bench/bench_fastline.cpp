// Repainting the program's upper chart with two fast line series of N
// random-walk points each (N = 2^k + 1), through the column reduction and
// through the point-by-point walk, and a hit test on a 2^24 + 1 point line.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <random>
#include <vector>

#include "BenchImageHost.h"
#include "analysis/transform/LevelGeometry.h"
#include "app/ProgramCharts.h"
#include "chart/Chart.h"
#include "chart/Series.h"

namespace {

using bench::ImageHost;

std::vector<double> RandomWalk(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> v(n);
    double level = 0;
    for (double& y : v) y = level += step(rng);
    return v;
}

// The program's Chart1 with Series1 and Series2, as the window sets them up.
struct UpperChart {
    explicit UpperChart(int k) : host(697, 300) {
        chart.SetHost(&host);
        const auto n = static_cast<std::size_t>(analysis::SamplesOfOrder(k));
        const std::vector<double> a = RandomWalk(n, 1), b = RandomWalk(n, 2);
        signal.AddArray(a.data(), static_cast<int32_t>(n - 1));
        reconstruction.AddArray(b.data(), static_cast<int32_t>(n - 1));
    }
    void Repaint() {
        chart.Invalidate();
        host.RepaintControl();
    }
    ImageHost host;
    app::ProgramCharts charts;
    chart::TChart& chart = charts.Chart1();
    chart::TFastLineSeries& signal = charts.SignalLine();
    chart::TFastLineSeries& reconstruction = charts.ReconstructionLine();
};

void RunRepaint(benchmark::State& state, bool fast) {
    UpperChart upper(static_cast<int>(state.range(0)));
    upper.signal.SetFastPath(fast);
    upper.reconstruction.SetFastPath(fast);
    upper.Repaint();  // axes scaled, summaries built
    const int64_t before = upper.signal.FastPaints();
    for (auto _ : state) {
        upper.Repaint();
        benchmark::ClobberMemory();
    }
    if (fast && upper.signal.FastPaints() == before) state.SkipWithError("the reduction did not run");
}

void BM_ChartRepaint(benchmark::State& state) { RunRepaint(state, true); }
void BM_ChartRepaintWalk(benchmark::State& state) { RunRepaint(state, false); }

void BM_FastLineClicked(benchmark::State& state) {
    UpperChart upper(static_cast<int>(state.range(0)));
    upper.Repaint();
    std::mt19937 rng(3);
    const fw::TRect plot = upper.chart.PlotRect();
    for (auto _ : state) {
        const int32_t x = plot.Left + static_cast<int32_t>(rng() % static_cast<uint32_t>(plot.Right - plot.Left));
        const int32_t y = plot.Top + static_cast<int32_t>(rng() % static_cast<uint32_t>(plot.Bottom - plot.Top));
        benchmark::DoNotOptimize(upper.signal.Clicked(x, y));
    }
}

BENCHMARK(BM_ChartRepaint)->Arg(10)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartRepaintWalk)->Arg(10)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastLineClicked)->Arg(24)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunGuiBenchmarks(argc, argv); }
