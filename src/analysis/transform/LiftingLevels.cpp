#include "analysis/transform/LiftingLevels.h"

#include <algorithm>
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

// Two levels in one pass: the level of spacing s, then the next, on each
// group of four points in turn (m: the next level's pairs). A group's
// second-level pair reads only its own group's first-level results, so the
// values are those of two passes, at half the memory traffic.
void HaarForwardTwo(double* x, Index s, Index m) {
    for (double* e = x; e < x + 4 * m * s; e += 4 * s) {
        for (double* pair : {e, e + 2 * s}) {
            const double d = pair[s] - pair[0];
            pair[s] = d;
            pair[0] = 0.5 * d + pair[0];
        }
        const double d = e[2 * s] - e[0];
        e[2 * s] = d;
        e[0] = 0.5 * d + e[0];
    }
}

void HaarInverseTwo(double* x, Index s, Index m) {
    for (double* e = x; e < x + 4 * m * s; e += 4 * s) {
        const double even = e[0] - 0.5 * e[2 * s];
        e[0] = even;
        e[2 * s] = e[2 * s] + even;
        for (double* pair : {e, e + 2 * s}) {
            const double first = pair[0] - 0.5 * pair[s];
            pair[0] = first;
            pair[s] = pair[s] + first;
        }
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
    const auto step = [x, s, m](Index i) {
        if (i + 2 <= m) x[(2 * i + 3) * s] -= Prediction(x, s, m, i + 2);
        x[2 * i * s] += Update(x, s, m, i);
    };
    x[s] -= Prediction(x, s, m, 1);
    Index i = 0;
    for (; i <= std::min<Index>(1, m); ++i) step(i);
    // Away from the ends both take four points: the same sums, unchecked.
    for (; i <= m - 3; ++i) {
        double* e = x + 2 * i * s;
        e[3 * s] -= 0.5625 * (e[2 * s] + e[4 * s]) - 0.0625 * (e[0] + e[6 * s]);
        e[0] += 0.28125 * (e[-s] + e[s]) - 0.03125 * (e[-3 * s] + e[3 * s]);
    }
    for (; i <= m; ++i) step(i);
}

// Undone in one pass too: the evens are restored two points ahead of the
// odd samples, whose predictions read the restored evens around them.
void CubicInverse(double* x, Index s, Index m) {
    const auto step = [x, s, m](Index i) {
        if (i + 1 <= m) x[2 * (i + 1) * s] -= Update(x, s, m, i + 1);
        x[(2 * i - 1) * s] += Prediction(x, s, m, i);
    };
    x[0] -= Update(x, s, m, 0);
    x[2 * s] -= Update(x, s, m, 1);
    Index i = 1;
    for (; i <= std::min<Index>(1, m); ++i) step(i);
    for (; i <= m - 3; ++i) {
        double* e = x + 2 * i * s;
        e[2 * s] -= 0.28125 * (e[s] + e[3 * s]) - 0.03125 * (e[-s] + e[5 * s]);
        e[-s] += 0.5625 * (e[-2 * s] + e[0]) - 0.0625 * (e[-4 * s] + e[2 * s]);
    }
    for (; i <= m; ++i) step(i);
}

using LevelStep = void (*)(double*, Index, Index);

LevelStep Step(Wavelet wavelet, bool forward) {
    if (wavelet == Wavelet::Haar) return forward ? HaarForward : HaarInverse;
    return forward ? CubicForward : CubicInverse;
}

}  // namespace

void ForwardLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels) {
    const LevelStep step = Step(wavelet, true);
    for (int32_t k = 1; k <= levels; ++k) {
        if (wavelet == Wavelet::Haar && k < levels) {
            HaarForwardTwo(x, Index{1} << (k - 1), Index{1} << (j - k - 1));
            ++k;
        } else {
            step(x, Index{1} << (k - 1), Index{1} << (j - k));
        }
    }
}

void InverseLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels) {
    const LevelStep step = Step(wavelet, false);
    // The Haar levels pair up from the finest, as the forward paired them.
    for (int32_t k = levels; k >= 1; --k) {
        if (wavelet == Wavelet::Haar && k % 2 == 0) {
            HaarInverseTwo(x, Index{1} << (k - 2), Index{1} << (j - k));
            --k;
        } else {
            step(x, Index{1} << (k - 1), Index{1} << (j - k));
        }
    }
}

}  // namespace analysis
