#include "chart/series/ChartSeriesList.h"

#include <algorithm>

#include "chart/base/ChartColors.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/SeriesParent.h"
#include "framework/core/Exceptions.h"

namespace chart {

TChartSeriesList::~TChartSeriesList() {
    // The chart goes first: its series must not call back into it.
    for (TChartSeries* series : series_) series->DetachFromParent();
}

TChartSeries* TChartSeriesList::Series(int32_t index) const {
    if (index < 0 || index >= Count()) throw fw::ListIndexError(index);
    return series_[static_cast<std::size_t>(index)];
}

void TChartSeriesList::SetSeries(int32_t index, TChartSeries* series) {
    if (index < 0 || index >= Count()) throw fw::ListIndexError(index);
    series_[static_cast<std::size_t>(index)] = series;
}

int32_t TChartSeriesList::IndexOf(const TChartSeries* series) const {
    const auto it = std::find(series_.begin(), series_.end(), series);
    return it == series_.end() ? -1 : static_cast<int32_t>(it - series_.begin());
}

int32_t TChartSeriesList::CountActive() const {
    return static_cast<int32_t>(
        std::count_if(series_.begin(), series_.end(), [](const TChartSeries* s) { return s->Active(); }));
}

void TChartSeriesList::InsertSeries(TChartSeries& series) {
    if (IndexOf(&series) >= 0) return;
    if (series.SeriesColor() == fw::clChartDefault) series.SetSeriesColor(GetFreeSeriesColor(true));
    series.CheckDataSource();
    series_.push_back(&series);
    chart_.Invalidate();
}

void TChartSeriesList::RemoveSeries(TChartSeries& series) {
    const int32_t index = IndexOf(&series);
    if (index < 0) return;
    // Its sources forget it, and it forgets them: a source destroyed later
    // could not tell it any more.
    series.UnlinkFromSources();
    series.dataSources_.clear();
    series.DetachFromParent();
    series_.erase(series_.begin() + index);
    chart_.Invalidate();
}

fw::TColor TChartSeriesList::GetFreeSeriesColor(bool avoidBackground) const {
    for (fw::TColor color : ColorPalette) {
        if (chart_.IsFreeSeriesColor(color, avoidBackground)) return color;
    }
    return ColorPalette[0];
}

bool TChartSeriesList::UsesColor(fw::TColor color) const {
    return std::any_of(series_.begin(), series_.end(),
                       [color](const TChartSeries* s) { return s->SeriesColor() == color; });
}

}  // namespace chart
