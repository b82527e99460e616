// Speed of the denoising entry point on a noisy signal of 2^J + 1 samples,
// all levels, with --auto's rule and shrinkage: with --auto's shifts, and
// with one shift (the plain decomposition).

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "analysis/transform/LevelGeometry.h"

namespace {

std::vector<double> NoisySine(int32_t j) {
    std::mt19937_64 random(42);
    std::normal_distribution<double> noise;
    const int32_t n = analysis::SamplesOfOrder(j);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) x[i] = 7.0 * std::sin(0.001 * i) + noise(random);
    return x;
}

void Run(benchmark::State& state, int32_t shifts) {
    const auto j = static_cast<int32_t>(state.range(0));
    const std::vector<double> x = NoisySine(j);
    analysis::DenoiseOptions options;
    options.shifts = shifts;
    for (auto _ : state) {
        analysis::DenoiseResult result = analysis::Denoise(x.data(), j, options);
        benchmark::DoNotOptimize(result.signal.data());
    }
}

void BM_Denoise(benchmark::State& state) { Run(state, analysis::kAutoShifts); }
void BM_DenoiseOneShift(benchmark::State& state) { Run(state, 1); }

BENCHMARK(BM_Denoise)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenoiseOneShift)->Arg(24)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
