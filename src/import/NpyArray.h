#pragma once
// NumPy's .npy file: a magic string, a version, a header that is a Python
// dict literal ({'descr': '<f8', 'fortran_order': False, 'shape': (n,)})
// padded with blanks, then the array's bytes. Read from the format's
// published description; every numeric type in either byte order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ArrayAxis.h"
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

// A 2-D array's signals are its columns or its rows (ArrayAxis); a 1-D
// array, or one of a single row or column, is one signal.
ArraySignals NpySignals(const NpyHeader& header, ArrayAxis axis);

// The values of one signal (from 1; 0: the last) of the array whose bytes
// (after the header) are `data`. Throws ImportFailure for a signal beyond the
// array's and for data that ends before the array does. checkOnly > 0: only
// checks, as if data held that many bytes, and returns no values.
Samples NpySignalValues(const NpyHeader& header, std::string_view data, ArrayAxis axis, int64_t index,
                        std::size_t checkOnly = 0);

// The header and values of a .npy held in memory; axis absent: the array's
// longer axis (SignalAxis).
Samples ParseNpy(std::string_view bytes, int64_t index, std::optional<ArrayAxis> axis = std::nullopt,
                 NpyHeader* header = nullptr);

// The same from a file; throws analysis::EFileUnreadable when it cannot be
// opened or read.
Samples ReadNpy(const std::string& fileName, int64_t index, std::optional<ArrayAxis> axis = std::nullopt,
                NpyHeader* header = nullptr);

// The axis a file's array is read along: as chosen, else its longer one.
ArrayAxis NpyAxis(const NpyHeader& header, std::optional<ArrayAxis> axis);

}  // namespace importer
