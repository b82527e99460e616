#include "import/ArrayAxis.h"

namespace importer {

std::optional<ArrayAxis> ArrayAxisNamed(const std::string& name) {
    if (name == "columns") return ArrayAxis::Columns;
    if (name == "rows") return ArrayAxis::Rows;
    return std::nullopt;
}

const char* ArrayAxisName(ArrayAxis axis) { return axis == ArrayAxis::Rows ? "rows" : "columns"; }

ArrayAxis SignalAxis(std::optional<ArrayAxis> chosen, int64_t rows, int64_t columns) {
    return chosen.value_or(rows < columns ? ArrayAxis::Rows : ArrayAxis::Columns);
}

ArraySignals SignalsOf(ArrayAxis axis, int64_t rows, int64_t columns) {
    if (rows == 1 || columns == 1) return {1, rows * columns};
    return axis == ArrayAxis::Rows ? ArraySignals{rows, columns} : ArraySignals{columns, rows};
}

const char* SignalWord(ArrayAxis axis) { return axis == ArrayAxis::Rows ? "row" : "column"; }

}  // namespace importer
