#pragma once
// One column of a text table (CSV, TSV, blank-separated) as a signal.

#include <string>
#include <string_view>
#include <vector>

#include "analysis/io/FileChunkReader.h"
#include "import/Samples.h"
#include "import/TextLayout.h"

namespace importer {

// How much of a text its layout is found from.
constexpr std::size_t kTextHeadBytes = 64 * 1024;

struct TextColumn {
    Samples values;
    TextLayout layout;  // as found and chosen
    int32_t column = 1;
    std::string name;  // the column's header name; empty when none
};

// The column the choices name from the text (or the columns, of rows read
// as one series); a UTF-8 byte order mark at its start is skipped. With gaps
// an empty field or a NaN is a gap, a NaN among the values. Throws
// ImportFailure: the column is missing, a field is no number (or a gap
// without gaps), or no value is found.
TextColumn ParseTextColumn(std::string_view text, const TextChoices& choices, bool gaps = false);

// The same from a file, read in chunks through the sample reader's window,
// each chunk told to progress. Throws analysis::EFileUnreadable when the file
// cannot be opened or read, and fw::EAbort when progress cancels the read.
TextColumn ReadTextColumn(const std::string& fileName, const TextChoices& choices, bool gaps = false,
                          const analysis::ReadProgress& progress = {});

}  // namespace importer
