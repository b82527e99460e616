#pragma once
// A plot target that keeps its points (what the window's readers look at)
// and puts each change on a chart series too, so that the chart rescales and
// repaints. The chart series draws the points once it is a line series.

#include "chart/ChartSeries.h"
#include "ui/RecordingSeries.h"

namespace ui {

class ChartedSeries : public RecordingSeries {
public:
    explicit ChartedSeries(chart::TChartSeries& series) : series_(series) {}

    void Clear() override;
    void AddY(double value, const std::string& label, fw::TColor colour) override;
    void AddArray(const double* values, int32_t highIndex) override;

    const chart::TChartSeries& Series() const { return series_; }

private:
    chart::TChartSeries& series_;
};

}  // namespace ui
