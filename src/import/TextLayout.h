#pragma once
// How a text table is laid out, found from its first lines: the delimiter,
// the decimal separator and the lines before the data. What the user gives
// is kept; the rest is found.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/TextRecords.h"

namespace importer {

struct TextDialect {
    Delimiter delimiter = Delimiter::Blanks;
    bool decimalComma = false;
    // Records (lines, or more where a quoted field holds a line end) before
    // the data: headers, comments and empty lines among them.
    int32_t skipLines = 0;
};

// What the user fixed; the rest is found.
struct TextChoices {
    std::optional<Delimiter> delimiter;
    std::optional<bool> decimalComma;
    std::optional<int32_t> skipLines;
    // The column by its header name or its number from 1; empty: the only
    // column, or the last one of several.
    std::string column;
    // A wide table (a year a line, a month a column): the data lines are one
    // series, read line by line, left to right, from the column on to the
    // last. Its column by default is the second of several, the first being
    // the line's label.
    bool rowsAsSeries = false;
};

struct TextLayout {
    TextDialect dialect;
    // The fields of the first data line.
    int32_t columns = 0;
    // The names in the last line before the data that is no comment; empty
    // when there is none.
    std::vector<std::string> names;
};

// The layout of the text that starts with `head` (a UTF-8 byte order mark
// already skipped); wholeText tells that nothing follows it. Only the lines
// that end within `head` are looked at.
TextLayout DetectLayout(std::string_view head, bool wholeText, const TextChoices& choices);

// The column the choice names, 1-based; throws ImportFailure for a name that
// is not in the header or a number beyond the columns.
int32_t ChosenColumn(const TextLayout& layout, const std::string& column, bool rowsAsSeries = false);

// A UTF-8 byte order mark's length at the start of text: 3 or 0.
std::size_t ByteOrderMarkLength(std::string_view text);

}  // namespace importer
