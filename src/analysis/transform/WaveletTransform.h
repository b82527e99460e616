#pragma once
// The interpolating lifting transforms on the dyadic grid of a DyadicSignal,
// in place. The default, Linear: linear prediction of the odd points, then an
// update of the even points by a quarter of each neighbouring detail (a half
// at the two ends); the others are in LiftingLevels.h.
//
// Arithmetic is plain double with a fixed order of operations, no fused
// multiply-add, and 0.5*(a + b) evaluated as 0.5*a + 0.5*b (the same value
// unless a or b is subnormal, where the last bit may differ, and free of
// intermediate overflow).
//
// Errors: a transform that would leave an infinite value in the buffer ends
// with fw::EOverflow, one whose input is not finite with fw::EInvalidOp; in
// both cases the buffer is exactly as it was before the call. When the bound
// on the result makes overflow possible the transform keeps a backup of the
// buffer for the call; if that backup cannot be had it ends with
// fw::EOutOfMemory, again before changing anything.

#include <cstdint>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/Wavelet.h"

namespace analysis {

// Levels 1 ... levels of the 2^j + 1 samples at x; requires 1 <= levels <= j.
// knownBound: a bound on the samples' magnitudes, all of them finite, known
// without reading them; negative when not known (then they are read for
// it). Returns such a bound for the result.
double ForwardTransform(double* x, int32_t j, int32_t levels, double knownBound = -1);

// Undoes levels ... 1; does nothing for levels <= 0 (returning knownBound);
// requires levels <= j.
double InverseTransform(double* x, int32_t j, int32_t levels, double knownBound = -1);

// The same with another transform of the family.
double ForwardTransform(Wavelet wavelet, double* x, int32_t j, int32_t levels, double knownBound = -1);
double InverseTransform(Wavelet wavelet, double* x, int32_t j, int32_t levels, double knownBound = -1);

// The same on a signal, passing on the bound it keeps between transforms:
// a transform right after another need not read the buffer first.
void ForwardTransform(DyadicSignal& signal, int32_t levels, Wavelet wavelet = Wavelet::Linear);
void InverseTransform(DyadicSignal& signal, int32_t levels, Wavelet wavelet = Wavelet::Linear);

}  // namespace analysis
