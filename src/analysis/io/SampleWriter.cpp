#include "analysis/io/SampleWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <future>
#include <vector>

namespace analysis {
namespace {

// Text is formatted into blocks of this size and written one block per call.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

std::string Reason(int error) { return std::strerror(error); }

using fw::SaveError;
using fw::WriteAll;

SampleWriteError NotFinite(const std::string& name, std::size_t index) {
    return SaveError(name, "sample " + std::to_string(index + 1) + " is not a finite number");
}

// Formats up to kBlockValues samples from `first` into block; returns the
// text's end, or nullptr with bad set to the index of a value not finite.
constexpr std::size_t kBlockValues = kBlockSize / kMaxSampleLine;

char* FormatBlock(std::span<const double> values, std::size_t first, char* block, std::size_t& bad) {
    const std::size_t end = std::min(values.size(), first + kBlockValues);
    char* p = block;
    for (std::size_t i = first; i < end; ++i) {
        p = FormatSampleLine(values[i], p);
        if (!p) {
            bad = i;
            return nullptr;
        }
    }
    return p;
}

// Formats and writes the samples block by block, in file order; the
// formatting, the costly part, runs on two threads for long signals, each
// block written whole once every block before it is. Throws SaveError.
void WriteBlocks(int fd, std::span<const double> values, const std::string& name) {
    std::vector<char> blocks(2 * kBlockSize);
    char* const own = blocks.data();
    char* const other = own + kBlockSize;
    const auto write = [&](const char* begin, const char* end) {
        if (!WriteAll(fd, begin, static_cast<std::size_t>(end - begin))) throw SaveError(name, Reason(errno));
    };
    for (std::size_t first = 0; first < values.size(); first += 2 * kBlockValues) {
        const std::size_t second = first + kBlockValues;
        std::size_t bad = 0, badSecond = 0;
        std::future<char*> later;
        if (second < values.size()) {
            later = std::async(std::launch::async, [&] { return FormatBlock(values, second, other, badSecond); });
        }
        const char* end = FormatBlock(values, first, own, bad);
        const char* endSecond = later.valid() ? later.get() : other;
        if (!end) throw NotFinite(name, bad);
        write(own, end);
        if (!endSecond) throw NotFinite(name, badSecond);
        write(other, endSecond);
    }
}

}  // namespace

char* FormatSampleLine(double value, char* out) {
    if (!std::isfinite(value)) return nullptr;
    char* const end = std::to_chars(out, out + kMaxSampleLine - 1, value).ptr;
    *end = '\n';
    return end + 1;
}

std::string FormatSamples(std::span<const double> values, const std::string& name) {
    std::string text(values.size() * kMaxSampleLine, '\0');
    char* p = text.data();
    for (std::size_t i = 0; i < values.size(); ++i) {
        p = FormatSampleLine(values[i], p);
        if (!p) throw NotFinite(name, i);
    }
    text.resize(static_cast<std::size_t>(p - text.data()));
    return text;
}

void WriteSamples(int fd, std::span<const double> values, const std::string& name) { WriteBlocks(fd, values, name); }

void SaveSamples(const std::string& fileName, std::span<const double> values) {
    fw::ReplaceFile(fileName, [&](int fd) { WriteBlocks(fd, values, fileName); });
}

void SaveText(const std::string& fileName, const std::string& text) { fw::ReplaceFileWith(fileName, text); }

}  // namespace analysis
