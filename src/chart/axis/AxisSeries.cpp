// The axis' view of the chart's series: visibility, automatic range,
// date-time values and the label style they suggest.

#include "chart/axis/AxisSeries.h"

#include <algorithm>

#include "chart/axis/ChartAxis.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ChartSeriesList.h"

namespace chart {

namespace {

// Attached on the side isX names: both axes of that side, or this one.
bool OnAxisSide(const TChartSeries& s, const TCustomChartAxis& axis, bool isX) {
    if (isX) return s.HorizAxis() == aBothHorizAxis || s.GetHorizAxis() == &axis;
    return s.VertAxis() == aBothVertAxis || s.GetVertAxis() == &axis;
}

double SeriesValue(const TChartSeries& s, int32_t index, bool isX) { return isX ? s.XValue(index) : s.YValue(index); }

// The range ends of one page of points of s.
double PageMinMax(IAxisParent& chart, const TChartSeries* s, bool isMin, bool isX) {
    const int32_t count = s ? s->Count() : 0;
    if (count == 0) return 0;
    const int64_t perPage = chart.MaxPointsPerPage();
    // A page number below 1 shows the first page rather than reading before the points.
    int64_t first = std::max<int64_t>(0, (int64_t{chart.Page()} - 1) * perPage);
    if (first >= count) first = std::max<int64_t>(0, count / perPage - 1) * perPage;
    int64_t last = first + perPage - 1;
    if (last >= count) last = first + (count % perPage) - 1;
    const auto f = static_cast<int32_t>(first);
    const auto l = static_cast<int32_t>(last);
    if (isMin) return SeriesValue(*s, f, isX);
    double maximum = SeriesValue(*s, l, isX);
    const int64_t shown = last - first + 1;
    if (!chart.ScaleLastPage() && shown < perPage) {
        const double low = SeriesValue(*s, f, isX);
        maximum = low + (maximum - low) * static_cast<double>(perPage) / static_cast<double>(shown);
    }
    return maximum;
}

double DepthMinMax(IAxisParent& chart, const TCustomChartAxis& axis, bool isMin) {
    if (axis.CalcLabelStyle() != talValue) return isMin ? -0.5 : chart.TopZOrder() + 0.5;
    for (TChartSeries* s : chart.SeriesList()) {
        if (s->Active()) return isMin ? s->MinZValue() : s->MaxZValue();
    }
    return 0;
}

}  // namespace

TChartSeries* FirstSeriesOfAxis(TChartSeriesList& series, const TCustomChartAxis& axis) {
    for (TChartSeries* s : series) {
        if (s->Active() && s->AssociatedToAxis(axis)) return s;
    }
    return nullptr;
}

bool AxisVisibleForSeries(const TCustomChartAxis& axis, bool axisVisible, bool view3D, TChartSeriesList& series) {
    if (!axisVisible || !axis.Visible()) return false;
    if (axis.IsDepthAxis()) return view3D;
    bool visited = false;
    for (TChartSeries* s : series) {
        if (!s->Active() || !s->UseAxis()) continue;
        if (s->AssociatedToAxis(axis)) return true;
        visited = true;
    }
    return !visited;
}

double InternalMinMax(IAxisParent& chart, const TCustomChartAxis& axis, bool isMin, bool isX) {
    if (axis.IsDepthAxis()) return DepthMinMax(chart, axis, isMin);

    if (chart.MaxPointsPerPage() > 0) {
        const TChartSeries* first = FirstSeriesOfAxis(chart.SeriesList(), axis);
        // Without a series the horizontal axis counts as the index axis.
        const bool yMandatory = first ? first->YMandatory() : true;
        if (isX == yMandatory) return PageMinMax(chart, first, isMin, isX);
    }

    bool found = false;
    double result = 0;
    for (TChartSeries* s : chart.SeriesList()) {
        if (!s->Active() || s->Count() == 0 || !OnAxisSide(*s, axis, isX)) continue;
        const double v = isMin ? (isX ? s->MinXValue() : s->MinYValue()) : (isX ? s->MaxXValue() : s->MaxYValue());
        if (!found || (isMin ? v < result : v > result)) result = v;
        found = true;
    }
    return result;
}

bool TCustomChartAxis::IsDateTime() const {
    if (forDepth_) return false;
    const TChartSeries* s = FirstSeriesOfAxis(parent_->SeriesList(), *this);
    if (!s) return false;
    return horizontal_ ? s->XValues().DateTime() : s->YValues().DateTime();
}

TAxisLabelStyle TCustomChartAxis::CalcLabelStyle() const {
    if (labelStyle_ != talAuto) return labelStyle_;
    if (forDepth_) {
        for (TChartSeries* s : parent_->SeriesList()) {
            if (s->Active() && (s->HasZValues() || s->MaxZValue() != s->MinZValue())) return talValue;
        }
        return talText;
    }
    TAxisLabelStyle result = talNone;
    for (TChartSeries* s : parent_->SeriesList()) {
        if (!s->Active() || !s->AssociatedToAxis(*this)) continue;
        result = talValue;
        const bool indexAxis = horizontal_ == s->YMandatory();
        if (indexAxis && s->HasLabels() && !s->XLabel(0).empty()) return talText;
    }
    return result;
}

}  // namespace chart
