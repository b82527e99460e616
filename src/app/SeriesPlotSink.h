#pragma once
// The session's plot target on a chart series. The chart layer knows nothing
// of the analysis, so this small adapter joins the two; it keeps no points of
// its own, the series holds them.

#include <vector>

#include "analysis/session/PlotSink.h"
#include "chart/ChartEngine.h"

namespace app {

class SeriesPlotSink : public analysis::PlotSink {
public:
    explicit SeriesPlotSink(chart::TChartSeries& series) : series_(series) {}

    void Clear() override { series_.Clear(); }
    void AddY(double value, const std::string& label, fw::TColor colour) override {
        series_.AddY(value, label, colour);
    }
    void AddArray(const double* values, int32_t highIndex) override { series_.AddArray(values, highIndex); }
    void AddShared(std::shared_ptr<const double[]> values, int32_t highIndex) override {
        series_.AddArrayShared(std::move(values), highIndex);
    }
    void AddYs(const double* values, std::ptrdiff_t stride, int32_t count, const std::string& label,
               fw::TColor colour) override {
        series_.AddYs(values, stride, count, label, colour);
    }

    const chart::TChartSeries& Series() const { return series_; }
    // The Y values plotted so far, in point order.
    std::vector<double> PlottedValues() const {
        std::vector<double> values(static_cast<std::size_t>(series_.Count()));
        for (int32_t i = 0; i < series_.Count(); ++i) values[static_cast<std::size_t>(i)] = series_.YValue(i);
        return values;
    }

private:
    chart::TChartSeries& series_;
};

}  // namespace app
