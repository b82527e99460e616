// TChartSeries: the range of points inside the horizontal axis, and the loop
// that draws them.

#include <algorithm>

#include "chart/series/ChartSeries.h"

namespace chart {

void TChartSeries::CalcFirstLastVisibleIndex() {
    firstVisibleIndex_ = lastVisibleIndex_ = -1;
    const int32_t count = Count();
    if (count == 0) return;
    const TChartValueList& list = NotMandatoryValueList();
    const int32_t last = count - 1;
    const ISeriesAxis* axis = YMandatory() ? resolvedHorizAxis_ : resolvedVertAxis_;
    // Without an axis (a series on no chart) there is no range to clip to.
    if (!useVisibleRange_ || list.Order() == loNone || !axis || !parent_) {
        firstVisibleIndex_ = 0;
        lastVisibleIndex_ = last;
        return;
    }
    const fw::TRect plot = parent_->PlotRect();
    const bool inverted = axis->Inverted();
    int32_t lowPixel, highPixel;
    if (YMandatory()) {
        lowPixel = inverted ? plot.Right : plot.Left;
        highPixel = inverted ? plot.Left : plot.Right;
    } else {
        lowPixel = inverted ? plot.Top : plot.Bottom;
        highPixel = inverted ? plot.Bottom : plot.Top;
    }
    const double lowValue = axis->CalcPosPoint(lowPixel);
    const double highValue = axis->CalcPosPoint(highPixel);

    // Ascending X values (the usual case) are searched by halving: a repaint
    // then costs no walk over the points scrolled past.
    const int32_t i = list.FirstIndexNotBelow(lowValue, 0);
    if (i > last) return;
    firstVisibleIndex_ = i;
    if (list.Last() <= highValue) {
        lastVisibleIndex_ = last;
        return;
    }
    const int32_t j = std::min(list.FirstIndexNotBelow(highValue, i), last);
    lastVisibleIndex_ = j;
    if (!drawPastLastVisible_ && list.Value(j) > highValue) lastVisibleIndex_ = j - 1;
}

void TChartSeries::DrawAllValues() {
    if (firstVisibleIndex_ < 0 || lastVisibleIndex_ < firstVisibleIndex_) return;
    if (DrawValuesForward()) {
        for (int32_t i = firstVisibleIndex_; i <= lastVisibleIndex_; ++i) DrawValue(i);
    } else {
        for (int32_t i = lastVisibleIndex_; i >= firstVisibleIndex_; --i) DrawValue(i);
    }
}

void TChartSeries::DoBeforeDrawValues() {
    if (BeforeDrawValues) BeforeDrawValues(*this);
}

void TChartSeries::DoAfterDrawValues() {
    if (AfterDrawValues) AfterDrawValues(*this);
}

}  // namespace chart
