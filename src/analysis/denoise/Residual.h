#pragma once
// What a reconstruction removed from the signal: the residual signal minus
// reconstruction, its root mean square, and beside it the noise estimated on
// the signal. When the two agree, what was removed looks like the noise.

#include <span>
#include <vector>

namespace analysis {

struct ResidualFigures {
    std::vector<double> residual;  // signal[i] - reconstruction[i]
    double rms = 0;
    double noise = 0;  // the noise estimated on the signal's level-1 details
};

// The figures of a signal and its reconstruction, both the 2^J + 1 samples
// of one grid; J >= 2.
ResidualFigures MeasureResidual(std::span<const double> signal, std::span<const double> reconstruction);

}  // namespace analysis
