#include "analysis/transform/FinestLifting.h"

#include <cstring>

namespace analysis {
namespace {

// Two doubles: the width every x86-64 has, so no dispatch is needed.
using Pair = double __attribute__((vector_size(16)));

Pair LoadPair(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void StorePair(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

}  // namespace

void ForwardFinestSteps(double* x, std::ptrdiff_t first, std::ptrdiff_t last) {
    double* p = x + 2 * first - 2;
    Pair left = {0.0, p[-1]};
    std::ptrdiff_t i = first;
    for (; i < last; i += 2, p += 4) {
        const Pair a = LoadPair(p);      // even i, odd i
        const Pair b = LoadPair(p + 2);  // even i+1, odd i+1
        const Pair even = __builtin_shufflevector(a, b, 0, 2);
        const Pair odd = __builtin_shufflevector(a, b, 1, 3);
        const Pair right = __builtin_shufflevector(even, Pair{p[4], 0.0}, 1, 2);
        const Pair d = odd - (0.5 * even + 0.5 * right);
        const Pair before = __builtin_shufflevector(left, d, 1, 2);
        const Pair updated = (0.25 * before + 0.25 * d) + even;
        StorePair(p, __builtin_shufflevector(updated, d, 0, 2));
        StorePair(p + 2, __builtin_shufflevector(updated, d, 1, 3));
        left = d;
    }
    if (i == last) {
        const double even = p[0];
        const double d = p[1] - (0.5 * even + 0.5 * p[2]);
        p[1] = d;
        p[0] = (0.25 * left[1] + 0.25 * d) + even;
    }
}

double InverseFinestSteps(double* x, std::ptrdiff_t first, std::ptrdiff_t last, double leftEven) {
    double* p = x + 2 * first - 1;
    Pair left = {0.0, leftEven};
    std::ptrdiff_t i = first;
    for (; i < last; i += 2, p += 4) {
        const Pair a = LoadPair(p);      // odd i, even i
        const Pair b = LoadPair(p + 2);  // odd i+1, even i+1
        const Pair odd = __builtin_shufflevector(a, b, 0, 2);
        const Pair stored = __builtin_shufflevector(a, b, 1, 3);
        const Pair right = __builtin_shufflevector(odd, Pair{p[4], 0.0}, 1, 2);
        const Pair even = stored - (0.25 * odd + 0.25 * right);
        const Pair before = __builtin_shufflevector(left, even, 1, 2);
        const Pair restored = (0.5 * before + 0.5 * even) + odd;
        StorePair(p, __builtin_shufflevector(restored, even, 0, 2));
        StorePair(p + 2, __builtin_shufflevector(restored, even, 1, 3));
        left = even;
    }
    if (i == last) {
        const double even = p[1] - (0.25 * p[0] + 0.25 * p[2]);
        p[1] = even;
        p[0] = (0.5 * left[1] + 0.5 * even) + p[0];
        return even;
    }
    return left[1];
}

}  // namespace analysis
