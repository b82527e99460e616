// Filling a series with a whole signal (AddArray after Clear, as the analysis
// session does for 2^J + 1 samples), against the plain baseline of appending
// the same values to two vectors. bytes_per_point is the series' own heap use
// after the fill, by capacity.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "chart/ChartEngine.h"
#include "chart/Series.h"

namespace {

std::vector<double> Signal(int j) {
    const auto n = static_cast<std::size_t>(analysis::SamplesOfOrder(j));
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i) values[i] = std::sin(static_cast<double>(i) * 1e-3) * 100.0;
    return values;
}

void BM_AddArray(benchmark::State& state) {
    const std::vector<double> values = Signal(static_cast<int>(state.range(0)));
    const auto highIndex = static_cast<int32_t>(values.size() - 1);
    // The series kind the program fills, its Y summary included.
    chart::TFastLineSeries series;
    for (auto _ : state) {
        series.Clear();
        benchmark::DoNotOptimize(series.AddArray(values.data(), highIndex));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
    state.counters["bytes_per_point"] = static_cast<double>(series.HeapBytes()) / static_cast<double>(series.Count());
}

void BM_VectorCopy(benchmark::State& state) {
    const std::vector<double> values = Signal(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<double> xs;
        std::vector<double> ys;
        for (std::size_t i = 0; i < values.size(); ++i) {
            xs.push_back(static_cast<double>(i));
            ys.push_back(values[i]);
        }
        benchmark::DoNotOptimize(xs.data());
        benchmark::DoNotOptimize(ys.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

BENCHMARK(BM_AddArray)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorCopy)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
