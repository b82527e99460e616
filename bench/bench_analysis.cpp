// Speed of the transform against a plain memory copy of the same buffer, and
// of the sample reader.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/SampleReader.h"
#include "analysis/transform/WaveletTransform.h"

namespace {

void FillRandom(analysis::DyadicSignal& signal) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    for (int32_t i = 0; i < signal.N(); ++i) signal[i] = uniform(random);
}

// One forward and one inverse transform over all J levels.
void BM_ForwardInverse(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    analysis::DyadicSignal signal(j);
    FillRandom(signal);
    for (auto _ : state) {
        analysis::ForwardTransform(signal, j);
        analysis::InverseTransform(signal, j);
        benchmark::DoNotOptimize(signal.Data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ForwardInverse)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);

// One copy of the 2^J + 1 samples into another existing buffer.
void BM_MemoryCopy(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    analysis::DyadicSignal from(j);
    analysis::DyadicSignal to(j);
    FillRandom(from);
    std::memset(to.Data(), 1, sizeof(double) * static_cast<std::size_t>(to.N()));
    for (auto _ : state) {
        std::memcpy(to.Data(), from.Data(), sizeof(double) * static_cast<std::size_t>(from.N()));
        benchmark::DoNotOptimize(to.Data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemoryCopy)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);

// A file of 2^J + 1 numbers with 17 significant digits, one per line.
std::filesystem::path WriteSampleFile(const std::filesystem::path& folder, const analysis::DyadicSignal& signal) {
    const std::filesystem::path path = folder / "samples.dat";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return {};
    std::vector<char> text;
    text.reserve(std::size_t{1} << 20);
    char number[64];
    for (int32_t i = 0; i < signal.N(); ++i) {
        const auto written =
            std::to_chars(number, number + sizeof number, signal[i] * 1000.0, std::chars_format::general, 17);
        text.insert(text.end(), number, written.ptr);
        text.push_back('\n');
        if (text.size() > (std::size_t{1} << 20) - 64) {
            std::fwrite(text.data(), 1, text.size(), file);
            text.clear();
        }
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return path;
}

void BM_ReadSamples(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("quelmar-bench-" + std::to_string(::getpid()) + "-" + std::to_string(j));
    std::filesystem::create_directories(folder);
    analysis::DyadicSignal signal(j);
    FillRandom(signal);
    const std::filesystem::path path = WriteSampleFile(folder, signal);
    if (path.empty()) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    const auto bytes = static_cast<double>(std::filesystem::file_size(path));
    analysis::DyadicSignal target(j);
    for (auto _ : state) {
        const analysis::ReadResult result = analysis::ReadSamples(path.string(), target.Data(), target.N());
        if (result.stop != analysis::ReadStop::Complete) state.SkipWithError("the sample file did not read");
        benchmark::DoNotOptimize(target.Data());
    }
    state.counters["MB_per_s"] =
        benchmark::Counter(bytes / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadSamples)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
