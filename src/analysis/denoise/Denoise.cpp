#include "analysis/denoise/Denoise.h"

#include <algorithm>
#include <cfloat>
#include <limits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/denoise/LevelSweep.h"
#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/LargeBlock.h"
#include "framework/core/RunBoth.h"

#include <sys/mman.h>

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// What every shift shares: the noise is estimated once, on the plain signal,
// so that all shifts threshold against the same noise level.
struct Plan {
    int32_t j = 0;
    int32_t levels = 0;
    int64_t n = 0;
    Wavelet wavelet = Wavelet::Linear;
    double sampleSigma = 0;
    std::vector<double> sigmas;  // per view item: sample noise times the item's gain
    const DenoiseOptions* options = nullptr;
};

// The plan's noise: sampleSigma on the samples, seen through wavelet's gains.
void SetNoise(Plan& plan, Wavelet wavelet, double sampleSigma) {
    plan.wavelet = wavelet;
    plan.sampleSigma = sampleSigma;
    plan.sigmas.clear();
    for (const double gain : NoiseGains(plan.j, plan.levels, wavelet)) plan.sigmas.push_back(sampleSigma * gain);
}

// How much shrinking the level's coefficients c by t changes Stein's
// estimate of their summed squared error from keeping them (sigma^2 each):
// a coefficient zeroed costs c^2 and spares the 2 sigma^2 a kept one costs;
// one soft shrinkage moves costs t^2.
double RiskChange(const double* y, const LevelGeometry& level, double t, double sigma, Shrink shrink) {
    double change = 0;
    for (int32_t i = 0; i < level.count; ++i) {
        const double c = y[level.Position(i)];
        if (std::fabs(c) > t) {
            if (shrink == Shrink::Soft) change += t * t;
        } else {
            change += c * c - 2 * sigma * sigma;
        }
    }
    return change;
}

double LevelRisk(const double* y, const LevelGeometry& level, double t, double sigma, Shrink shrink) {
    if (level.count == 0) return 0;
    return sigma * sigma + RiskChange(y, level, t, sigma, shrink) / level.count;
}

double RuleThreshold(const Plan& plan, const double* y, const LevelGeometry& level, double sigma) {
    switch (plan.options->rule) {
    case ThresholdRule::Universal: return UniversalLevelThreshold(sigma, plan.n);
    case ThresholdRule::Sure: return SureThreshold(LevelValues(y, level), sigma);
    case ThresholdRule::Bayes: return BayesThreshold(LevelValues(y, level), sigma);
    case ThresholdRule::Fixed: break;
    }
    return plan.options->fixedThreshold;
}

std::optional<double> ItemThreshold(const Plan& plan, int32_t item) {
    const auto& given = plan.options->itemThresholds;
    return given.empty() ? std::nullopt : given[static_cast<std::size_t>(item) - 1];
}

// Each detail level's threshold: the one given for it, else its rule's (0,
// which keeps the level, where its shrinking would not help and the options
// say so). A rule reads its level as the transform left it.
std::vector<double> Thresholds(const Plan& plan, const double* y) {
    std::vector<double> thresholds;
    for (int32_t k = 1; k <= plan.levels; ++k) {
        if (const std::optional<double> given = ItemThreshold(plan, k)) {
            thresholds.push_back(*given);
            continue;
        }
        const LevelGeometry level = LevelGeometry::Details(plan.j, k);
        const double sigma = plan.sigmas[static_cast<std::size_t>(k) - 1];
        double t = RuleThreshold(plan, y, level, sigma);
        if (plan.options->keepUnhelpedLevels && !(RiskChange(y, level, t, sigma, plan.options->shrink) < 0)) t = 0;
        thresholds.push_back(t);
    }
    return thresholds;
}

// Shrinks the decomposition in y; returns what each item went through.
std::vector<LevelReport> ShrinkLevels(const Plan& plan, double* y, bool measure) {
    std::vector<double> thresholds = Thresholds(plan, y);
    std::vector<LevelCut> cuts;
    for (int32_t k = 1; k <= plan.levels; ++k) {
        cuts.push_back({LevelGeometry::Details(plan.j, k), thresholds[k - 1], plan.options->shrink});
    }
    if (const std::optional<double> t = ItemThreshold(plan, plan.levels + 1)) {
        cuts.push_back({LevelGeometry::Approximation(plan.j, plan.levels), *t, plan.options->shrink});
        thresholds.push_back(*t);
    }
    std::vector<double> risks;
    for (std::size_t item = 0; measure && item < cuts.size(); ++item) {
        risks.push_back(LevelRisk(y, cuts[item].level, cuts[item].threshold, plan.sigmas[item], cuts[item].shrink));
    }
    const std::vector<ShrinkOutcome> outcomes = SweepLevels(y, cuts, measure);
    std::vector<LevelReport> reports;
    if (!measure) return reports;
    for (std::size_t item = 0; item < thresholds.size(); ++item) {
        const auto level = static_cast<int32_t>(item) + 1;
        const ShrinkOutcome& outcome = outcomes[item];
        const int32_t total = cuts[item].level.count;
        reports.push_back(
            {level, plan.sigmas[item], thresholds[item], outcome.zeroed, total, EnergyKept(outcome), risks[item]});
    }
    return reports;
}

// The plan for the decomposition y over `levels` levels: the noise is
// estimated on its level-1 details and scaled by each item's gain.
Plan MakePlan(const double* y, int32_t j, int32_t levels, const DenoiseOptions& options, double& sampleSigma) {
    Plan plan;
    plan.j = j;
    plan.levels = levels;
    plan.n = SamplesOfOrder(j);
    plan.options = &options;
    sampleSigma = options.noise > 0 ? options.noise : SampleNoiseOf(y, j, options.wavelet);
    SetNoise(plan, options.wavelet, sampleSigma);
    return plan;
}

// Decomposes y, shrinks, reconstructs, for a shift whose report nobody
// reads. inputBound bounds |y| (spares the
// transform a pass to find one); shrinking never raises a magnitude, so the
// decomposition's bound serves the reconstruction.
void DenoiseInPlace(const Plan& plan, double* y, double inputBound) {
    const double bound = ForwardTransform(plan.wavelet, y, plan.j, plan.levels, inputBound);
    ShrinkLevels(plan, y, false);
    InverseTransform(plan.wavelet, y, plan.j, plan.levels, bound);
}

// The empirical Wiener stage on one copy: y's details scaled by
// P^2 / (P^2 + sigma^2), P the pilot's coefficient at the same place and
// sigma its level's noise; the approximation kept. pilot is overwritten.
void WienerInPlace(const Plan& plan, double* y, double* pilot, double inputBound) {
    const double bound = ForwardTransform(plan.wavelet, y, plan.j, plan.levels, inputBound);
    ForwardTransform(plan.wavelet, pilot, plan.j, plan.levels);
    for (int32_t k = 1; k <= plan.levels; ++k) {
        const LevelGeometry level = LevelGeometry::Details(plan.j, k);
        const double noise =
            plan.sigmas[static_cast<std::size_t>(k) - 1] * plan.sigmas[static_cast<std::size_t>(k) - 1];
        // Without noise there is nothing to take away.
        if (noise == 0.0) continue;
        for (int32_t i = 0; i < level.count; ++i) {
            const double p = pilot[level.Position(i)] * pilot[level.Position(i)];
            y[level.Position(i)] *= p / (p + noise);
        }
    }
    // The gains are at most 1: the decomposition's bound holds.
    InverseTransform(plan.wavelet, y, plan.j, plan.levels, bound);
}

// The result's buffer, zero-filled. A long signal's vector is a fresh mapping
// of its own: asked for huge pages before its first touch, it costs a page
// fault per 2 MiB instead of one per 4 KiB, which took most of a one-shift
// call's time.
std::vector<double> ResultBuffer(Index count) {
    std::vector<double> y;
    y.reserve(static_cast<std::size_t>(count));
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(y.data());
    const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t end = (begin + static_cast<std::uintptr_t>(count) * sizeof(double)) / kHugePage * kHugePage;
    // Only a hint: where huge pages are not offered the buffer works all the same.
    if (first < end) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    y.resize(static_cast<std::size_t>(count));
    return y;
}

// Copies x to y and returns the largest |x[i]| (infinite when one is not
// finite), in one pass and in four independent lanes, so that it runs at the
// memory's pace, not at that of one chain of comparisons.
double CopyMeasuring(const double* x, double* y, Index count) {
    double lane[4] = {0, 0, 0, 0};
    bool finite = true;
    Index i = 0;
    for (; i + 4 <= count; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const double a = std::fabs(y[i + k] = x[i + k]);
            finite &= a <= DBL_MAX;
            lane[k] = a > lane[k] ? a : lane[k];
        }
    }
    for (; i < count; ++i) {
        const double a = std::fabs(y[i] = x[i]);
        finite &= a <= DBL_MAX;
        lane[0] = a > lane[0] ? a : lane[0];
    }
    if (!finite) return std::numeric_limits<double>::infinity();
    return std::max({lane[0], lane[1], lane[2], lane[3]});
}

// The sample at position q of the signal continued by even reflection at both
// ends (so with period 2 * last): ... x2 x1 | x0 x1 ... x_last | x_last-1 ...
Index Reflect(Index q, Index last) {
    if (q >= 0 && q <= last) return q;
    const Index period = 2 * last;
    q %= period;
    if (q < 0) q += period;
    return q <= last ? q : period - q;
}

// Shift s's offset: 0, 1, -1, 2, -2, ..., so that both ends lose as many
// shifted estimates.
Index Offset(int32_t s) { return s % 2 != 0 ? (s + 1) / 2 : -(s / 2); }

// How many estimates each sample gets. Offsets stay within kMaxShifts / 2,
// so a sample at least kEdge from both ends is reached directly by every
// shift and by no reflection: it gets one per shift. Only the samples nearer
// the ends (all of a short signal) are counted.
class EstimateCounts {
public:
    EstimateCounts(Index count, int32_t shifts)
        : shifts_(shifts),
          lowEnd_(count > 2 * kEdge ? kEdge : count),
          highStart_(count > 2 * kEdge ? count - kEdge : count),
          counts_(static_cast<std::size_t>(lowEnd_ + count - highStart_), 0) {}

    // One more estimate for each sample of [from, to).
    void AddRange(Index from, Index to) {
        for (Index p = from; p < std::min(to, lowEnd_); ++p) ++At(p);
        for (Index p = std::max(from, highStart_); p < to; ++p) ++At(p);
    }
    void Add(Index p) { AddRange(p, p + 1); }
    double Of(Index p) { return p < lowEnd_ || p >= highStart_ ? At(p) : shifts_; }

private:
    static constexpr Index kEdge = kMaxShifts / 2 + 1;
    uint16_t& At(Index p) { return counts_[static_cast<std::size_t>(p < lowEnd_ ? p : lowEnd_ + p - highStart_)]; }

    int32_t shifts_;
    Index lowEnd_;
    Index highStart_;
    std::vector<uint16_t> counts_;
};

// Positions [begin, end) of the copy shifted by `offset` that map straight
// onto samples; the others show the reflection beyond an end.
struct Window {
    Index begin;
    Index end;
};

Window Direct(Index offset, Index count) {
    const Index begin = std::clamp<Index>(-offset, 0, count);
    return {begin, std::clamp<Index>(count - offset, begin, count)};
}

// Copy positions [from, to), all in the direct window of `offset`.
void FillDirect(double* shifted, const double* x, Index offset, Index from, Index to) {
    if (from < to) std::copy(x + from + offset, x + to + offset, shifted + from);
}

void FillReflected(double* shifted, const double* x, Index offset, Window window, Index count) {
    for (Index i = 0; i < window.begin; ++i) shifted[i] = x[Reflect(i + offset, count - 1)];
    for (Index i = window.end; i < count; ++i) shifted[i] = x[Reflect(i + offset, count - 1)];
}

// The shifted copies' buffer: huge pages, as a fresh buffer of 4 KiB pages
// would cost a page fault per 512 values.
struct FreeBlock {
    std::size_t bytes;
    void operator()(double* p) const noexcept { fw::FreeBlock(p, bytes); }
};
using Block = std::unique_ptr<double[], FreeBlock>;

Block AllocateSamples(Index count) {
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(double);
    return Block(static_cast<double*>(fw::AllocateBlock(bytes)), FreeBlock{bytes});
}

// Translation-invariant denoising (Coifman and Donoho 1995): the plain result
// `sum`, plus the results of denoiseCopy(shifted, offset, window, slot) on
// shifted copies of x, each estimate back at the sample it was made for,
// averaged. On a long signal two copies (slots 0 and 1) are denoised at once,
// one per core; their estimates are still added shift after shift, so every
// sum is the one a single core gives.
template <class DenoiseCopy>
std::vector<double> SpinAndAverage(const Plan& plan, const double* x, std::vector<double> sum,
                                   DenoiseCopy denoiseCopy) {
    const auto count = static_cast<Index>(sum.size());
    const int32_t shifts = plan.options->shifts;
    EstimateCounts estimates(count, shifts);
    estimates.AddRange(0, count);
    const bool paired = shifts > 2 && count >= fw::kRunBothMinValues;
    const Block copies[2] = {AllocateSamples(count), paired ? AllocateSamples(count) : Block(nullptr, FreeBlock{0})};
    double* total = sum.data();
    const auto denoise = [&](int32_t s, int slot) {
        const Index offset = Offset(s);
        const Window window = Direct(offset, count);
        double* shifted = copies[slot].get();
        FillDirect(shifted, x, offset, window.begin, window.end);
        FillReflected(shifted, x, offset, window, count);
        denoiseCopy(shifted, offset, window, slot);
    };
    const auto gather = [&](int32_t s, const double* shifted) {
        const Index offset = Offset(s);
        const Window window = Direct(offset, count);
        // A sample the reflection shows twice gets both estimates, one past
        // the shifted window's reach none from this shift.
        const auto restore = [&](Index i) {
            const Index p = Reflect(i + offset, count - 1);
            total[p] += shifted[i];
            estimates.Add(p);
        };
        for (Index i = 0; i < window.begin; ++i) restore(i);
        for (Index i = window.end; i < count; ++i) restore(i);
        estimates.AddRange(window.begin + offset, window.end + offset);
        if (s + 1 < shifts) {
            // Not fused with the next copy's fill: stores to one buffer and
            // loads from another at nearly the same address modulo 4 KiB stall
            // each other, and the fused pass ran at a third of the pace.
            for (Index i = window.begin; i < window.end; ++i) total[i + offset] += shifted[i];
            return;
        }
        // The last estimates go back and every sample takes its average in
        // the same pass.
        for (Index i = window.begin; i < window.end; ++i) {
            total[i + offset] = (total[i + offset] + shifted[i]) / estimates.Of(i + offset);
        }
        // The samples this copy did not reach directly (all of a short signal
        // when the offset exceeds it).
        const Index low = std::clamp<Index>(window.begin + offset, 0, count);
        const Index high = std::clamp<Index>(window.end + offset, low, count);
        for (Index p = 0; p < low; ++p) total[p] /= estimates.Of(p);
        for (Index p = high; p < count; ++p) total[p] /= estimates.Of(p);
    };
    for (int32_t s = 1; s < shifts; s += paired ? 2 : 1) {
        if (paired && s + 1 < shifts) {
            fw::RunBoth([&] { denoise(s + 1, 1); }, [&] { denoise(s, 0); });
            gather(s, copies[0].get());
            gather(s + 1, copies[1].get());
            continue;
        }
        denoise(s, 0);
        gather(s, copies[0].get());
    }
    return sum;
}

// The second stage over the whole signal: each copy of x, shifted as the
// first stage shifted it, takes the Wiener gains of the first stage's result
// (the pilot) shifted alike; the estimates are averaged as before.
std::vector<double> WienerStage(Plan plan, const double* x, double inputBound, const std::vector<double>& pilot) {
    // The same noise on the samples, seen through the second transform.
    SetNoise(plan, *plan.options->wiener, plan.sampleSigma);
    const auto count = static_cast<Index>(pilot.size());
    std::vector<double> y = ResultBuffer(count);
    std::copy(x, x + count, y.begin());
    std::vector<double> plainPilot = pilot;
    WienerInPlace(plan, y.data(), plainPilot.data(), inputBound);
    if (plan.options->shifts == 1) return y;
    // One pilot copy per slot: two copies may be in flight.
    const Block pilots[2] = {AllocateSamples(count), AllocateSamples(count)};
    return SpinAndAverage(plan, x, std::move(y), [&](double* shifted, Index offset, Window window, int slot) {
        double* shiftedPilot = pilots[slot].get();
        FillDirect(shiftedPilot, pilot.data(), offset, window.begin, window.end);
        FillReflected(shiftedPilot, pilot.data(), offset, window, count);
        WienerInPlace(plan, shifted, shiftedPilot, inputBound);
    });
}

}  // namespace

void CheckDenoiseOptions(int32_t j, const DenoiseOptions& options) {
    const int32_t levels = options.levels == 0 ? j : options.levels;
    if (j < 2 || j > kMaxOrder) throw fw::Exception("A signal of order " + fw::IntToStr(j) + " cannot be denoised");
    if (levels < 1 || levels > j) {
        throw fw::Exception("Denoising over " + fw::IntToStr(levels) + " levels does not fit a signal of order " +
                            fw::IntToStr(j));
    }
    if (!std::isfinite(options.noise) || options.noise < 0) {
        throw fw::Exception("The noise must be a finite number of 0 or more");
    }
    if (options.shifts < 1 || options.shifts > kMaxShifts) {
        throw fw::Exception("The number of shifts must be from 1 to " + fw::IntToStr(kMaxShifts));
    }
    if (!options.itemThresholds.empty() && options.itemThresholds.size() != static_cast<std::size_t>(levels) + 1) {
        throw fw::Exception("One threshold per view item, or none, is needed");
    }
    bool finite = options.rule != ThresholdRule::Fixed || std::isfinite(options.fixedThreshold);
    for (const auto& t : options.itemThresholds) finite &= !t || std::isfinite(*t);
    if (!finite) throw fw::Exception("Every threshold must be a finite number");
    if (options.shrink == Shrink::Soft) {
        // A negative threshold would push coefficients away from zero.
        bool negative = options.rule == ThresholdRule::Fixed && options.fixedThreshold < 0;
        for (const auto& t : options.itemThresholds) negative |= t && *t < 0;
        if (negative) throw fw::Exception("Soft shrinkage needs thresholds of 0 or more");
    }
}

DenoiseResult Denoise(const double* x, int32_t j, const DenoiseOptions& options) {
    const int32_t levels = options.levels == 0 ? j : options.levels;
    CheckDenoiseOptions(j, options);
    const Index count = SamplesOfOrder(j);

    std::vector<double> y = ResultBuffer(count);
    const double inputBound = CopyMeasuring(x, y.data(), count);
    if (!std::isfinite(inputBound)) throw fw::EInvalidOp();

    // The plain decomposition gives the noise estimate and the report.
    const double bound = ForwardTransform(options.wavelet, y.data(), j, levels, inputBound);
    DenoiseResult result;
    const Plan plan = MakePlan(y.data(), j, levels, options, result.sampleSigma);
    result.levels = ShrinkLevels(plan, y.data(), true);
    InverseTransform(options.wavelet, y.data(), j, levels, bound);
    if (options.shifts > 1) {
        y = SpinAndAverage(plan, x, std::move(y),
                           [&](double* shifted, Index, Window, int) { DenoiseInPlace(plan, shifted, inputBound); });
    }
    if (options.wiener) y = WienerStage(plan, x, inputBound, y);
    result.signal = std::move(y);
    return result;
}

LevelChoice ChooseLevelThresholds(const double* y, int32_t j, const DenoiseOptions& options) {
    const int32_t levels = options.levels == 0 ? j : options.levels;
    CheckDenoiseOptions(j, options);
    LevelChoice choice;
    const Plan plan = MakePlan(y, j, levels, options, choice.sampleSigma);
    choice.sigmas.assign(plan.sigmas.begin(), plan.sigmas.begin() + levels);
    choice.thresholds = Thresholds(plan, y);
    for (int32_t k = 1; k <= levels; ++k) {
        const auto item = static_cast<std::size_t>(k) - 1;
        choice.risks.push_back(
            LevelRisk(y, LevelGeometry::Details(j, k), choice.thresholds[item], choice.sigmas[item], options.shrink));
    }
    return choice;
}

std::vector<LevelReport> ShrinkDecomposition(double* y, int32_t j, const DenoiseOptions& options,
                                             const LevelChoice& choice) {
    const int32_t levels = options.levels == 0 ? j : options.levels;
    CheckDenoiseOptions(j, options);
    Plan plan;
    plan.j = j;
    plan.levels = levels;
    plan.n = SamplesOfOrder(j);
    plan.options = &options;
    // The noise as the choice estimated it: the median over the finest level
    // is the costliest step short of the shrinking, and gives the same.
    SetNoise(plan, options.wavelet, choice.sampleSigma);
    return ShrinkLevels(plan, y, true);
}

}  // namespace analysis
