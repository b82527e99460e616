#include "import/TextLayout.h"

#include <algorithm>
#include <charconv>

#include "analysis/io/FileError.h"
#include "import/ImportError.h"

namespace importer {
namespace {

// Enough lines to see past any usual header.
constexpr int32_t kLinesLooked = 64;

struct HeadLine {
    const char* begin;
    bool comment;
};

std::vector<HeadLine> HeadLines(std::string_view head, bool wholeText) {
    std::vector<HeadLine> lines;
    const char* p = head.data();
    const char* end = p + head.size();
    while (p < end && static_cast<int32_t>(lines.size()) < kLinesLooked) {
        const char* next = RecordEnd(p, end, wholeText);
        if (next == nullptr) break;
        lines.push_back(HeadLine{p, IsCommentLine(p, next)});
        p = next;
    }
    return lines;
}

// A line is data when one of its fields is a number.
bool IsDataLine(const std::vector<TextField>& fields, bool decimalComma) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](const TextField& field) { return FieldNumber(field, decimalComma).has_value(); });
}

struct Split {
    std::vector<std::vector<TextField>> records;  // one per head line; empty for comments
};

Split SplitLines(const std::vector<HeadLine>& lines, const char* end, Delimiter delimiter) {
    Split split;
    std::vector<TextField> fields;
    for (const HeadLine& line : lines) {
        fields.clear();
        if (!line.comment) SplitRecord(line.begin, RecordEnd(line.begin, end, true), true, delimiter, fields);
        split.records.push_back(fields);
    }
    return split;
}

// The first data line at or after `from`, or lines.size().
std::size_t FirstDataLine(const std::vector<HeadLine>& lines, const Split& split, std::size_t from, bool decimalComma) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (!lines[i].comment && IsDataLine(split.records[i], decimalComma)) return i;
    }
    return lines.size();
}

// A delimiter fits when most data lines have the same number of fields,
// more than one: a short last line must not hide the table.
int32_t FieldsPerDataLine(const std::vector<HeadLine>& lines, const Split& split, std::size_t first) {
    std::vector<int32_t> counts;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!lines[i].comment) counts.push_back(static_cast<int32_t>(split.records[i].size()));
    }
    for (int32_t count : counts) {
        if (2 * std::count(counts.begin(), counts.end(), count) > static_cast<std::ptrdiff_t>(counts.size())) {
            return count;
        }
    }
    return 0;
}

// Decimal commas: a data field with a comma that reads as a number with it.
bool HasDecimalCommas(const std::vector<HeadLine>& lines, const Split& split, std::size_t first) {
    for (std::size_t i = first; i < lines.size(); ++i) {
        for (const TextField& field : split.records[i]) {
            const bool comma = std::find(field.begin, field.end, ',') != field.end;
            if (comma && FieldNumber(field, true)) return true;
        }
    }
    return false;
}

bool Fits(const std::vector<HeadLine>& lines, const Split& split, std::size_t from, Delimiter delimiter,
          std::optional<bool> decimalComma) {
    for (bool comma : {false, true}) {
        if (decimalComma.value_or(comma) != comma || (comma && delimiter == Delimiter::Comma)) continue;
        const std::size_t first = FirstDataLine(lines, split, from, comma);
        if (first < lines.size() && FieldsPerDataLine(lines, split, first) >= 2) return true;
    }
    return false;
}

}  // namespace

std::size_t ByteOrderMarkLength(std::string_view text) { return text.starts_with("\xEF\xBB\xBF") ? 3 : 0; }

TextLayout DetectLayout(std::string_view head, bool wholeText, const TextChoices& choices) {
    const std::vector<HeadLine> lines = HeadLines(head, wholeText);
    const char* end = head.data() + head.size();
    const std::size_t from = static_cast<std::size_t>(std::max(choices.skipLines.value_or(0), 0));

    // The first delimiter that parts every data line alike into several
    // fields; else blanks, a column of one number a line.
    std::vector<Delimiter> candidates = {Delimiter::Tab, Delimiter::Semicolon, Delimiter::Comma, Delimiter::Blanks};
    if (choices.delimiter) candidates = {*choices.delimiter};
    TextLayout layout;
    layout.dialect.delimiter = choices.delimiter.value_or(Delimiter::Blanks);
    for (Delimiter delimiter : candidates) {
        if (Fits(lines, SplitLines(lines, end, delimiter), from, delimiter, choices.decimalComma)) {
            layout.dialect.delimiter = delimiter;
            break;
        }
    }
    const Split chosen = SplitLines(lines, end, layout.dialect.delimiter);
    const Delimiter delimiter = layout.dialect.delimiter;
    layout.dialect.decimalComma = choices.decimalComma.value_or(
        delimiter != Delimiter::Comma && HasDecimalCommas(lines, chosen, FirstDataLine(lines, chosen, from, true)));
    const std::size_t first = FirstDataLine(lines, chosen, from, layout.dialect.decimalComma);
    layout.dialect.skipLines = choices.skipLines.value_or(first == lines.size() ? 0 : static_cast<int32_t>(first));
    const auto skip = static_cast<std::size_t>(layout.dialect.skipLines);
    for (std::size_t i = skip; i < lines.size(); ++i) {
        if (lines[i].comment) continue;
        layout.columns = static_cast<int32_t>(chosen.records[i].size());
        break;
    }
    for (std::size_t i = std::min(skip, lines.size()); i-- > 0;) {
        if (lines[i].comment) continue;
        for (const TextField& field : chosen.records[i]) layout.names.push_back(FieldText(field));
        break;
    }
    return layout;
}

int32_t ChosenColumn(const TextLayout& layout, const std::string& column, bool rowsAsSeries) {
    if (column.empty()) return rowsAsSeries ? std::clamp(layout.columns, 1, 2) : std::max(layout.columns, 1);
    int32_t number = 0;
    const char* end = column.data() + column.size();
    const auto [stop, error] = std::from_chars(column.data(), end, number);
    if (error == std::errc() && stop == end && number >= 1) {
        if (layout.columns > 0 && number > layout.columns) {
            throw ImportFailure("there is no column " + column + ": the data lines have " +
                                std::to_string(layout.columns) + (layout.columns == 1 ? " column" : " columns"));
        }
        return number;
    }
    const auto named = std::find(layout.names.begin(), layout.names.end(), column);
    if (named != layout.names.end()) return static_cast<int32_t>(named - layout.names.begin()) + 1;
    std::string known;
    for (const std::string& name : layout.names) {
        known += (known.empty() ? "\"" : ", \"") + analysis::ShownName(name) + "\"";
    }
    throw ImportFailure("there is no column \"" + analysis::ShownName(column) + "\"" +
                        (known.empty() ? std::string(": the file has no header line") : ": the columns are " + known));
}

}  // namespace importer
