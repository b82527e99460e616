#include "analysis/transform/LiftingLevels.h"

#include <cstddef>

// On one level, with spacing s and m odd points, even point i (0 ... m) sits
// at 2is and odd point i (1 ... m) at (2i - 1)s, between evens i - 1 and i.

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// Haar: the odd point's detail is its difference from the even on its left,
// and that even moves to the mean of the pair. The last even has no pair.
void HaarForward(double* x, Index s, Index m) {
    for (double* e = x; e < x + 2 * m * s; e += 2 * s) {
        const double d = e[s] - e[0];
        e[s] = d;
        e[0] = 0.5 * d + e[0];
    }
}

void HaarInverse(double* x, Index s, Index m) {
    for (double* e = x; e < x + 2 * m * s; e += 2 * s) {
        const double even = e[0] - 0.5 * e[s];
        e[0] = even;
        e[s] = e[s] + even;
    }
}

// Cubic: the prediction of odd point i from the evens around it, and the
// update of even point i from the details around it, both of the fourth
// order where all four neighbours exist.
double Prediction(const double* x, Index s, Index m, Index i) {
    const double left = x[(2 * i - 2) * s];
    const double right = x[2 * i * s];
    if (i < 2 || i + 1 > m) return 0.5 * left + 0.5 * right;
    return 0.5625 * (left + right) - 0.0625 * (x[(2 * i - 4) * s] + x[(2 * i + 2) * s]);
}

double Update(const double* x, Index s, Index m, Index i) {
    if (i == 0) return 0.5 * x[s];
    if (i == m) return 0.5 * x[(2 * m - 1) * s];
    const double near = x[(2 * i - 1) * s] + x[(2 * i + 1) * s];
    if (i < 2 || i + 2 > m) return 0.25 * near;
    return 0.28125 * near - 0.03125 * (x[(2 * i - 3) * s] + x[(2 * i + 3) * s]);
}

// Both steps in one pass over the level: the predictions run two points
// ahead of the updates, so that an even is updated once the four details
// around it are known and before any prediction still reads it as it was.
void CubicForward(double* x, Index s, Index m) {
    x[s] -= Prediction(x, s, m, 1);
    for (Index i = 0; i <= m; ++i) {
        if (i + 2 <= m) x[(2 * i + 3) * s] -= Prediction(x, s, m, i + 2);
        x[2 * i * s] += Update(x, s, m, i);
    }
}

// Undone in one pass too: the evens are restored two points ahead of the
// odd samples, whose predictions read the restored evens around them.
void CubicInverse(double* x, Index s, Index m) {
    x[0] -= Update(x, s, m, 0);
    x[2 * s] -= Update(x, s, m, 1);
    for (Index i = 1; i <= m; ++i) {
        if (i + 1 <= m) x[2 * (i + 1) * s] -= Update(x, s, m, i + 1);
        x[(2 * i - 1) * s] += Prediction(x, s, m, i);
    }
}

using LevelStep = void (*)(double*, Index, Index);

LevelStep Step(Wavelet wavelet, bool forward) {
    if (wavelet == Wavelet::Haar) return forward ? HaarForward : HaarInverse;
    return forward ? CubicForward : CubicInverse;
}

}  // namespace

void ForwardLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels) {
    const LevelStep step = Step(wavelet, true);
    for (int32_t k = 1; k <= levels; ++k) step(x, Index{1} << (k - 1), Index{1} << (j - k));
}

void InverseLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels) {
    const LevelStep step = Step(wavelet, false);
    for (int32_t k = levels; k >= 1; --k) step(x, Index{1} << (k - 1), Index{1} << (j - k));
}

}  // namespace analysis
