#pragma once
// The transform written straight from its definition, level by level and step
// by step. Each assignment is evaluated in Real and rounded to double when
// stored: with Real = double it is the oracle the fast sweep must match bit
// for bit; with Real = long double it is the extended evaluation that bounds
// the rounding of the double arithmetic.

#include <cstdint>
#include <vector>

namespace analysis::test {

template <typename Real>
void ReferenceForward(std::vector<double>& x, int32_t j, int32_t levels) {
    const auto at = [&x](int64_t p) { return static_cast<Real>(x[p]); };
    const Real half = 0.5;
    const Real quarter = 0.25;
    const int64_t last = int64_t{1} << j;
    for (int32_t k = 1; k <= levels; ++k) {
        const int64_t s = int64_t{1} << (k - 1);
        const int64_t m = int64_t{1} << (j - k);
        for (int64_t i = 1; i <= m; ++i) {
            x[(2 * i - 1) * s] =
                static_cast<double>(at((2 * i - 1) * s) - (half * at((2 * i - 2) * s) + half * at(2 * i * s)));
        }
        x[0] = static_cast<double>(half * at(s) + at(0));
        x[last] = static_cast<double>(half * at(last - s) + at(last));
        for (int64_t i = 1; i <= m - 1; ++i) {
            x[2 * i * s] =
                static_cast<double>((quarter * at((2 * i - 1) * s) + quarter * at((2 * i + 1) * s)) + at(2 * i * s));
        }
    }
}

template <typename Real>
void ReferenceInverse(std::vector<double>& x, int32_t j, int32_t levels) {
    const auto at = [&x](int64_t p) { return static_cast<Real>(x[p]); };
    const Real half = 0.5;
    const Real quarter = 0.25;
    const int64_t last = int64_t{1} << j;
    for (int32_t k = levels; k >= 1; --k) {
        const int64_t s = int64_t{1} << (k - 1);
        const int64_t m = int64_t{1} << (j - k);
        for (int64_t i = 1; i <= m - 1; ++i) {
            x[2 * i * s] =
                static_cast<double>(at(2 * i * s) - (quarter * at((2 * i - 1) * s) + quarter * at((2 * i + 1) * s)));
        }
        x[0] = static_cast<double>(at(0) - half * at(s));
        x[last] = static_cast<double>(at(last) - half * at(last - s));
        for (int64_t i = 1; i <= m; ++i) {
            x[(2 * i - 1) * s] =
                static_cast<double>((half * at((2 * i - 2) * s) + half * at(2 * i * s)) + at((2 * i - 1) * s));
        }
    }
}

}  // namespace analysis::test
