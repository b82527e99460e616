#pragma once
// Hard thresholding of a level's coefficients, and the threshold text.

#include <string>

#include "analysis/transform/CoefficientView.h"

namespace analysis {

// Sets every entry whose magnitude is not strictly greater than t to +0.0
// (so a magnitude equal to t goes, and a negative zero becomes +0.0); the
// others keep their value. Idempotent.
void HardThreshold(const CoefficientView& view, double t);

// The threshold typed by the user, read with the regional decimal separator.
// Throws fw::EConvertError for text that is no number, and fw::EOverflow for
// a number beyond the range of double.
double ParseThreshold(const std::string& text);

}  // namespace analysis
