#pragma once
// NumPy's .npy file: a magic string, a version, a header that is a Python
// dict literal ({'descr': '<f8', 'fortran_order': False, 'shape': (n,)})
// padded with blanks, then the array's bytes. Read from the format's
// published description; every numeric type in either byte order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/Samples.h"

namespace importer {

struct NpyHeader {
    char kind = 'f';  // 'b' bool, 'i' signed, 'u' unsigned, 'f' floating point
    int32_t itemBytes = 8;
    bool swap = false;  // the items' byte order is not the machine's
    bool fortranOrder = false;
    std::vector<int64_t> shape;
    std::size_t dataOffset = 0;  // where the array's bytes start
    std::string descr;           // as written, for messages
};

// The header of the file that starts with `bytes` (which hold at least the
// whole header). Throws ImportFailure: not a .npy file, a header it cannot
// read, a type that is not a real number, a shape of more than two axes.
NpyHeader ParseNpyHeader(std::string_view bytes);

// The rows of a 2-D array are the samples and its columns the signals; a
// 1-D array, or one row, is one signal.
int64_t NpySignalLength(const NpyHeader& header);
int64_t NpyColumns(const NpyHeader& header);

// Where the column's items are in the array's bytes: the first one's offset
// and the step from one row to the next.
std::size_t NpyColumnFirst(const NpyHeader& header, int64_t column);
std::size_t NpyColumnStep(const NpyHeader& header);

// The values of one column (from 1; 0: the last) of the array whose bytes
// (after the header) are `data`. Throws ImportFailure for a column beyond the
// array's and for data that ends before the array does. checkOnly > 0: only
// checks, as if data held that many bytes, and returns no values.
Samples NpyColumnValues(const NpyHeader& header, std::string_view data, int64_t column, std::size_t checkOnly = 0);

// The header and values of a .npy held in memory.
Samples ParseNpy(std::string_view bytes, int64_t column, NpyHeader* header = nullptr);

// The same from a file; throws analysis::EFileUnreadable when it cannot be
// opened or read.
Samples ReadNpy(const std::string& fileName, int64_t column, NpyHeader* header = nullptr);

}  // namespace importer
