#pragma once
// The series a chart draws, in drawing order. The chart owns the list; the
// list only refers to its series (their owner frees them) and lets them go
// when it is destroyed first.

#include <cstdint>
#include <vector>

#include "framework/core/Colors.h"

namespace chart {

class ISeriesParent;
class TChartSeries;

class TChartSeriesList {
public:
    explicit TChartSeriesList(ISeriesParent& chart) : chart_(chart) {}
    ~TChartSeriesList();
    TChartSeriesList(const TChartSeriesList&) = delete;
    TChartSeriesList& operator=(const TChartSeriesList&) = delete;

    ISeriesParent& Chart() const { return chart_; }

    int32_t Count() const { return static_cast<int32_t>(series_.size()); }
    // Index errors throw fw::EListError.
    TChartSeries* Series(int32_t index) const;
    void SetSeries(int32_t index, TChartSeries* series);
    int32_t IndexOf(const TChartSeries* series) const;
    // The number of series whose Active is true.
    int32_t CountActive() const;

    auto begin() const { return series_.begin(); }
    auto end() const { return series_.end(); }

    // The chart's add step, run once the series has taken the chart as its
    // parent: nothing if listed; a series without a colour gets a free one;
    // its data source is checked; it is appended; the chart repaints.
    void InsertSeries(TChartSeries& series);
    // The chart's removal: nothing if not listed; otherwise the series drops
    // its data sources, loses its parent and leaves the list; the chart
    // repaints.
    void RemoveSeries(TChartSeries& series);

    // The first palette colour the chart calls free, else the first entry.
    fw::TColor GetFreeSeriesColor(bool avoidBackground) const;
    // Whether a listed series has this colour (for IsFreeSeriesColor).
    bool UsesColor(fw::TColor color) const;

private:
    ISeriesParent& chart_;
    std::vector<TChartSeries*> series_;
};

}  // namespace chart
