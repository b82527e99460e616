// Label texts, the label increment, and the room an axis takes beside the
// plot rectangle.

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/scale/AxisIncrement.h"
#include "chart/scale/LabelDecimals.h"
#include "chart/axis/ChartAxisTitle.h"
#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/base/ChartTextLines.h"
#include "framework/core/FormatDateTime.h"
#include "framework/core/FormatFloat.h"

namespace chart {

namespace {

bool IsRightAngle(int32_t angle) { return angle == 90 || angle == 270; }
bool IsFlatAngle(int32_t angle) { return angle == 0 || angle == 180; }

// Takes the chart's label event away for a while (and gives it back, also
// when measuring fails).
class LabelEventPause {
public:
    explicit LabelEventPause(IAxisParent& chart) : chart_(chart), saved_(std::move(chart.OnGetAxisLabel)) {
        chart_.OnGetAxisLabel = nullptr;
    }
    ~LabelEventPause() { chart_.OnGetAxisLabel = std::move(saved_); }
    LabelEventPause(const LabelEventPause&) = delete;
    LabelEventPause& operator=(const LabelEventPause&) = delete;

private:
    IAxisParent& chart_;
    TAxisOnGetLabel saved_;
};

}  // namespace

std::string TCustomChartAxis::PlainLabelValue(double value, int32_t decimals) const {
    if (showsDateTime_) {
        if (value < 0) return {};
        return fw::FormatDateTime(dateTimeFormat_.empty() ? DateTimeDefaultFormat(shown_.Range) : dateTimeFormat_,
                                  value);
    }
    const bool moreDecimals = decimals > 0 && ShowsDefaultNumbers();
    return fw::FormatFloat(moreDecimals ? DefaultFormatWithDecimals(decimals) : axisValuesFormat_, value);
}

std::string TCustomChartAxis::LabelText(double value, int32_t decimals) {
    std::string text = PlainLabelValue(value, decimals);
    if (parent_->OnGetAxisLabel) parent_->OnGetAxisLabel(*this, nullptr, -1, text);
    if (labelsMultiLine_) ChartSplitInLines(text, ' ');
    return text;
}

std::string TCustomChartAxis::LabelValue(double value) { return LabelText(value, labelDecimals_); }

int32_t TCustomChartAxis::LabelWidth(double value) {
    int32_t lines = 0;
    const int32_t width = parent_->MultiLineTextWidth(LabelValue(value), lines);
    return IsRightAngle(labelsAngle_) ? parent_->Canvas().FontHeight() * lines : width;
}

int32_t TCustomChartAxis::LabelHeight(double value) {
    int32_t lines = 0;
    const int32_t width = parent_->MultiLineTextWidth(LabelValue(value), lines);
    return IsFlatAngle(labelsAngle_) ? parent_->Canvas().FontHeight() * lines : width;
}

double TCustomChartAxis::CalcIncrement() {
    const auto increment = [this] {
        const int32_t size = horizontal_ ? std::max(LabelWidth(shown_.Minimum), LabelWidth(shown_.Maximum))
                                         : std::max(LabelHeight(shown_.Minimum), LabelHeight(shown_.Maximum));
        return CalcXYIncrement(size);
    };
    labelDecimals_ = 0;
    double inc = increment();
    const int32_t decimals = LabelDecimalsFor(inc);
    if (decimals == 0) return inc;
    // Longer labels may fit fewer times along the axis, and the coarser
    // increment that follows never needs more decimals.
    labelDecimals_ = decimals;
    inc = increment();
    labelDecimals_ = LabelDecimalsFor(inc);
    return inc;
}

double TCustomChartAxis::CalcXYIncrement(int32_t maxLabelSize) const {
    return CalcLabelsIncrement(MaxNumLabels(span_.Length, maxLabelSize, labelsSeparation_));
}

double TCustomChartAxis::CalcLabelsIncrement(int32_t maxNumLabels) const {
    return chart::CalcLabelsIncrement(maxNumLabels, range_.Increment, shown_.Range, labelsSeparation_, showsDateTime_);
}

int32_t TCustomChartAxis::SizeTickAxis() const {
    int32_t size = (axisPen_->Visible() ? axisPen_->Width() : 0) + (ticksPen_->Visible() ? tickLength_ : 0);
    if (minorTicksPen_->Visible()) size = std::max(size, minorTickLength_);
    return size;
}

int32_t TCustomChartAxis::InternalCalcSize(fw::TFont& font, int32_t angle, int32_t fixedSize, const std::string* text) {
    if (fixedSize != 0) return fixedSize;
    parent_->FontCanvas(font);
    const bool alongAxis = horizontal_ ? IsFlatAngle(angle) : IsRightAngle(angle);
    if (alongAxis) return parent_->Canvas().FontHeight();
    return text ? parent_->Canvas().TextWidth(*text) : MaxLabelsWidth();
}

int32_t TCustomChartAxis::SizeLabels() { return InternalCalcSize(*labelsFont_, labelsAngle_, labelsSize_, nullptr); }

int32_t TCustomChartAxis::SizeTitle() {
    return InternalCalcSize(title_->Font(), title_->Angle(), titleSize_, &title_->Caption());
}

int32_t TCustomChartAxis::MaxLabelsWidth() {
    switch (CalcLabelStyle()) {
    case talValue: {
        const double inc = CalcIncrement();
        double low = shown_.Minimum;
        double high = shown_.Maximum;
        if (roundFirstLabel_ || (showsDateTime_ && exactDateTime_)) {
            low = std::trunc(low / inc) * inc;
            high = std::trunc(high / inc) * inc;
        }
        const LabelEventPause pause(*parent_);
        int32_t lines = 0;
        const int32_t widest = std::max(parent_->MultiLineTextWidth(LabelValue(high), lines),
                                        parent_->MultiLineTextWidth(LabelValue(low), lines));
        return widest + parent_->Canvas().TextWidth(" ");
    }
    case talMark: return parent_->MaxMarkWidth();
    case talText: return parent_->MaxTextWidth();
    default: return 0;
    }
}

int32_t TCustomChartAxis::GetRectangleEdge(const fw::TRect& rect) const {
    if (horizontal_) return farSide_ ? rect.Top : rect.Bottom;
    return farSide_ ? rect.Right : rect.Left;
}

int32_t TCustomChartAxis::ApplyPosition(int32_t pos, const fw::TRect& rect) const {
    if (positionPercent_ == 0) return pos;
    const int32_t size = horizontal_ ? rect.Height() : rect.Width();
    const int64_t shift = fw::Round(static_cast<long double>(positionPercent_) * 0.01L * size);
    // Positive percentages move the axis into the chart.
    const bool inwardsAdds = horizontal_ ? farSide_ : !farSide_;
    return fw::SaturateToInt32(inwardsAdds ? pos + shift : pos - shift);
}

void TCustomChartAxis::ShrinkRect(fw::TRect& rect, int32_t n) const {
    if (horizontal_) {
        if (farSide_)
            rect.Top += n;
        else
            rect.Bottom -= n;
    } else {
        if (farSide_)
            rect.Right -= n;
        else
            rect.Left += n;
    }
}

void TCustomChartAxis::CalcRect(fw::TRect& rect, bool innerAxis) {
    showsDateTime_ = IsDateTime();
    if (!innerAxis) {
        // Outwards is up for the top axis, left for the left axis.
        const int32_t outwards = (horizontal_ != farSide_) ? 1 : -1;
        linePos_ = ApplyPosition(GetRectangleEdge(rect), rect);
        labelsPos_ = linePos_ + outwards * SizeTickAxis();
        titlePos_ = labelsPos_ + outwards * SizeLabels();
        return;
    }
    if (forDepth_) {
        titlePos_ = rect.Right;
    } else if (!title_->Caption().empty()) {
        ShrinkRect(rect, SizeTitle());
        titlePos_ = GetRectangleEdge(rect);
    }
    if (labels_) {
        ShrinkRect(rect, SizeLabels());
        labelsPos_ = GetRectangleEdge(rect);
    }
    const int32_t ticksAndLine = SizeTickAxis() + parent_->CalcWallSize(*this);
    if (ticksAndLine > 0) ShrinkRect(rect, ticksAndLine);
    titlePos_ = ApplyPosition(titlePos_, rect);
    labelsPos_ = ApplyPosition(labelsPos_, rect);
}

}  // namespace chart
