#include "ui/ChartedSeries.h"

namespace ui {

void ChartedSeries::Clear() {
    RecordingSeries::Clear();
    series_.Clear();
}

void ChartedSeries::AddY(double value, const std::string& label, fw::TColor colour) {
    RecordingSeries::AddY(value, label, colour);
    series_.AddY(value, label, colour);
}

void ChartedSeries::AddArray(const double* values, int32_t highIndex) {
    RecordingSeries::AddArray(values, highIndex);
    series_.AddArray(values, highIndex);
}

}  // namespace ui
