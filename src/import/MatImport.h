#pragma once
// The numeric vectors of a MATLAB file (and the columns or rows of its
// numeric matrices), read through matio.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/ArrayAxis.h"
#include "import/Samples.h"

namespace importer {

struct MatVariable {
    std::string name;
    int64_t rows = 0;
    int64_t columns = 0;
    std::string type;  // "double", "int16", ...
    bool Vector() const { return rows == 1 || columns == 1; }
};

// The real, dense, numeric variables of two axes, in file order. Throws
// analysis::EFileUnreadable when the file cannot be opened, ImportFailure when
// it is no MATLAB file.
std::vector<MatVariable> ListMatVariables(const std::string& fileName);

// The named variable (empty: the first vector, else the first matrix), and
// of a matrix the column or row, as axis reads it (absent: along its longer
// axis), from 1 (0: the last). Throws ImportFailure: no such variable, no
// numeric vector in the file, a column or row beyond the matrix's.
Samples ReadMatVariable(const std::string& fileName, const std::string& name, int64_t index,
                        std::optional<ArrayAxis> axis, MatVariable* chosen = nullptr);

}  // namespace importer
