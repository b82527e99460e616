// Every kind of file, as the tools that make them in the wild wrote it: each
// value read bit for bit (audio: as the decoder gives it), and every failure a
// message that names the file and says why.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "analysis/io/ReadWarning.h"
#include "import/ImportError.h"
#include "import/ImportPreview.h"
#include "import/SignalImport.h"
#include "import/ImportFiles.h"
#include "TempFolder.h"

namespace importer::test {
namespace {

struct FileCase {
    const char* file;
    const char* column = "";
    const char* channel = "";
    const char* variable = "";
    const char* part = "";         // ImportedSignal::part
    const char* expect = nullptr;  // the .expect file, when not the file's own
};

ImportChoices ChoicesOf(const FileCase& c) {
    ImportChoices choices;
    choices.text.column = c.column;
    choices.channel = c.channel;
    choices.variable = c.variable;
    return choices;
}

// clang-format off
const FileCase kReadable[] = {
    {"header_two_columns.csv", "", "", "", "column \"value\" (2)"},
    {"header_two_columns.csv", "value", "", "", "column \"value\" (2)"},
    {"comments_semicolon_decimal_comma.csv", "Temperatur (°C)", "", "", "column \"Temperatur (°C)\" (2)"},
    {"quoted.csv", "x", "", "", "column \"x\" (3)"},
    {"bom_crlf.tsv", "a", "", "", "column \"a\" (1)"},
    {"i1_le.npy", "", "", "", "array"}, {"i1_be.npy"}, {"i2_le.npy"}, {"i2_be.npy"},
    {"i4_le.npy"}, {"i4_be.npy"}, {"i8_le.npy"}, {"i8_be.npy"},
    {"u1_le.npy"}, {"u1_be.npy"}, {"u2_le.npy"}, {"u2_be.npy"},
    {"u4_le.npy"}, {"u4_be.npy"}, {"u8_le.npy"}, {"u8_be.npy"},
    {"f2_le.npy"}, {"f2_be.npy"}, {"f4_le.npy"}, {"f4_be.npy"}, {"f8_le.npy"}, {"f8_be.npy"},
    {"f16_le.npy"}, {"bool.npy"},
    {"table_c.npy", "2", "", "", "column 2"},
    {"table_fortran.npy", "2", "", "", "column 2"},
    {"signals.mat", "", "", "", "variable \"ecg\""},
    {"signals.mat", "", "", "ecg", "variable \"ecg\""},
    // A matrix's column: MATLAB keeps columns together, as Fortran order does.
    {"signals.mat", "2", "", "grid", "variable \"grid\", column 2", "table_c.npy"},
    {"tone.wav", "", "", "", "channel 1"},
    {"tone.flac", "", "1"},
    {"tone.aiff", "", "1"},
    {"stereo.wav", "", "mean", "", "mean of 2 channels"},
};
// clang-format on

class ReadableFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(ReadableFile, GivesEveryValueBitForBit) {
    const FileCase& c = GetParam();
    const ImportedSignal signal = ImportSignal(ImportFile(c.file), ChoicesOf(c));
    const std::vector<double> expected = ExpectedValues(c.expect ? c.expect : c.file);
    ASSERT_EQ(signal.samples.size(), expected.size());
    ASSERT_FALSE(expected.empty());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::bit_cast<uint64_t>(signal.samples[i]), std::bit_cast<uint64_t>(expected[i]))
            << "sample " << i << ": " << signal.samples[i] << " instead of " << expected[i];
    }
    if (*c.part) {
        EXPECT_EQ(signal.part, c.part);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ReadableFile, ::testing::ValuesIn(kReadable),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(ImportAudio, LossyFileDecodesCloseToItsSourceAndTellsItsRate) {
    const ImportedSignal ogg = ImportSignal(ImportFile("tone.ogg"), {});
    const std::vector<double> wav = ExpectedValues("tone.wav");
    ASSERT_EQ(ogg.samples.size(), wav.size());
    double worst = 0.0;
    for (std::size_t i = 0; i < wav.size(); ++i) worst = std::max(worst, std::abs(ogg.samples[i] - wav[i]));
    EXPECT_LT(worst, 0.05);
    EXPECT_EQ(ogg.sampleRate, 8000);
    EXPECT_EQ(ogg.Describe(), "tone.ogg, channel 1, 300 samples, 8000 Hz");
}

struct FailureCase {
    const char* file;
    const char* column;
    const char* message;
};

// clang-format off
const FailureCase kFailures[] = {
    {"bad_number.csv", "", "Cannot import \"bad_number.csv\": line 3, column 2: \"abc\" is not a number"},
    {"short_line.csv", "", "Cannot import \"short_line.csv\": line 4 has no column 2 (it has 1)"},
    {"empty_field.csv", "2", "Cannot import \"empty_field.csv\": line 2, column 2: the field is empty; choose Fill or Drop gaps (--gaps fill|drop)"},
    {"empty.csv", "", "Cannot import \"empty.csv\": the file holds no values"},
    {"header_two_columns.csv", "3", "Cannot import \"header_two_columns.csv\": there is no column 3: the data lines have 2 columns"},
    {"header_two_columns.csv", "volts", "Cannot import \"header_two_columns.csv\": there is no column \"volts\": the columns are \"time\", \"value\""},
    {"truncated.npy", "", "Cannot import \"truncated.npy\": the file ends after 5 of its 7 values"},
    {"complex.npy", "", "Cannot import \"complex.npy\": its values are complex ('<c16'), not real numbers"},
    {"cube.npy", "", "Cannot import \"cube.npy\": its array has 3 axes; a signal is one axis, or a column or row of two"},
    {"table_c.npy", "4", "Cannot import \"table_c.npy\": there is no column 4: the array has 3 columns"},
    {"no_vector.mat", "", "Cannot import \"no_vector.mat\": it holds no numeric vector or matrix"},
    {"tone.wav", "", nullptr},  // replaced below: a channel the file lacks
    {"corrupt.wav", "", "Cannot import \"corrupt.wav\": it is not an audio file the decoder reads: "},
    {"tone.xyz", "", "Cannot import \"tone.xyz\": its kind is not known from its name; choose text, audio, mat or npy"},
};
// clang-format on

class FailingFile : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailingFile, SaysWhyInTheWindowsWords) {
    const FailureCase& c = GetParam();
    ImportChoices choices;
    choices.text.column = c.column;
    std::string expected =
        c.message ? c.message : "Cannot import \"tone.wav\": there is no channel 2: the file has 1 channel";
    if (!c.message) choices.channel = "2";
    try {
        ImportSignal(ImportFile(c.file), choices);
        FAIL() << "imported " << c.file;
    } catch (const ImportError& error) {
        // The decoder's own reason follows the prefix.
        if (expected.back() == ' ') {
            EXPECT_TRUE(error.Message().starts_with(expected)) << error.Message();
            EXPECT_GT(error.Message().size(), expected.size());
        } else {
            EXPECT_EQ(error.Message(), expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FailingFile, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::to_string(info.index); });

// A matrix's signals are its columns or its rows, read alike from C and
// Fortran order and from MATLAB; by default along the longer axis. Its
// preview tells its shape and how many there are to choose from.
TEST(ImportFiles, AMatrixIsReadByColumnsOrRows) {
    const analysis::test::TempFolder folder;
    const int64_t rows = 3;
    const int64_t columns = 7;
    const auto item = [](int64_t i, int64_t j) { return static_cast<double>(10 * i + j) / 4; };
    std::vector<double> c;
    std::vector<double> fortran;
    for (int64_t k = 0; k < rows * columns; ++k) {
        c.push_back(item(k / columns, k % columns));
        fortran.push_back(item(k % rows, k / rows));
    }
    for (const std::string& file :
         {folder.Write("c.npy", NpyBytes(c, "(3, 7)")), folder.Write("f.npy", NpyBytes(fortran, "(3, 7)", true))}) {
        for (const char* axis : {"", "rows", "columns"}) {
            // Fewer rows than columns: each row a signal unless columns are chosen.
            const bool eachRow = *axis != 'c';
            const int64_t count = eachRow ? rows : columns;
            for (int64_t k = 0; k <= count; ++k) {  // 0: the last
                SCOPED_TRACE(file + " " + axis + " " + std::to_string(k));
                ImportChoices choices;
                choices.axis = ArrayAxisNamed(axis);
                choices.text.column = k > 0 ? std::to_string(k) : "";
                const ImportedSignal signal = ImportSignal(file, choices);
                const int64_t at = (k > 0 ? k : count) - 1;
                Samples expected;
                for (int64_t i = 0; i < (eachRow ? columns : rows); ++i)
                    expected.push_back(eachRow ? item(at, i) : item(i, at));
                EXPECT_EQ(signal.samples, expected);
                EXPECT_EQ(signal.part, (eachRow ? "row " : "column ") + std::to_string(at + 1));
                const ImportPreview preview = PreviewImport(file, choices);
                EXPECT_EQ(preview.shape, (std::vector<int64_t>{rows, columns}));
                EXPECT_EQ(preview.columns, count);
            }
        }
    }
    // A MATLAB matrix (6 x 3) reads as a NumPy file of the same matrix does.
    for (const char* axis : {"", "rows"}) {
        ImportChoices choices;
        choices.axis = ArrayAxisNamed(axis);
        choices.text.column = "2";
        const Samples npy = ImportSignal(ImportFile("table_fortran.npy"), choices).samples;
        choices.variable = "grid";
        EXPECT_EQ(ImportSignal(ImportFile("signals.mat"), choices).samples, npy);
        EXPECT_EQ(npy.size(), *axis ? 3u : 6u);
    }
}

// A file that cannot be opened, or is not a regular file, is no import's
// failure: every kind of import, its preview and the sample reader tell it in
// the same words, as a file that cannot be read.
TEST(ImportFiles, AFileThatCannotBeReadIsToldAsTheSampleReaderTellsIt) {
    const std::string missing = ImportFile("missing.dat");
    const std::string folder = ImportFile(".");
    const std::pair<std::string, std::string> cases[] = {
        {missing, "Cannot open file \"" + missing + "\": No such file or directory"},
        {folder, "The file \"" + folder + "\" is not a regular file"},
    };
    for (const auto& [path, expected] : cases) {
        double sample = 0.0;
        EXPECT_EQ(analysis::DescribeFailedRead(path, analysis::ReadSamples(path, &sample, 1)), expected);
        for (const SourceKind kind : {SourceKind::Text, SourceKind::Audio, SourceKind::Mat, SourceKind::Npy}) {
            ImportChoices choices;
            choices.kind = kind;
            SCOPED_TRACE(std::string(path) + " as kind " + std::to_string(static_cast<int>(kind)));
            EXPECT_EQ(PreviewImport(path, choices).error, expected);
            try {
                ImportSignal(path, choices);
                ADD_FAILURE() << "imported";
            } catch (const analysis::EFileUnreadable& error) {
                EXPECT_EQ(error.Message(), expected);
            }
        }
    }
}

}  // namespace
}  // namespace importer::test
