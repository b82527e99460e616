#pragma once
// The count of a table too long to read for a preview: its first values, as
// the import reads them, from its head, and how many lines the rest holds
// from the lengths of the lines in a few windows spread over it. Lines grow
// and shrink along a file (an index column gains digits), so the count is a
// range: the least and the most the windows' longest and shortest lines give.

#include <cstdint>
#include <string>
#include <string_view>

#include "import/SignalImport.h"

namespace importer {

struct TextEstimate {
    int64_t n = 0;  // from the windows' mean line
    int64_t least = 0;
    int64_t most = 0;
    Samples firstValues;  // the head's values, gaps filled or dropped
};

// The estimate for fileName, which starts with head, parsed with the dialect
// found (fixed) and the choices' column, rows and gaps. Throws ImportFailure
// for what the head holds that the import refuses, analysis::EFileUnreadable
// when the file cannot be read.
TextEstimate EstimateTextCount(const std::string& fileName, std::string_view head, const TextChoices& fixed, Gaps gaps);

}  // namespace importer
