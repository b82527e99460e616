// The decimals of value labels in the default number format: labels at an
// increment finer than its three decimals would repeat, so the labels, and the
// values tooltip, show as many as tell neighbours apart.
#include <vector>

#include "chart/axis/ChartAxis.h"
#include "chart/base/ChartStrings.h"
#include "chart/scale/LabelDecimals.h"

namespace chart {

bool TCustomChartAxis::ShowsDefaultNumbers() const {
    return !showsDateTime_ && axisValuesFormat_ == MsgDefaultValueFormat;
}

TValueLabelSettings TCustomChartAxis::ValueLabelSettings(double increment, TDateTimeStep step) const {
    TValueLabelSettings s;
    s.Minimum = shown_.Minimum;
    s.Maximum = shown_.Maximum;
    s.Increment = increment;
    s.RoundFirstLabel = roundFirstLabel_;
    s.LabelsOnAxis = labelsOnAxis_;
    s.DateTime = showsDateTime_;
    s.ExactDateTime = exactDateTime_;
    s.Step = step;
    return s;
}

int32_t TCustomChartAxis::LabelDecimalsFor(double increment) const {
    // Labels the chart's handler places are its own business.
    if (!ShowsDefaultNumbers() || parent_->OnGetNextAxisLabel || CalcLabelStyle() != talValue) return 0;
    std::vector<double> values;
    const auto add = [&values](double value) { values.push_back(value); };
    if (!logarithmic_ || range_.Increment != 0) {
        if (!(increment > 0)) return 0;
        ForEachValueLabel(ValueLabelSettings(increment, dtNone), add);
    } else {
        ForEachLogLabel({shown_.Minimum, shown_.Maximum, logarithmicBase_, 0}, add, [](double) {});
    }
    const int32_t decimals = DistinctLabelDecimals(values);
    return decimals == DefaultFormatDecimals() ? 0 : decimals;
}

std::string TCustomChartAxis::PixelValueText(int32_t pixel) {
    const double value = CalcPosPoint(pixel);
    if (!ShowsDefaultNumbers()) return LabelValue(value);
    const double neighbours[] = {CalcPosPoint(pixel - 1), value, CalcPosPoint(pixel + 1)};
    return LabelText(value, DistinctLabelDecimals(neighbours));
}

}  // namespace chart
