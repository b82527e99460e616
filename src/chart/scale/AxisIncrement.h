#pragma once
// The choice of the distance between axis labels: how many labels fit along
// the axis, and the smallest step of the 1-2-5 sequence (or of the calendar
// steps on date-time axes) whose labels fit. Pure functions of numbers, so
// the axis feeds them its measured label size, pixel length and range.

#include <cstdint>

namespace chart {

// The smallest increment ever produced for numeric axes.
inline constexpr double kMinAxisIncrement = 1e-12;

// The next value of the 1-2-5 sequence above x (x > 0): 1 -> 2 -> 5 -> 10,
// scaled by powers of ten. A non-finite or non-positive x is returned as is.
double ChartNextStep(double x);

// How many labels of maxLabelSize pixels (widened by labelsSeparation
// percent) fit along pixelLength pixels; 1 when the size is not positive.
int32_t MaxNumLabels(int32_t pixelLength, int32_t maxLabelSize, int32_t labelsSeparation);

// The numeric increment for at most maxNumLabels labels over shownRange,
// starting the 1-2-5 search at increment (when positive), else at 1 or, for
// ranges narrower than 1, at kMinAxisIncrement. With labelsSeparation 0 the
// search is skipped. Never below kMinAxisIncrement.
double InternalCalcLabelsIncrement(int32_t maxNumLabels, double increment, double shownRange, int32_t labelsSeparation);

// The date-time increment (in days) for at most maxNumLabels labels over
// shownRange, stepping along the calendar steps and doubling beyond a year.
// Never below one second.
double CalcDateTimeIncrement(int32_t maxNumLabels, double increment, double shownRange);

// CalcLabelsIncrement: the two above for a positive label count, else one
// second (date-time) or kMinAxisIncrement.
double CalcLabelsIncrement(int32_t maxNumLabels, double increment, double shownRange, int32_t labelsSeparation,
                           bool dateTime);

}  // namespace chart
