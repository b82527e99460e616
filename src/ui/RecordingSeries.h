#pragma once
// A series that only keeps its points: the plot target of a chart area that
// does not draw yet. Point i lies at X = i, as every point goes to the next X.

#include <vector>

#include "analysis/PlotSink.h"

namespace ui {

class RecordingSeries : public analysis::PlotSink {
public:
    void Clear() override;
    void AddY(double value, const std::string& label, fw::TColor colour) override;
    void AddArray(const double* values, int32_t highIndex) override;

    const std::vector<double>& YValues() const { return yValues_; }
    int Count() const { return static_cast<int>(yValues_.size()); }

private:
    std::vector<double> yValues_;
};

}  // namespace ui
