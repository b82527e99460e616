// No sample the file does not hold: a MATLAB variable cut short is refused,
// an audio file cut short gives the frames it holds and a warning, a NaN or
// an infinity is refused in every kind of file by its position, and gaps are
// filled or dropped only when asked.

#include <gtest/gtest.h>
#include <matio.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "TempFolder.h"
#include "import/ImportFiles.h"
#include "import/ImportError.h"
#include "import/SignalImport.h"

namespace importer::test {
namespace {

using Values = std::vector<double>;
using namespace std::string_literals;

void WriteMat(const std::string& path, mat_ft version, matio_compression zip, std::map<std::string, Values> vars) {
    mat_t* file = Mat_CreateVer(path.c_str(), nullptr, version);
    for (auto& [name, values] : vars) {
        std::size_t dims[2] = {1, values.size()};
        matvar_t* variable = Mat_VarCreate(name.c_str(), MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, values.data(), 0);
        Mat_VarWrite(file, variable, zip);
        Mat_VarFree(variable);
    }
    Mat_Close(file);
}

void WriteSound(const std::string& path, int format, int channels, const Values& interleaved) {
    SF_INFO info{0, 8000, channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_double(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()) / channels);
    sf_close(file);
}

Values Ramp(std::size_t count) {
    Values values(count);
    for (std::size_t i = 0; i < count; ++i) values[i] = static_cast<double>(i * 7 % 255) / 128.0 - 1.0;
    return values;
}

// What the import read, or its ImportError's message.
std::pair<Values, std::string> Import(const std::string& path, const char* variable = "") {
    ImportChoices choices;
    choices.variable = variable;
    try {
        const ImportedSignal signal = ImportSignal(path, choices);
        return {Values(signal.samples.begin(), signal.samples.end()), ""};
    } catch (const ImportError& error) {
        return {{}, error.Message()};
    }
}

// keep: the bytes kept, 0 all, negative all but so many.
TEST(SampleIntegrity, AMatlabVariableCutShortIsRefused) {
    enum Outcome { Reads, Ends };
    // clang-format off
    struct Case { mat_ft version; matio_compression zip; int64_t keep; const char* variable; Outcome outcome; };
    const Case cases[] = {
        {MAT_FT_MAT5, MAT_COMPRESSION_NONE, 500, "x", Ends},  {MAT_FT_MAT5, MAT_COMPRESSION_ZLIB, -100, "x", Ends},
        {MAT_FT_MAT4, MAT_COMPRESSION_NONE, 500, "x", Ends},  {MAT_FT_MAT5, MAT_COMPRESSION_NONE, 600, "a", Reads},
        {MAT_FT_MAT5, MAT_COMPRESSION_ZLIB, 0, "x", Reads},   {MAT_FT_MAT4, MAT_COMPRESSION_NONE, 0, "x", Reads},
        {MAT_FT_MAT73, MAT_COMPRESSION_NONE, 0, "x", Reads},
    };
    // clang-format on
    const analysis::test::TempFolder folder;
    const std::string path = folder.PathOf("cut.mat");
    const std::map<std::string, Values> written = {{"a", Ramp(10)}, {"x", Ramp(1000)}};
    for (const Case& c : cases) {
        WriteMat(path, c.version, c.zip, written);
        const auto whole = static_cast<int64_t>(std::filesystem::file_size(path));
        const int64_t keep = c.keep > 0 ? c.keep : whole + c.keep;
        std::filesystem::resize_file(path, static_cast<uintmax_t>(keep));
        const std::string why =
            "the file ends after " + std::to_string(keep) + " bytes, the variable after " + std::to_string(whole);
        const auto [read, message] = Import(path, c.variable);
        EXPECT_EQ(message,
                  c.outcome == Reads
                      ? ""
                      : "Cannot import \"cut.mat\": the variable \"x\" is shorter than its header claims: " + why);
        EXPECT_EQ(read, c.outcome == Reads ? written.at(c.variable) : Values{});
    }
}

// Half of each file: what it gives is the start of what the whole gave.
TEST(SampleIntegrity, AudioCutShortGivesWhatItHoldsAndWarns) {
    // clang-format off
    struct Case { const char* name; int format; int channels; std::size_t frames; };
    const Case cases[] = {
        {"cut.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 1000},   {"cut.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 1000},
        {"cut.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 1000}, {"cut.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 20000},
    };
    // clang-format on
    const analysis::test::TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.PathOf(c.name);
        WriteSound(path, c.format, c.channels, Ramp(c.frames * static_cast<std::size_t>(c.channels)));
        ImportChoices choices;
        choices.channel = std::to_string(c.channels);
        const ImportedSignal whole = ImportSignal(path, choices);
        std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
        const ImportedSignal cut = ImportSignal(path, choices);
        const std::string n = std::to_string(cut.samples.size());
        EXPECT_TRUE(whole.samples.size() == c.frames && whole.warning.empty()) << c.name;
        EXPECT_TRUE(!cut.samples.empty() && cut.samples.size() < c.frames) << c.name << " " << n;
        EXPECT_EQ(cut.warning, "\"" + std::string(c.name) + "\": its header promises " + std::to_string(c.frames) +
                                   " frames, " + n + " could be read; the signal is those " + n);
        EXPECT_TRUE(std::equal(cut.samples.begin(), cut.samples.end(), whole.samples.begin())) << c.name;
    }
}

TEST(SampleIntegrity, ANanOrInfinityIsRefusedByItsPosition) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"nan.npy", 5}, {"inf.npy", 0}, {"inf.mat", 3}, {"nan.wav", 2}};
    const analysis::test::TempFolder folder;
    const std::string npy =
        "\x93NUMPY\x01\x00\x40\x00{'descr': '<f8', 'fortran_order': False, 'shape': (8,), }      \n"s;
    for (const auto& [name, at] : cases) {
        Values values = Ramp(8);
        values[at] = name[0] == 'n' ? std::nan("") : at % 2 ? HUGE_VAL : -HUGE_VAL;
        const std::string path = folder.PathOf(name);
        const std::string kind = std::filesystem::path(name).extension().string();
        if (kind == ".npy")
            std::ofstream(path, std::ios::binary)
                << npy << std::string(reinterpret_cast<const char*>(values.data()), 64);
        if (kind == ".mat") WriteMat(path, MAT_FT_MAT5, MAT_COMPRESSION_NONE, {{"x", values}});
        if (kind == ".wav") WriteSound(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, values);
        const std::string what = std::isnan(values[at]) ? "NaN" : at % 2 ? "+inf" : "-inf";
        EXPECT_EQ(Import(path).second, "Cannot import \"" + std::string(name) + "\": sample " + std::to_string(at + 1) +
                                           " is not a finite number (" + what + ")" + (what == "NaN" ? kGapsHint : ""));
    }
}

// A gap filled by the line between the values around it, the nearest value
// at either end, as plainly as it is said.
Values Filled(const Values& x) {
    Values filled = x;
    for (std::ptrdiff_t i = 0, n = std::ssize(x); i < n; ++i) {
        std::ptrdiff_t a = i;
        std::ptrdiff_t b = i;
        while (a >= 0 && std::isnan(x[a])) --a;
        while (b < n && std::isnan(x[b])) ++b;
        if (a == i) continue;
        filled[i] = a < 0 ? x[b] : b == n ? x[a] : x[a] + (x[b] - x[a]) * double(i - a) / double(b - a);
    }
    return filled;
}

// A table's empty fields and "nan"s and an array's NaNs are one kind of gap:
// filled or dropped alike in every kind of file, refused by default by their
// position, and a signal of gaps alone is refused.
TEST(SampleIntegrity, GapsAreFilledOrDroppedInEveryKindOfFile) {
    const double gap = std::nan("");
    const Values cases[] = {
        {gap, gap, 1, 2, gap, gap, gap, 6.5, -8, gap}, {1, gap, 3}, {gap, 5},
        {-2.5, 0.125, gap, gap, 1e300, gap, gap},      {gap, gap},
    };
    // A gap's text in a table, and how its refusal tells it.
    const std::pair<const char*, const char*> gapTexts[] = {{"", "the field is empty"},
                                                            {"nan", "\"nan\" is a gap"},
                                                            {"NA", "\"NA\" is a gap"},
                                                            {"\"\"", "the field is empty"}};
    const analysis::test::TempFolder folder;
    for (const Values& x : cases) {
        std::string csv = "t,v\n";
        for (std::size_t i = 0; i < x.size(); ++i) {
            char value[32];
            std::snprintf(value, sizeof value, "%.17g", x[i]);
            csv += std::to_string(i) + "," + (std::isnan(x[i]) ? gapTexts[i % 4].first : value) + "\n";
        }
        Values dropped;
        std::copy_if(x.begin(), x.end(), std::back_inserter(dropped), [](double v) { return !std::isnan(v); });
        const auto first = static_cast<std::size_t>(
            std::find_if(x.begin(), x.end(), [](double v) { return std::isnan(v); }) - x.begin());
        for (const std::string& file : {folder.Write("gaps.csv", csv),
                                        folder.Write("gaps.npy", NpyBytes(x, "(" + std::to_string(x.size()) + ",)"))}) {
            SCOPED_TRACE(file + " " + ::testing::PrintToString(x));
            EXPECT_EQ(Import(file).second,
                      "Cannot import \"" + std::filesystem::path(file).filename().string() + "\": " +
                          (file.ends_with(".csv")
                               ? "line " + std::to_string(first + 2) + ", column 2: " + gapTexts[first % 4].second
                               : "sample " + std::to_string(first + 1) + " is not a finite number (NaN)") +
                          kGapsHint);
            for (const Gaps how : {Gaps::Fill, Gaps::Drop}) {
                ImportChoices choices;
                choices.gaps = how;
                if (dropped.empty()) {
                    EXPECT_THROW(ImportSignal(file, choices), ImportError);
                    continue;
                }
                const ImportedSignal signal = ImportSignal(file, choices);
                EXPECT_EQ(Values(signal.samples.begin(), signal.samples.end()),
                          how == Gaps::Fill ? Filled(x) : dropped);
                EXPECT_EQ(signal.gaps, static_cast<int64_t>(x.size() - dropped.size()));
            }
        }
    }
}

}  // namespace
}  // namespace importer::test
