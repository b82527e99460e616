#pragma once
// The numeric vectors of a MATLAB file (and the columns of its numeric
// matrices), read through matio.

#include <cstdint>
#include <string>
#include <vector>

#include "import/Samples.h"

namespace importer {

struct MatVariable {
    std::string name;
    int64_t rows = 0;
    int64_t columns = 0;
    std::string type;  // "double", "int16", ...
    bool Vector() const { return rows == 1 || columns == 1; }
    // The samples of one signal: a vector's length, or a matrix's rows.
    int64_t Length() const { return Vector() ? rows * columns : rows; }
};

// The real, dense, numeric variables of two axes, in file order. Throws
// analysis::EFileUnreadable when the file cannot be opened, ImportFailure when
// it is no MATLAB file.
std::vector<MatVariable> ListMatVariables(const std::string& fileName);

// The named variable (empty: the first vector, else the first matrix), and
// of a matrix the column (from 1; 0: the last). Throws ImportFailure: no such
// variable, no numeric vector in the file, a column beyond the matrix's.
Samples ReadMatVariable(const std::string& fileName, const std::string& name, int64_t column,
                        MatVariable* chosen = nullptr);

}  // namespace importer
