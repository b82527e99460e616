#include "chart/scale/AxisIncrement.h"

#include <algorithm>
#include <cmath>

#include "chart/scale/DateTimeSteps.h"
#include "framework/core/Rounding.h"

namespace chart {

namespace {

// Steps beyond a year double instead of following the table.
constexpr double kOneYear = 365;
// Beyond this many steps the date-time search starts from a coarser step.
constexpr double kMaxDateTimeSteps = 1000000;
constexpr double kMaxLabelCount = 2147483647.0;
// Relative rounding left by repeated scaling by 10 and 0.1.
constexpr double kScaleNoise = 1e-9;

}  // namespace

double ChartNextStep(double x) {
    if (!(x > 0) || !std::isfinite(x)) return x;
    // Scaling into 1 ... 10 leaves a value a hair below where it started
    // (1e-12 * 10^12 < 1); within kScaleNoise it counts as the step itself,
    // so that every step of the sequence moves on to the next.
    const auto below = [](double v, double bound) { return v < bound * (1 - kScaleNoise); };
    if (!below(x, 10)) return ChartNextStep(x * 0.1) * 10;
    if (below(x, 1)) return ChartNextStep(x * 10) * 0.1;
    if (below(x, 2)) return 2;
    if (below(x, 5)) return 5;
    return 10;
}

int32_t MaxNumLabels(int32_t pixelLength, int32_t maxLabelSize, int32_t labelsSeparation) {
    int64_t size = maxLabelSize;
    if (labelsSeparation > 0) size += fw::Round(labelsSeparation * 0.01L * maxLabelSize);
    if (size <= 0) return 1;
    return static_cast<int32_t>(fw::Round(static_cast<long double>(pixelLength) / size));
}

double InternalCalcLabelsIncrement(int32_t maxNumLabels, double increment, double shownRange,
                                   int32_t labelsSeparation) {
    double step = increment > 0 ? increment : (std::fabs(shownRange) >= 1 ? 1.0 : kMinAxisIncrement);
    if (maxNumLabels > 0 && labelsSeparation > 0) {
        int64_t count = int64_t{maxNumLabels} + 1;
        do {
            // A range beyond every finite step (or not a number) has no step
            // that fits; stop rather than search forever.
            if (!std::isfinite(step)) break;
            const double q = shownRange / step;
            if (std::fabs(q) < kMaxLabelCount) {
                count = fw::Round(q);
                if (maxNumLabels < count) step = ChartNextStep(step);
            } else {
                if (std::isnan(q)) break;
                step = ChartNextStep(step);
            }
        } while (count > maxNumLabels);
    }
    return std::max(kMinAxisIncrement, step);
}

double CalcDateTimeIncrement(int32_t maxNumLabels, double increment, double shownRange) {
    const double oneSecond = DateTimeStep[dtOneSecond];
    double step = std::max(oneSecond, increment);
    if (step > 0 && maxNumLabels > 0 && std::isfinite(step) && std::isfinite(shownRange)) {
        if (shownRange / step > kMaxDateTimeSteps) step = shownRange / kMaxDateTimeSteps;
        int64_t count;
        do {
            count = fw::Round(shownRange / step);
            if (maxNumLabels < count) step = step >= kOneYear ? step * 2 : NextDateTimeStep(step);
        } while (count > maxNumLabels);
    }
    return std::max(oneSecond, step);
}

double CalcLabelsIncrement(int32_t maxNumLabels, double increment, double shownRange, int32_t labelsSeparation,
                           bool dateTime) {
    if (maxNumLabels > 0) {
        return dateTime ? CalcDateTimeIncrement(maxNumLabels, increment, shownRange)
                        : InternalCalcLabelsIncrement(maxNumLabels, increment, shownRange, labelsSeparation);
    }
    return dateTime ? DateTimeStep[dtOneSecond] : kMinAxisIncrement;
}

}  // namespace chart
