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

TEST(TextColumnParser, NamesTheLineAndColumnOfABadField) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1,2\n3,4x\n",        "line 2, column 2: \"4x\" is not a number"},
        {"1,2\r\n\r\n3,\r\n",  "line 3, column 2: the field is empty"},
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
