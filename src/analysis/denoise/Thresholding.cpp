#include "analysis/denoise/Thresholding.h"

#include <cmath>

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {

void HardThreshold(const CoefficientView& view, double t) {
    // Every entry is written, kept or zeroed, without a branch: which way a
    // coefficient goes is as good as random, and a mispredicted branch costs
    // more than the store.
    if (view.Count() == 0) return;
    double* c = &view[0];
    const std::size_t stride = view.Stride();
    for (int32_t i = 0; i < view.Count(); ++i, c += stride) *c = std::fabs(*c) > t ? *c : 0.0;
}

double ParseThreshold(const std::string& text) {
    // One rounding, straight to double: the threshold typed as a saved
    // coefficient's text is exactly that coefficient.
    const double value = fw::StrToDouble(text);
    if (std::isinf(value)) throw fw::EOverflow();
    return value;
}

}  // namespace analysis
