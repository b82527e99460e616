#include "analysis/FinestLevelPreview.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>

#include "analysis/LevelGeometry.h"
#include "analysis/WaveletTransform.h"

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// The hard threshold as the shrinkage writes it: a cut coefficient is +0.
double Cut(double c, double t) {
    const uint64_t keep = uint64_t{0} - static_cast<uint64_t>(std::fabs(c) > t);
    return std::bit_cast<double>(std::bit_cast<uint64_t>(c) & keep);
}

// The finest level's inverse step, one value at a time, in the operations of
// the full inverse. Details are x[2i - 1] (i = 1 ... m), evens a[i] (i = 0 ... m).
struct FinestStep {
    const double* x;
    const double* a;
    double* out;
    Index m;
    double t;

    double Detail(Index i) const { return Cut(x[2 * i - 1], t); }
    void Even(Index i) const {
        if (i == 0)
            out[0] = a[0] - 0.5 * Detail(1);
        else if (i == m)
            out[2 * m] = a[m] - 0.5 * Detail(m);
        else
            out[2 * i] = a[i] - (0.25 * Detail(i) + 0.25 * Detail(i + 1));
    }
    void Odd(Index i) const { out[2 * i - 1] = (0.5 * out[2 * i - 2] + 0.5 * out[2 * i]) + Detail(i); }
};

}  // namespace

bool FinestLevelPreview::Handles(int32_t j, int32_t levels, double bound) {
    // The coarser levels are inverted as a signal of order j - 1.
    return j >= 3 && j <= kMaxOrder && levels >= 1 && levels <= j && bound >= 0 &&
           bound <= std::ldexp(DBL_MAX, -(levels + 2));
}

void FinestLevelPreview::Write(const double* x, int32_t j, int32_t levels, double bound, double t, double* out,
                               bool update) {
    const Index m = Index{1} << (j - 1);
    const bool kept = update && evenCount_ == m + 1;
    if (!kept) {
        Forget();
        const std::size_t bytes = static_cast<std::size_t>(m + 1) * sizeof(double);
        evens_ = std::unique_ptr<double, FreeBlock>(static_cast<double*>(fw::AllocateBlock(bytes)), FreeBlock{bytes});
        double* evens = evens_.get();
        for (Index i = 0; i <= m; ++i) evens[i] = x[2 * i];
        // Levels 2 ... levels on the even points are levels 1 ... levels - 1
        // of the signal of order j - 1 they form: the same steps on the same values.
        InverseTransform(evens, j - 1, levels - 1, bound);
        evenCount_ = m + 1;
    }
    const FinestStep step{x, evens_.get(), out, m, t};
    // A threshold that is no number leaves nothing to compare with.
    if (!kept || std::isnan(t) || std::isnan(lastT_)) {
        step.Even(0);
        for (Index i = 1; i <= m; ++i) {
            step.Even(i);
            step.Odd(i);
        }
    } else {
        // Detail i changed its state when its magnitude lies between the
        // two thresholds; it enters the evens beside it, and they enter the
        // odd points beside them. In increasing i, every value is written
        // again after the last of its inputs that changed.
        const double low = std::fmin(lastT_, t);
        const double high = std::fmax(lastT_, t);
        // The states of 64 details at a time as bits, without a branch: which
        // ones changed is a coin toss, and a mispredicted branch per detail
        // would hold the scan far below the memory's pace.
        for (Index base = 1; base <= m; base += 64) {
            const Index count = std::min<Index>(64, m - base + 1);
            uint64_t changed = 0;
            for (Index b = 0; b < count; ++b) {
                const double magnitude = std::fabs(x[2 * (base + b) - 1]);
                changed |= static_cast<uint64_t>((magnitude > low) & (magnitude <= high)) << b;
            }
            for (; changed != 0; changed &= changed - 1) {
                const Index i = base + std::countr_zero(changed);
                step.Even(i - 1);
                step.Even(i);
                if (i > 1) step.Odd(i - 1);
                step.Odd(i);
                if (i < m) step.Odd(i + 1);
            }
        }
    }
    lastT_ = t;
}

void FinestLevelPreview::Forget() {
    evens_.reset();
    evenCount_ = 0;
}

}  // namespace analysis
