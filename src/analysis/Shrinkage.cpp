#include "analysis/Shrinkage.h"

namespace analysis {

ShrinkOutcome ShrinkCoefficients(double* first, std::size_t stride, int64_t count, double t, Shrink shrink) {
    ShrinkOutcome outcome;
    double* c = first;
    for (int64_t i = 0; i < count; ++i, c += stride) {
        const double before = *c;
        const double after = shrink == Shrink::Hard ? HardShrink(before, t) : SoftShrink(before, t);
        outcome.energyBefore += before * before;
        outcome.energyAfter += after * after;
        outcome.zeroed += after == 0.0;
        *c = after;
    }
    return outcome;
}

}  // namespace analysis
