#pragma once
// Reads one column of a text table, record by record, from text that may
// arrive in pieces: a record cut by the end of a piece is read again whole
// with the next one.

#include <cstdint>
#include <vector>

#include "import/Samples.h"
#include "import/TextLayout.h"

namespace importer {

// How much of each data line is read, and what an empty field is.
struct TextReading {
    // The column and every field after it, left to right (TextChoices).
    bool rowsAsSeries = false;
    // An empty field, "nan" or "NA" (any case) is a gap, read as a NaN for
    // the gap step; else it is refused where it stands.
    bool gaps = false;
};

class TextColumnParser {
public:
    // column: from 1.
    TextColumnParser(const TextDialect& dialect, int32_t column, TextReading reading = {});

    // Reads the records that end before `end` (all of them when lastData);
    // returns the start of the first record not read. Throws ImportFailure
    // for a line without the column, a field that is no number, a wide
    // table's line longer than the first or after a shorter one, and more
    // values than a signal may have.
    const char* Feed(const char* begin, const char* end, bool lastData);

    Samples& Values() { return values_; }

private:
    // The record at p, a data line, or nullptr when it goes on past `end`.
    const char* DataRecord(const char* p, const char* end, bool lastData);
    // Reads the field at p, of the column, as a value; returns the delimiter
    // or line feed after it (or `end`), or nullptr when it goes on past `end`.
    const char* Value(const char* p, const char* end, bool lastData, int32_t column, int32_t& lineFeeds);
    void PushGap(TextField field, int32_t column);
    // A wide table's lines line up: only the last may stop short.
    void CheckLineLength(int64_t values);
    [[noreturn]] void FieldError(TextField field, int32_t column) const;

    TextDialect dialect_;
    int32_t column_;
    TextReading reading_;
    int64_t line_ = 1;
    int32_t skipped_ = 0;
    // A wide table: the values of its first data line, and of a shorter one.
    int64_t lineValues_ = 0;
    int64_t shortLine_ = 0;
    int64_t shortValues_ = 0;
    Samples values_;
};

}  // namespace importer
