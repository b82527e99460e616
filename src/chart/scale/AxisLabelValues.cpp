#include "chart/scale/AxisLabelValues.h"

#include <cmath>

#include "framework/core/Rounding.h"

namespace chart {

namespace {

constexpr double kMaxLabelRatio = 2147483647.0;

double FirstValueLabel(const TValueLabelSettings& s, double ratio) {
    if (s.DateTime && s.ExactDateTime && s.Step != dtNone && s.Step >= dtOneDay)
        return ChartRoundDate(s.Maximum, s.Step);
    if (s.Minimum == s.Maximum || !s.RoundFirstLabel) return s.Maximum;
    return static_cast<double>(fw::Trunc(ratio)) * s.Increment;
}

}  // namespace

void StepLabelValueDown(const TValueLabelSettings& s, double& value) {
    const bool calendar = s.DateTime && s.ExactDateTime && s.Step != dtNone && s.Step > dtOneWeek;
    ChartDateTimeIncrement(calendar, false, value, s.Increment, s.Step);
}

bool ForEachValueLabel(const TValueLabelSettings& s, const std::function<void(double value)>& label) {
    const double ratio = s.Maximum / s.Increment;
    // Written to fail for not-a-number as well.
    if (!(std::fabs(ratio) < kMaxLabelRatio)) return false;
    if (!(std::fabs((s.Maximum - s.Minimum) / s.Increment) < kMaxValueLabels)) return false;

    double value = FirstValueLabel(s, ratio);
    if (s.LabelsOnAxis) {
        while (value > s.Maximum) StepLabelValueDown(s, value);
        while (value >= s.Minimum) {
            label(value);
            StepLabelValueDown(s, value);
        }
    } else {
        while (value >= s.Maximum) StepLabelValueDown(s, value);
        while (value > s.Minimum) {
            label(value);
            StepLabelValueDown(s, value);
        }
    }
    return true;
}

double LogLabelsMinimum(double minimum) {
    if (minimum > 0) return minimum;
    return minimum < 0 ? 1e-10 : 0.1;
}

void ForEachLogLabel(const TLogLabelSettings& s, const std::function<void(double value)>& label,
                     const std::function<void(double value)>& minorTick) {
    if (s.Minimum == s.Maximum) return;
    const double minimum = LogLabelsMinimum(s.Minimum);
    double value = minimum;
    if (s.Minimum > 0) {
        const double exponent = std::log(s.Minimum) / std::log(static_cast<double>(s.Base));
        value = std::pow(static_cast<double>(s.Base), static_cast<double>(fw::Round(exponent)));
    }
    // Stops at a maximum no power reaches (an infinite one).
    while (value <= s.Maximum && std::isfinite(value) && value > 0) {
        if (value >= minimum) label(value);
        const double minorStep = (s.Base * value - value) / (s.MinorTickCount + 1);
        for (int32_t i = 1; i <= s.MinorTickCount; ++i) {
            const double minor = value + i * minorStep;
            if (minor > s.Maximum) break;
            // The first power may lie below the range: no ticks off the axis.
            if (minor >= minimum) minorTick(minor);
        }
        value *= s.Base;
    }
}

}  // namespace chart
