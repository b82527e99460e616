#pragma once
// The session's plot target on a chart series. The chart layer knows nothing
// of the analysis, so this small adapter joins the two; it keeps no points of
// its own, the series holds them.

#include "analysis/PlotSink.h"
#include "chart/ChartEngine.h"

namespace app {

class SeriesPlotSink : public analysis::PlotSink {
public:
    explicit SeriesPlotSink(chart::TChartSeries& series) : series_(series) {}

    void Clear() override { series_.Clear(); }
    void AddY(double value, const std::string& label, fw::TColor colour) override
    {
        series_.AddY(value, label, colour);
    }
    void AddArray(const double* values, int32_t highIndex) override { series_.AddArray(values, highIndex); }

    const chart::TChartSeries& Series() const { return series_; }

private:
    chart::TChartSeries& series_;
};

}  // namespace app
