// Speed of the denoising entry point on a noisy signal of 2^J + 1 samples,
// all levels: --auto, its choice and the chosen denoising with its shifts;
// and one shift (the plain decomposition) by each transform
// (BM_DenoiseOneShift/J/0 Linear, /1 Haar, /2 Cubic).

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/denoise/AutoChoice.h"
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

void BM_Denoise(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    const std::vector<double> x = NoisySine(j);
    const analysis::DenoiseOptions base;
    for (auto _ : state) {
        const analysis::AutoChoice choice = analysis::ChooseAutomatically(x.data(), j, base, {});
        analysis::DenoiseResult result = analysis::Denoise(x.data(), j, choice.options);
        benchmark::DoNotOptimize(result.signal.data());
    }
}

void BM_DenoiseOneShift(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    const std::vector<double> x = NoisySine(j);
    analysis::DenoiseOptions options;
    options.shifts = 1;
    options.wavelet = analysis::kWavelets[state.range(1)];
    for (auto _ : state) {
        analysis::DenoiseResult result = analysis::Denoise(x.data(), j, options);
        benchmark::DoNotOptimize(result.signal.data());
    }
}

BENCHMARK(BM_Denoise)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenoiseOneShift)->Args({24, 0})->Args({24, 1})->Args({24, 2})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
