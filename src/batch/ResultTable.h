#pragma once
// The results of several parts of one input (channels, columns) as the
// columns of one table: CSV whose fields are the sample file's texts, so
// that each column reads back to its doubles, or a 2-D NumPy array.

#include <string>
#include <vector>

#include "analysis/io/NpyWriter.h"

namespace batch {

// A field as CSV takes it: quoted when it holds a delimiter, a quote or a line end.
std::string CsvField(const std::string& text);

// The table's bytes: a CSV with a header of names, or an .npy array of a
// row a sample. The columns are of one length; throws SampleWriteError
// (naming name) for a value that is not finite.
std::string FormatTable(analysis::SampleFormat format, const std::vector<std::string>& names,
                        const std::vector<std::vector<double>>& columns, const std::string& name);

}  // namespace batch
