#pragma once
// The finest level's lifting steps (points one apart), two steps at a time in
// vector registers. Every lane does the scalar step's operations in the same
// order, so the values are bit-identical to taking the steps one by one; only
// the predictions of a pair are formed before the updates that use them.

#include <cstddef>

namespace analysis {

// Forward steps first ... last (first >= 2) of the finest level: step i sets
// the detail x[2i-1] -= 0.5*x[2i-2] + 0.5*x[2i], then updates x[2i-2] by a
// quarter of each detail beside it. x[2i-3] already holds the left detail.
void ForwardFinestSteps(double* x, std::ptrdiff_t first, std::ptrdiff_t last);

// Inverse steps first ... last (first >= 1, and x[2*last + 1] is a detail):
// step i restores x[2i] from the details x[2i-1] and x[2i+1], then x[2i-1]
// from the restored evens beside it, the left one being leftEven. Returns the
// restored x[2*last] (the next step's leftEven).
double InverseFinestSteps(double* x, std::ptrdiff_t first, std::ptrdiff_t last, double leftEven);

}  // namespace analysis
