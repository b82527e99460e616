#include "ui/RecordingSeries.h"

namespace ui {

void RecordingSeries::Clear() {
    yValues_.clear();
}

void RecordingSeries::AddY(double value, const std::string&, fw::TColor) {
    yValues_.push_back(value);
}

void RecordingSeries::AddArray(const double* values, int32_t highIndex) {
    if (highIndex >= 0) {
        yValues_.insert(yValues_.end(), values, values + highIndex + 1);
    }
}

}  // namespace ui
