// The layout a text table is found to have, and its column read the same
// however the text arrives in pieces.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "analysis/io/FileChunkReader.h"
#include "import/ImportError.h"
#include "import/TextColumnParser.h"
#include "import/TextImport.h"

namespace importer::test {
namespace {

struct LayoutCase {
    const char* text;
    Delimiter delimiter;
    bool decimalComma;
    int32_t skipLines;
    int32_t columns;
    std::vector<std::string> names;
};

TEST(TextLayout, FindsDelimiterDecimalsAndHeader) {
    // clang-format off
    const LayoutCase cases[] = {
        {"1.5\n2.5\n",                          Delimiter::Blanks,    false, 0, 1, {}},
        {"1 2 3\n4 5 6\n",                      Delimiter::Blanks,    false, 0, 3, {}},
        {"t,v\n0,1.5\n1,2.5\n",                 Delimiter::Comma,     false, 1, 2, {"t", "v"}},
        {"# made today\nt;v\n0;1,5\n1;2,5\n",   Delimiter::Semicolon, true,  2, 2, {"t", "v"}},
        {"a\tb\n1,5\t2\n3\t4\n",                Delimiter::Tab,       true,  1, 2, {"a", "b"}},
        {"\"x, y\",z\n1,2\n3,4\n",              Delimiter::Comma,     false, 1, 2, {"x, y", "z"}},
        // A short last line does not hide the table.
        {"1,2\n3,4\n5,6\n7\n",                  Delimiter::Comma,     false, 0, 2, {}},
        // A date column is no number; the value beside it makes the line data.
        {"date,level\n2024-01-02,3.5\n2024-01-03,4\n", Delimiter::Comma, false, 1, 2, {"date", "level"}},
        // A stray quote, in a comment or as an inch mark, does not run on
        // to the data and hide the header.
        {"# by \"logger\nt,v\n0,1\n1,2\n",          Delimiter::Comma,     false, 2, 2, {"t", "v"}},
        {"size 5\",value\n0,1\n1,2\n",              Delimiter::Comma,     false, 1, 2, {"size 5\"", "value"}},
        {"t,v\n# 5\" long\n0,1\n1,2\n",             Delimiter::Comma,     false, 2, 2, {"t", "v"}},
    };
    // clang-format on
    for (const LayoutCase& c : cases) {
        const TextLayout layout = DetectLayout(c.text, true, {});
        EXPECT_EQ(layout.dialect.delimiter, c.delimiter) << c.text;
        EXPECT_EQ(layout.dialect.decimalComma, c.decimalComma) << c.text;
        EXPECT_EQ(layout.dialect.skipLines, c.skipLines) << c.text;
        EXPECT_EQ(layout.columns, c.columns) << c.text;
        EXPECT_EQ(layout.names, c.names) << c.text;
    }
}

TEST(TextLayout, KeepsWhatTheUserChose) {
    TextChoices choices;
    choices.delimiter = Delimiter::Semicolon;
    choices.skipLines = 2;
    choices.decimalComma = true;
    const TextColumn column = ParseTextColumn("junk\nmore junk\n1;2,5\n", choices);
    EXPECT_EQ(column.values, (Samples{2.5}));
    EXPECT_EQ(column.column, 2);
}

// Fed as a window over the text that grows a byte at a time, the parser reads
// what it reads from the whole text: no record is read from a cut piece.
TEST(TextColumnParser, ReadsTheSameWhereverThePiecesEnd) {
    const std::string text =
        "\"q\"\"uote\";\"two\nlines\";\"3,5\"\n# note\n\n  -1,25e2 ; 7;x\r\n+,5;\"8\";y\n9;10,;z\n12;1e-3";
    TextDialect dialect;
    dialect.delimiter = Delimiter::Semicolon;
    dialect.decimalComma = true;
    dialect.skipLines = 1;
    TextColumnParser whole(dialect, 1);
    whole.Feed(text.data(), text.data() + text.size(), true);
    EXPECT_EQ(whole.Values(), (Samples{-125, 0.5, 9, 12}));
    TextColumnParser second(dialect, 2);
    second.Feed(text.data(), text.data() + text.size(), true);
    EXPECT_EQ(second.Values(), (Samples{7, 8, 10, 0.001}));

    for (int32_t column : {1, 2}) {
        TextColumnParser pieces(dialect, column);
        const char* begin = text.data();
        for (std::size_t end = 0; end <= text.size(); ++end) {
            begin = pieces.Feed(begin, text.data() + end, end == text.size());
        }
        EXPECT_EQ(begin, text.data() + text.size());
        EXPECT_EQ(pieces.Values(), (column == 1 ? whole : second).Values());
    }
}

// A file longer than the reader's window: the records cut by each chunk's
// end are read whole, as from the text in memory.
TEST(TextImport, AFileReadsAsItsTextInMemory) {
    std::string text = "\xEF\xBB\xBFindex;\"volts\"\r\n";
    for (int i = 0; text.size() < 2 * analysis::kReadChunkBytes + 100; ++i) {
        text += std::to_string(i) + ";" + std::to_string(i % 1000) + "," + std::to_string(i % 7) + "e-" +
                std::to_string(i % 3) + (i % 500 == 0 ? "\r\n# pause\r\n" : "\r\n");
    }
    const std::string path = ::testing::TempDir() + "/quelmar-import-long.csv";
    std::ofstream(path, std::ios::binary) << text;
    const TextColumn file = ReadTextColumn(path, {});
    std::remove(path.c_str());
    const TextColumn memory = ParseTextColumn(text, {});
    EXPECT_EQ(file.name, "volts");
    EXPECT_TRUE(file.layout.dialect.decimalComma);
    EXPECT_GT(file.values.size(), 100000u);
    EXPECT_EQ(file.values, memory.values);
    EXPECT_EQ(memory.values[1234], 23.42);  // "234,2e-1"
}

// A wide table read as one series gives its columns' values line by line,
// from the column on (by default the second), however the text arrives in
// pieces; only its last line may have fewer values.
TEST(TextColumnParser, ReadsAWideTableLineByLine) {
    const std::string tables[] = {
        "YEAR,JAN,FEB,MAR\n1990,1,2,3\n1991,4,5.5,6\n1992,-7,8,9e1\n",
        "# note\nyear m1 m2\n1990   1 2  \n\n1991 3   4   \n",
        "\"a\";\"b\";\"c\"\r\n1;2,5;3\r\n4;5;\"6\"\r\n",
    };
    TextChoices one;
    TextChoices series;
    series.rowsAsSeries = true;
    for (const std::string& table : tables) {
        const int32_t columns = DetectLayout(table, true, {}).columns;
        for (int32_t from = 1; from <= columns; ++from) {
            SCOPED_TRACE(table + " from column " + std::to_string(from));
            std::vector<Samples> read;
            for (int32_t column = from; column <= columns; ++column) {
                one.column = std::to_string(column);
                read.push_back(ParseTextColumn(table, one).values);
            }
            Samples expected;
            for (std::size_t line = 0; line < read[0].size(); ++line) {
                for (const Samples& column : read) expected.push_back(column[line]);
            }
            series.column = from == 2 ? "" : std::to_string(from);  // the second is the default
            const TextColumn whole = ParseTextColumn(table, series);
            EXPECT_EQ(whole.column, from);
            EXPECT_EQ(whole.values, expected);
            TextColumnParser pieces(whole.layout.dialect, from, TextReading{true, false});
            const char* begin = table.data();
            for (std::size_t end = 0; end <= table.size(); ++end) {
                begin = pieces.Feed(begin, table.data() + end, end == table.size());
            }
            EXPECT_EQ(pieces.Values(), expected);
        }
    }
    series.column.clear();
    EXPECT_EQ(ParseTextColumn("t,a,b\n1,2,3\n2,4,5\n3,6\n", series).values, (Samples{2, 3, 4, 5, 6}));
    const std::pair<const char*, const char*> uneven[] = {
        {"t,a,b\n1,2,3\n2,4,5\n3,6\n4,7,8\n",
         "line 4 has 1 value from column 2, fewer than the 2 of the first data line; only the last line may have "
         "fewer"},
        {"t,a,b\n1,2,3\n2,4,5\n3,6,7,8\n", "line 4 has 3 values from column 2, more than the 2 of the first data line"},
    };
    for (const auto& [table, message] : uneven) {
        try {
            ParseTextColumn(table, series);
            ADD_FAILURE() << table;
        } catch (const ImportFailure& failure) {
            EXPECT_EQ(failure.Message(), message);
        }
    }
}

TEST(TextColumnParser, NamesTheLineAndColumnOfABadField) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1,2\n3,4x\n",        "line 2, column 2: \"4x\" is not a number"},
        {"1,2\r\n\r\n3,\r\n",  "line 3, column 2: the field is empty; choose Fill or Drop gaps (--gaps fill|drop)"},
        {"1,2,\"a\nb\"\n4,x\n", "line 3, column 2: \"x\" is not a number"},
        {"1,2\n3,- 4\n",       "line 2, column 2: \"- 4\" is not a number"},
        {"1,2\n3,4\xEF\x01\n",  "line 2, column 2: \"4\\xEF\\x01\" is not a number"},
        {"1,2\n3\n",           "line 2 has no column 2 (it has 1)"},
    };
    // clang-format on
    TextDialect dialect;
    dialect.delimiter = Delimiter::Comma;
    for (const auto& [text, message] : cases) {
        TextColumnParser parser(dialect, 2);
        const std::string_view view(text);
        try {
            parser.Feed(view.data(), view.data() + view.size(), true);
            ADD_FAILURE() << "read " << text;
        } catch (const ImportFailure& failure) {
            EXPECT_EQ(failure.Message(), message);
        }
    }
}

}  // namespace
}  // namespace importer::test
