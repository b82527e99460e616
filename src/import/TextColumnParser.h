#pragma once
// Reads one column of a text table, record by record, from text that may
// arrive in pieces: a record cut by the end of a piece is read again whole
// with the next one.

#include <cstdint>
#include <vector>

#include "import/Samples.h"
#include "import/TextLayout.h"

namespace importer {

class TextColumnParser {
public:
    // column: from 1.
    TextColumnParser(const TextDialect& dialect, int32_t column);

    // Reads the records that end before `end` (all of them when lastData);
    // returns the start of the first record not read. Throws ImportFailure
    // for a line without the column, a field that is no number, and more
    // values than a signal may have.
    const char* Feed(const char* begin, const char* end, bool lastData);

    Samples& Values() { return values_; }

private:
    // The record at p, a data line, or nullptr when it goes on past `end`.
    const char* DataRecord(const char* p, const char* end, bool lastData);
    [[noreturn]] void FieldError(TextField field) const;

    TextDialect dialect_;
    int32_t column_;
    int64_t line_ = 1;
    int32_t skipped_ = 0;
    Samples values_;
};

}  // namespace importer
