// The range an axis shows, where it lies along the plot rectangle, and the
// mappings between values and pixels.

#include <algorithm>
#include <utility>

#include "chart/axis/AxisSeries.h"
#include "chart/axis/ChartAxis.h"

namespace chart {

namespace {

// Two zoomed ends closer than this are moved apart, so the range never empties.
constexpr double kMinManualRange = 1e-10;

}  // namespace

void TCustomChartAxis::SetShownRange(double minimum, double maximum) {
    shown_ = TAxisValueRange::FromBounds(minimum, maximum);
    log_ = TAxisLogRange::From(shown_);
}

void TCustomChartAxis::SetPixelSpan(int32_t start, int32_t end) { span_ = TAxisPixelSpan::FromEnds(start, end); }

void TCustomChartAxis::CalcMinMax(double& aMin, double& aMax) const {
    if (range_.Automatic || range_.AutomaticMaximum) aMax = InternalMinMax(*parent_, *this, false, horizontal_);
    if (range_.Automatic || range_.AutomaticMinimum) aMin = InternalMinMax(*parent_, *this, true, horizontal_);
}

void TCustomChartAxis::AdjustMaxMin() {
    CalcMinMax(range_.Minimum, range_.Maximum);
    SetShownRange(range_.Minimum, range_.Maximum);
}

void TCustomChartAxis::RecalcSizeCenter() { SetPixelSpan(span_.Start, span_.End); }

void TCustomChartAxis::InternalCalcPositions() {
    int32_t origin = 0;
    int32_t size = 0;
    if (forDepth_) {
        size = parent_->TotalDepth();
    } else {
        const fw::TRect plot = parent_->PlotRect();
        origin = horizontal_ ? plot.Left : plot.Top;
        size = horizontal_ ? plot.Width() : plot.Height();
    }
    const auto at = [&](double percent) {
        return fw::SaturateToInt32(origin + fw::Round(static_cast<long double>(size) * 0.01L * percent));
    };
    SetPixelSpan(at(startPosition_), at(endPosition_));
}

void TCustomChartAxis::AdjustMaxMinRect(const fw::TRect& margins) {
    const int32_t before = horizontal_ ? margins.Left : margins.Top;
    const int32_t after = horizontal_ ? margins.Right : margins.Bottom;
    if (before == 0 && after == 0) {
        // Nothing to make room for: mapping the ends to pixels and back would
        // only add rounding, and could move an end past a label at the data's
        // exact minimum or maximum.
        InternalCalcPositions();
        SetShownRange(std::min(shown_.Minimum, shown_.Maximum), std::max(shown_.Minimum, shown_.Maximum));
        return;
    }
    const int32_t start = span_.Start;
    const int32_t end = span_.End;
    span_.Start = fw::SaturateToInt32(int64_t{start} + before);
    span_.End = fw::SaturateToInt32(int64_t{end} - after);
    span_.Length = fw::SaturateToInt32(int64_t{span_.End} - span_.Start);
    double low = CalcPosPoint(start);
    double high = CalcPosPoint(end);
    InternalCalcPositions();
    if (low > high) std::swap(low, high);
    SetShownRange(low, high);
}

void TCustomChartAxis::SetMinMax(double aMin, double aMax) {
    range_.Automatic = false;
    range_.AutomaticMinimum = false;
    range_.AutomaticMaximum = false;
    if (aMin > aMax) std::swap(aMin, aMax);
    InternalSetMinimum(aMin);
    InternalSetMaximum(aMax);
    if (range_.Maximum - range_.Minimum < kMinManualRange) InternalSetMaximum(range_.Minimum + kMinManualRange);
}

void TCustomChartAxis::Scroll(double offset, bool checkLimits) {
    if (checkLimits) {
        const bool dataBeyond = (offset > 0 && InternalMinMax(*parent_, *this, false, horizontal_) > range_.Maximum) ||
                                (offset < 0 && InternalMinMax(*parent_, *this, true, horizontal_) < range_.Minimum);
        if (!dataBeyond) return;
    }
    range_.Automatic = false;
    range_.AutomaticMinimum = false;
    range_.AutomaticMaximum = false;
    range_.Maximum += offset;
    range_.Minimum += offset;
    parent_->Repaint();
}

int32_t TCustomChartAxis::CalcXPosValue(double value) const {
    if (forDepth_) return DepthValueToPixel(shown_, parent_->TotalDepth(), value, inverted_);
    if (logarithmic_) return LogValueToPixel(log_, span_, value, true, inverted_);
    return LinearValueToPixel(shown_, span_, value, inverted_);
}

int32_t TCustomChartAxis::CalcYPosValue(double value) const {
    if (forDepth_) return DepthValueToPixel(shown_, parent_->TotalDepth(), value, inverted_);
    if (logarithmic_) return LogValueToPixel(log_, span_, value, false, inverted_);
    return LinearValueToPixel(shown_, span_, value, !inverted_);
}

bool TCustomChartAxis::MapsInOrder(double lo, double hi) const {
    // Log and depth mappings send some values to fixed pixels: not shown monotone.
    if (forDepth_ || logarithmic_) return false;
    return LinearMapsInOrder(shown_, span_, lo, hi);
}

int32_t TCustomChartAxis::CalcSizeValue(double value) const {
    if (logarithmic_) return LogSizeToPixels(log_, span_, value);
    return LinearSizeToPixels(shown_, span_, value);
}

double TCustomChartAxis::CalcPosPoint(int32_t pixel) const {
    if (logarithmic_) return LogPixelToValue(shown_, log_, span_, pixel, horizontal_, inverted_);
    return LinearPixelToValue(shown_, span_, pixel, inverted_, horizontal_);
}

}  // namespace chart
