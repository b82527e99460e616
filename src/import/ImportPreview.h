#pragma once
// What an import will read, shown before anything changes: the start of the
// file as it is and as the choices parse it, what the file's header tells,
// the number of samples and the first values, or why the import fails.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/AudioImport.h"
#include "import/MatImport.h"
#include "import/SignalImport.h"

namespace importer {

// A file up to this size is imported whole for its preview: the count is
// then exact and the signal need not be read again.
inline constexpr int64_t kWholePreviewBytes = int64_t{4} << 20;
// The records of a text table the preview shows.
inline constexpr int32_t kPreviewRecords = 12;
// The values the preview shows.
inline constexpr std::size_t kPreviewValues = 8;

struct ImportPreview {
    SourceKind kind = SourceKind::Text;
    // Text: the first lines as they are, and the first records split into
    // fields (none for a comment or empty line); the first
    // layout.dialect.skipLines records come before the data.
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> records;
    TextLayout layout;
    // Text, a 2-D NumPy array or a MATLAB matrix: the columns to choose from
    // (a text table's header names, else empty), and the one read, from 1.
    std::vector<std::string> columnNames;
    int32_t columns = 0;
    int32_t column = 0;
    AudioInfo audio;
    std::vector<MatVariable> variables;
    std::string variable;  // the one read
    std::string type;      // a NumPy array's or the MATLAB variable's type
    // A NumPy array's or the MATLAB variable's shape, and the way a matrix
    // is read (columns and column above are then rows and row, for Rows).
    std::vector<int64_t> shape;
    ArrayAxis axis = ArrayAxis::Columns;

    // The samples the import reads, counted, or estimated for a long text
    // table (TextEstimate): n the likeliest, least to most its range; their
    // first values.
    int64_t n = 0;
    bool estimated = false;
    int64_t least = 0;
    int64_t most = 0;
    std::vector<double> firstValues;
    // The whole import, when the file was small or quick enough to read now.
    std::optional<ImportedSignal> signal;
    // Why the import fails, in the words of ImportError or of a file that
    // cannot be read; empty when it reads.
    std::string error;
};

// The preview of importing fileName with the choices. Never throws for what
// the file holds: a failure is its error.
ImportPreview PreviewImport(const std::string& fileName, const ImportChoices& choices,
                            int64_t wholeTextBytes = kWholePreviewBytes);

}  // namespace importer
