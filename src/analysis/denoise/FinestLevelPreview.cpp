#include "analysis/denoise/FinestLevelPreview.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cfloat>
#include <cmath>
#include <cstddef>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/RunBoth.h"

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// The hard threshold as the shrinkage writes it: a cut coefficient is +0.
// Without a branch, as whether a detail is cut is a coin toss.
double Cut(double c, double t) {
    const uint64_t keep = uint64_t{0} - static_cast<uint64_t>(std::fabs(c) > t);
    return std::bit_cast<double>(std::bit_cast<uint64_t>(c) & keep);
}

// The finest level's inverse step in the operations of the full inverse.
// Details are x[2i - 1] (i = 1 ... m), evens a[i] (i = 0 ... m). Every output
// value is worked out from these inputs alone, never from another output,
// so the values can be written in any order and by two threads.
struct FinestStep {
    const double* x;
    const double* a;
    double* out;
    Index m;
    double t;

    double Detail(Index i) const { return Cut(x[2 * i - 1], t); }
    double EvenValue(Index i) const {
        if (i == 0) return a[0] - 0.5 * Detail(1);
        if (i == m) return a[m] - 0.5 * Detail(m);
        return a[i] - (0.25 * Detail(i) + 0.25 * Detail(i + 1));
    }
    // Even value i and odd value i (i >= 1).
    void Pair(Index i) const {
        out[2 * i] = EvenValue(i);
        out[2 * i - 1] = (0.5 * EvenValue(i - 1) + 0.5 * out[2 * i]) + Detail(i);
    }

    // The evens [lo - 1, hi) and the odds [lo - 1, hi] that details
    // [lo, hi) enter, within the output (and the even hi). Apart from the
    // ends, runs of values: the details of a run are cut first, then one
    // loop of the same few operations on every i, which the compiler turns
    // into vector code.
    void Fed(Index lo, Index hi) const {
        constexpr Index kRun = 64;
        const Index last = std::min(hi, m);
        Index i = std::max<Index>(lo - 1, 1);
        if (lo == 1) out[0] = EvenValue(0);
        if (i == 1) Pair(i++);
        for (const Index end = std::min(last + 1, m); i < end; i += kRun) {
            const Index count = std::min(kRun, end - i);
            double d[kRun + 2];  // details i - 1 ... i + count
            for (Index k = 0; k < count + 2; ++k) d[k] = Detail(i - 1 + k);
            for (Index k = 0; k < count; ++k) {
                const double left = a[i + k - 1] - (0.25 * d[k] + 0.25 * d[k + 1]);
                const double even = a[i + k] - (0.25 * d[k + 1] + 0.25 * d[k + 2]);
                out[2 * (i + k)] = even;
                out[2 * (i + k) - 1] = (0.5 * left + 0.5 * even) + d[k + 1];
            }
        }
        if (last == m) Pair(m);
    }
};

// Rewrites what the details in [from, to) whose state differs between the
// thresholds low and high feed: detail i changed its state when its
// magnitude lies between the two, and enters the evens beside it and the
// odd values beside those.
void Update(const FinestStep& step, double low, double high, Index from, Index to) {
    // The states of 64 details at a time as bits, without a branch: which
    // ones changed is a coin toss, and a mispredicted branch per detail
    // would hold the scan far below the memory's pace.
    for (Index base = from; base < to; base += 64) {
        const Index count = std::min<Index>(64, to - base);
        uint64_t changed = 0;
        for (Index b = 0; b < count; ++b) {
            const double magnitude = std::fabs(step.x[2 * (base + b) - 1]);
            changed |= static_cast<uint64_t>((magnitude > low) & (magnitude <= high)) << b;
        }
        if (std::popcount(changed) > 4) {
            step.Fed(base, base + count);
            continue;
        }
        for (; changed != 0; changed &= changed - 1) {
            const Index i = base + std::countr_zero(changed);
            step.Fed(i, i + 1);
        }
    }
}

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
        // The copy's first touch of fresh pages is most of its time, and
        // runs twice as fast in two halves.
        const auto copy = [evens, x](Index from, Index to) {
            for (Index i = from; i < to; ++i) evens[i] = x[2 * i];
        };
        if (m >= fw::kRunBothMinValues) {
            fw::RunBoth([&] { copy(m / 2, m + 1); }, [&] { copy(0, m / 2); });
        } else {
            copy(0, m + 1);
        }
        // Levels 2 ... levels on the even points are levels 1 ... levels - 1
        // of the signal of order j - 1 they form: the same steps on the same values.
        InverseTransform(evens, j - 1, levels - 1, bound);
        evenCount_ = m + 1;
    }
    const FinestStep step{x, evens_.get(), out, m, t};
    // A threshold that is no number leaves nothing to compare with.
    const bool whole = !kept || std::isnan(t) || std::isnan(lastT_);
    const double low = std::fmin(lastT_, t);
    const double high = std::fmax(lastT_, t);
    // What details [from, to) feed: all of it, or what changed since lastT_.
    const auto pass = [&](Index from, Index to) {
        if (whole) {
            step.Fed(from, to);
        } else {
            Update(step, low, high, from, to);
        }
    };
    // In two halves at once, split at detail mid: details below mid - 1
    // write values up to 2 mid - 2, those from mid + 2 on from 2 mid + 1 on,
    // and the three between go once both are done.
    const Index mid = m / 2 / 64 * 64;
    if (m >= fw::kRunBothMinValues && mid > 2) {
        fw::RunBoth([&] { pass(mid + 2, m + 1); }, [&] { pass(1, mid - 1); });
        pass(mid - 1, mid + 2);
    } else {
        pass(1, m + 1);
    }
    lastT_ = t;
}

void FinestLevelPreview::Forget() {
    evens_.reset();
    evenCount_ = 0;
}

}  // namespace analysis
