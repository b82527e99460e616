// Speed of writing sample files, of the whole batch run over one file and
// over many, and of reading a file that is one huge token.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/io/SampleReader.h"
#include "analysis/io/SampleWriter.h"
#include "batch/BatchCommand.h"

namespace {

std::filesystem::path BenchFolder(const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quelmar-bench-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<double> RandomSamples(int32_t j) {
    std::vector<double> values(static_cast<std::size_t>(analysis::SamplesOfOrder(j)));
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> uniform(-1000.0, 1000.0);
    for (double& value : values) value = uniform(random);
    return values;
}

// Saving 2^J + 1 samples; bytes_per_second is the rate of text written.
void BM_SaveSamples(benchmark::State& state) {
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

// A file of 2^J + 1 numbers with 17 significant digits, one per line.
bool WriteSeventeenDigitFile(const std::string& path, const std::vector<double>& values) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::string text;
    char number[64];
    for (const double value : values) {
        text.append(number, std::to_chars(number, number + sizeof number, value, std::chars_format::general, 17).ptr);
        text += '\n';
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// The whole batch over one file: read, decomposed to J, every detail level
// thresholded, reconstructed and written.
void BM_BatchDenoise(benchmark::State& state) {
    const auto j = static_cast<int32_t>(state.range(0));
    const std::filesystem::path folder = BenchFolder("batch");
    const std::string input = (folder / "in.dat").string();
    const std::string output = (folder / "out.dat").string();
    if (!WriteSeventeenDigitFile(input, RandomSamples(j))) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream errors;
        if (batch::RunBatchCommand({"--threshold", "100", input, output}, out, errors) != batch::kExitDone) {
            state.SkipWithError(errors.str().c_str());
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BatchDenoise)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

// The batch over 1,000 files of 2^12 + 1 samples with --jobs N: the same
// work as --jobs 1 in about 1/N of its time where N cores are free.
void BM_BatchManyFiles(benchmark::State& state) {
    const std::filesystem::path folder = BenchFolder("many");
    std::vector<std::string> arguments{"--jobs",    std::to_string(state.range(0)), "--threshold", "100",
                                       "--out-dir", (folder / "out").string()};
    const std::vector<double> values = RandomSamples(12);
    for (int file = 0; file < 1000; ++file) {
        arguments.push_back((folder / ("in" + std::to_string(file) + ".dat")).string());
        if (!WriteSeventeenDigitFile(arguments.back(), values)) {
            state.SkipWithError("cannot write the input files");
            return;
        }
    }
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream errors;
        if (batch::RunBatchCommand(arguments, out, errors) != batch::kExitDone) {
            state.SkipWithError(errors.str().c_str());
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BatchManyFiles)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A file that is one token of 200 MB of digits, loaded as five samples: the
// reader gives up on a number longer than any number can be.
void BM_ReadHugeToken(benchmark::State& state) {
    const std::filesystem::path folder = BenchFolder("token");
    const std::string path = (folder / "token.dat").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string digits(std::size_t{1} << 20, '7');
    bool written = file != nullptr;
    for (int mebibyte = 0; written && mebibyte < 200; ++mebibyte) {
        written = std::fwrite(digits.data(), 1, digits.size(), file) == digits.size();
    }
    if (!file || std::fclose(file) != 0 || !written) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    double x[5];
    for (auto _ : state) {
        const analysis::ReadResult read = analysis::ReadSamples(path, x, 5);
        if (read.stop != analysis::ReadStop::NotANumber) state.SkipWithError("the token was read as a number");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadHugeToken)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
