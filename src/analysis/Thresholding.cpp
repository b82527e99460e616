#include "analysis/Thresholding.h"

#include <cfloat>
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
    const long double value = fw::StrToFloat(text);
    // The smallest magnitude that rounds to infinity as a double: the largest
    // double plus half of its last place.
    const long double overflowFrom = static_cast<long double>(DBL_MAX) + std::ldexp(1.0L, 970);
    if (std::fabs(value) >= overflowFrom) throw fw::EOverflow();
    return static_cast<double>(value);
}

}  // namespace analysis
