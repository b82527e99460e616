#pragma once
// Which way a matrix (a 2-D NumPy array, a MATLAB matrix) holds its signals:
// each column one, its rows the samples, or each row one. A vector, one row
// or one column, is one signal either way.

#include <cstdint>
#include <optional>
#include <string>

namespace importer {

enum class ArrayAxis {
    Columns,  // each column is a signal
    Rows,     // each row is a signal
};

// "columns", "rows"; nullopt for any other text.
std::optional<ArrayAxis> ArrayAxisNamed(const std::string& name);
const char* ArrayAxisName(ArrayAxis axis);

// The way a matrix of rows x columns is read: as chosen, else along its
// longer axis, each row a signal when there are fewer rows than columns.
ArrayAxis SignalAxis(std::optional<ArrayAxis> chosen, int64_t rows, int64_t columns);

// Of a matrix read along axis: the signals it holds and the samples of each.
struct ArraySignals {
    int64_t count = 1;
    int64_t length = 0;
};
ArraySignals SignalsOf(ArrayAxis axis, int64_t rows, int64_t columns);

// "column" or "row".
const char* SignalWord(ArrayAxis axis);

}  // namespace importer
