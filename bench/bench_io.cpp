// Speed of writing sample files, and of the whole batch run over one file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "analysis/SampleWriter.h"

namespace {

std::filesystem::path BenchFolder(const std::string& name)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quelmar-bench-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<double> RandomSamples(int32_t j)
{
    std::vector<double> values((std::size_t{1} << j) + 1);
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> uniform(-1000.0, 1000.0);
    for (double& value : values) value = uniform(random);
    return values;
}

// Saving 2^J + 1 samples; bytes_per_second is the rate of text written.
void BM_SaveSamples(benchmark::State& state)
{
    const auto j = static_cast<int32_t>(state.range(0));
    const std::vector<double> values = RandomSamples(j);
    const std::filesystem::path folder = BenchFolder("save");
    const std::string path = (folder / "out.dat").string();
    for (auto _ : state) analysis::SaveSamples(path, values);
    state.SetBytesProcessed(static_cast<int64_t>(std::filesystem::file_size(path)) *
                            static_cast<int64_t>(state.iterations()));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveSamples)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
