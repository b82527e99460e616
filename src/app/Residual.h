#pragma once
// What a reconstruction removed from the signal: the residual signal minus
// reconstruction, its root mean square, and beside it the noise estimated on
// the signal. When the two agree, what was removed looks like the noise.

#include <vector>

#include "app/SeriesPlotSink.h"

namespace app {

struct ResidualFigures {
    std::vector<double> residual;  // signal[i] - reconstruction[i]
    double rms = 0;
    double noise = 0;  // the noise estimated on the signal's level-1 details
};

// The figures of two plots of the same 2^J + 1 points; J >= 2.
ResidualFigures MeasureResidual(const SeriesPlotSink& signal, const SeriesPlotSink& reconstruction);

}  // namespace app
