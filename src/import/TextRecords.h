#pragma once
// The structure of a text table: records of fields, one record a line, its
// fields parted by one delimiter or by runs of blanks. A field in double
// quotes may hold the delimiter, line ends and doubled quotes. Blanks around
// a field and a carriage return before a line feed belong to no field.
// Lines that are empty or start with "#" or "%" are comments, never records.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace importer {

enum class Delimiter : char { Comma = ',', Semicolon = ';', Tab = '\t', Blanks = ' ' };

// "," "comma", ";" "semicolon", "tab" (or a tab), "blanks" "space" (or " ").
std::optional<Delimiter> DelimiterNamed(const std::string& name);

// The text of a field, blanks trimmed, quotes kept.
struct TextField {
    const char* begin = nullptr;
    const char* end = nullptr;
};

// Where a record ends: the start of the next line, or nullptr when the record
// may go on past the text (and lastData was false).
struct RecordScan {
    const char* next = nullptr;
    int32_t lineFeeds = 0;  // line feeds before next, quoted ones too
};

inline bool IsFieldBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// A comment or empty line starts at p (the start of a line).
bool IsCommentLine(const char* p, const char* end);

// The end of the line at p: after its line feed, or nullptr when no line
// feed comes before `end` and lastData is false.
const char* LineEnd(const char* p, const char* end, bool lastData);

// The end of the record at p, after the first line feed outside double
// quotes, or nullptr when none comes before `end` and lastData is false. A
// quote opens a quoted run only where a field may start (at the line's start,
// after a comma, semicolon or blank), as a field is read, so a header or a
// record with a quoted line end is one record however its fields are parted,
// while an inch mark ("5\"") is a character. A comment or empty line ends at
// its line feed, whatever quotes it holds.
const char* RecordEnd(const char* p, const char* end, bool lastData);

// The fields of the record at p (not a comment line) into `fields`.
RecordScan SplitRecord(const char* p, const char* end, bool lastData, Delimiter delimiter,
                       std::vector<TextField>& fields);

// The field at p, the start of a field (blanks before it allowed), that ends
// at the delimiter, a line feed or `end`; its end is the delimiter or line
// feed after it (or `end`). nullopt when the field may go on past `end`.
struct FieldScan {
    TextField field;
    const char* stop = nullptr;  // the delimiter or line feed after the field, or `end`
    int32_t lineFeeds = 0;       // quoted line feeds
};
std::optional<FieldScan> ScanField(const char* p, const char* end, bool lastData, Delimiter delimiter);

// The text of a field without its quotes, doubled quotes made single.
std::string FieldText(TextField field);

// The field as a number in the sample file's syntax, "," as the decimal
// point with decimalComma (then "." is no number); quotes around it allowed.
std::optional<double> FieldNumber(TextField field, bool decimalComma);

}  // namespace importer
