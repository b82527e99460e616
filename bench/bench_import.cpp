// Speed of importing signals: a column of a CSV file, a NumPy array and a
// 16-bit WAV recording of 2^J rows, each read whole from a file written once.

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "import/AudioImport.h"
#include "import/NpyArray.h"
#include "import/TextImport.h"

namespace {

std::filesystem::path BenchFile(const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quelmar-bench-import-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder / name;
}

std::vector<double> RandomValues(int64_t count) {
    std::vector<double> values(static_cast<std::size_t>(count));
    std::mt19937_64 random(24);
    std::normal_distribution<double> normal(0.0, 100.0);
    for (double& value : values) value = normal(random);
    return values;
}

// A header, then the row number and a value of 9 significant digits, as a
// logger or a spreadsheet writes them.
std::filesystem::path WriteCsv(int64_t rows) {
    const std::filesystem::path path = BenchFile("table_" + std::to_string(rows) + ".csv");
    std::string text = "sample,value\n";
    text.reserve(static_cast<std::size_t>(rows) * 24);
    char line[64];
    for (int64_t i = 0; const double value : RandomValues(rows)) {
        char* p = std::to_chars(line, line + sizeof line, i++).ptr;
        *p++ = ',';
        p = std::to_chars(p, line + sizeof line, value, std::chars_format::general, 9).ptr;
        *p++ = '\n';
        text.append(line, p);
    }
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::filesystem::path WriteNpy(int64_t count) {
    const std::filesystem::path path = BenchFile("array_" + std::to_string(count) + ".npy");
    std::string header = "{'descr': '<f8', 'fortran_order': False, 'shape': (" + std::to_string(count) + ",), }";
    header.append(63 - (10 + header.size()) % 64, ' ');
    header += '\n';
    const std::vector<double> values = RandomValues(count);
    std::ofstream out(path, std::ios::binary);
    out << std::string("\x93NUMPY\x01\x00", 8) << static_cast<char>(header.size() & 0xFF)
        << static_cast<char>(header.size() >> 8) << header;
    out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(values.size() * 8));
    return path;
}

std::filesystem::path WriteWav(int64_t frames) {
    const std::filesystem::path path = BenchFile("recording_" + std::to_string(frames) + ".wav");
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<short> samples(static_cast<std::size_t>(frames));
    std::mt19937 random(24);
    for (short& sample : samples) sample = static_cast<short>(random() % 60000 - 30000);
    sf_writef_short(file, samples.data(), frames);
    sf_close(file);
    return path;
}

// bytes_per_second: the rate of the file's text.
void BM_ImportCsv(benchmark::State& state) {
    const std::filesystem::path path = WriteCsv(int64_t{1} << state.range(0));
    importer::TextChoices choices;
    choices.column = "2";
    for (auto _ : state) {
        importer::TextColumn column = importer::ReadTextColumn(path, choices);
        benchmark::DoNotOptimize(column.values.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportCsv)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportNpy(benchmark::State& state) {
    const std::filesystem::path path = WriteNpy(int64_t{1} << state.range(0));
    for (auto _ : state) {
        importer::Samples values = importer::ReadNpy(path, 0);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportNpy)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportWav(benchmark::State& state) {
    const std::filesystem::path path = WriteWav(int64_t{1} << state.range(0));
    for (auto _ : state) {
        importer::Samples values = importer::ReadAudio(path, 0);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportWav)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
