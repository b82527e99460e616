// The preview tells what the import reads: the same count, values and
// failure as the import itself, and a long table's count from its start.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "import/ImportError.h"
#include "import/ImportFiles.h"
#include "import/ImportPreview.h"

namespace importer::test {
namespace {

TEST(ImportPreview, AgreesWithTheImport) {
    const struct {
        const char* file;
        const char* column;
        const char* channel;
        const char* variable;
        int32_t columns;
    } cases[] = {
        {"header_two_columns.csv", "", "", "", 2},
        {"comments_semicolon_decimal_comma.csv", "1", "", "", 3},
        {"stereo.wav", "", "2", "", 0},
        {"signals.mat", "2", "", "grid", 3},
        {"table_c.npy", "1", "", "", 3},
        {"bad_number.csv", "", "", "", 2},
        {"truncated.npy", "", "", "", 0},
        {"corrupt.wav", "", "", "", 0},
        {"header_two_columns.csv", "x", "", "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ImportChoices choices;
        choices.text.column = c.column;
        choices.channel = c.channel;
        choices.variable = c.variable;
        const ImportPreview preview = PreviewImport(ImportFile(c.file), choices);
        EXPECT_EQ(preview.kind, SourceKindOfFile(c.file));
        try {
            const ImportedSignal signal = ImportSignal(ImportFile(c.file), choices);
            EXPECT_EQ(preview.error, "");
            EXPECT_EQ(preview.columns, c.columns);
            ASSERT_TRUE(preview.signal);
            EXPECT_EQ(preview.signal->samples, signal.samples);
            EXPECT_EQ(preview.n, static_cast<int64_t>(signal.samples.size()));
            EXPECT_FALSE(preview.estimated);
            const std::size_t shown = std::min(signal.samples.size(), kPreviewValues);
            EXPECT_EQ(preview.firstValues, std::vector<double>(signal.samples.begin(), signal.samples.begin() + shown));
        } catch (const ImportError& error) {
            EXPECT_EQ(preview.error, error.Message());
            EXPECT_FALSE(preview.signal);
        }
    }
}

TEST(ImportPreview, ShowsATablesLinesAsTheyAreAndAsParsed) {
    const ImportPreview preview = PreviewImport(ImportFile("comments_semicolon_decimal_comma.csv"), {});
    ASSERT_GE(preview.records.size(), 4u);
    EXPECT_EQ(preview.lines[0], "# logger 7, channel A");
    EXPECT_EQ(preview.lines[3], "0;67,53736616652797;1013,25");
    EXPECT_EQ(preview.records[0], std::vector<std::string>{});
    EXPECT_EQ(preview.records[2], (std::vector<std::string>{"t", "Temperatur (°C)", "Druck"}));
    EXPECT_EQ(preview.records[3], (std::vector<std::string>{"0", "67,53736616652797", "1013,25"}));
    EXPECT_EQ(preview.layout.dialect.skipLines, 3);
    EXPECT_EQ(preview.columnNames, preview.records[2]);
    EXPECT_EQ(preview.column, 3);
}

// Its lines grow along the file, as an index column's do: a count from the
// start alone would be far too high; the range holds the count.
TEST(ImportPreview, CountsALongTableFromItsStart) {
    const std::string path = testing::TempDir() + "/long_preview.csv";
    const int rows = 200000;
    {
        std::ofstream out(path);
        out << "a,b\n";
        for (int i = 0; i < rows; ++i) out << i << "," << 1000 + i % 9000 << "\n";
    }
    const ImportPreview preview = PreviewImport(path, {}, 0);
    EXPECT_TRUE(preview.estimated);
    EXPECT_FALSE(preview.signal);
    EXPECT_LE(preview.least, rows);
    EXPECT_GE(preview.most, rows);
    EXPECT_TRUE(preview.least <= preview.n && preview.n <= preview.most);
    EXPECT_LT(preview.most - preview.least, rows / 2);
    EXPECT_EQ(preview.firstValues, (std::vector<double>{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007}));
    // A cancel through the progress ends the read with nothing read.
    EXPECT_THROW(ImportSignal(path, {}, [](int64_t, int64_t) { return false; }), fw::EAbort);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace importer::test
