#pragma once
// Which values of an axis get a label: the numeric sequence counted down
// from the top of the range (with calendar steps on date-time axes), and the
// powers of the base on logarithmic axes. The sequences are produced here;
// the axis draws a label for each value it is handed.

#include <cstdint>
#include <functional>

#include "chart/scale/DateTimeSteps.h"

namespace chart {

// Sequences longer than this many increments are not drawn at all.
inline constexpr double kMaxValueLabels = 10000;

struct TValueLabelSettings {
    double Minimum = 0;
    double Maximum = 0;
    double Increment = 0;
    bool RoundFirstLabel = true;
    bool LabelsOnAxis = true;
    // Date-time axes: the calendar step of the paint (dtNone for none).
    bool DateTime = false;
    bool ExactDateTime = true;
    TDateTimeStep Step = dtNone;
};

// One step down the sequence: a calendar step on date-time axes with exact
// steps longer than a week, else the increment subtracted.
void StepLabelValueDown(const TValueLabelSettings& settings, double& value);

// Calls label(value) for every label value from the top of the range down.
// Returns false, calling nothing, when the sequence is too long to draw
// (the top value or the count of increments beyond their limits).
bool ForEachValueLabel(const TValueLabelSettings& settings, const std::function<void(double value)>& label);

struct TLogLabelSettings {
    double Minimum = 0;
    double Maximum = 0;
    int32_t Base = 10;
    // Minor ticks per power; 0 for none.
    int32_t MinorTickCount = 0;
};

// The lowest value a logarithmic axis can label: the minimum itself when
// positive, else 0.1 for 0 and 1e-10 for a negative one. The axis shows the
// replaced minimum for the rest of the paint.
double LogLabelsMinimum(double minimum);

// The labels of a logarithmic axis: powers of the base from the one nearest
// the minimum up to the maximum (those below the minimum get no label), each
// followed by its minor tick values within the range. Nothing for an empty
// range. A minimum that is not positive is replaced by LogLabelsMinimum.
void ForEachLogLabel(const TLogLabelSettings& settings, const std::function<void(double value)>& label,
                     const std::function<void(double value)>& minorTick);

}  // namespace chart
