#include "analysis/Denoise.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "analysis/DyadicSignal.h"
#include "analysis/LevelGeometry.h"
#include "analysis/NoiseEstimate.h"
#include "analysis/NoiseGains.h"
#include "analysis/WaveletTransform.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// What every shift shares: the noise is estimated once, on the plain signal,
// so that all shifts threshold against the same noise level.
struct Plan {
    int32_t j = 0;
    int32_t levels = 0;
    int64_t n = 0;
    std::vector<double> sigmas;  // per view item: sample noise times the item's gain
    const DenoiseOptions* options = nullptr;
};

std::vector<double> Gather(const double* y, const LevelGeometry& level) {
    std::vector<double> values(static_cast<std::size_t>(level.count));
    for (int32_t i = 0; i < level.count; ++i) values[static_cast<std::size_t>(i)] = y[level.Position(i)];
    return values;
}

double RuleThreshold(const Plan& plan, const double* y, const LevelGeometry& level, double sigma) {
    switch (plan.options->rule) {
    case ThresholdRule::Universal: return UniversalLevelThreshold(sigma, plan.n);
    case ThresholdRule::Sure: return SureThreshold(Gather(y, level), sigma);
    case ThresholdRule::Bayes: return BayesThreshold(Gather(y, level), sigma);
    case ThresholdRule::Fixed: break;
    }
    return plan.options->fixedThreshold;
}

std::optional<double> ItemThreshold(const Plan& plan, int32_t item) {
    const auto& given = plan.options->itemThresholds;
    return given.empty() ? std::nullopt : given[static_cast<std::size_t>(item) - 1];
}

LevelReport ShrinkItem(const Plan& plan, double* y, int32_t item, const LevelGeometry& level, double t) {
    const ShrinkOutcome outcome =
        ShrinkCoefficients(y + level.first, level.stride, level.count, t, plan.options->shrink);
    const double kept = outcome.energyBefore > 0 ? outcome.energyAfter / outcome.energyBefore : 1.0;
    return {item, plan.sigmas[static_cast<std::size_t>(item) - 1], t, outcome.zeroed, level.count, kept};
}

// Shrinks the decomposition in y; returns what each item went through.
std::vector<LevelReport> ShrinkLevels(const Plan& plan, double* y) {
    std::vector<LevelReport> reports;
    for (int32_t k = 1; k <= plan.levels; ++k) {
        const LevelGeometry level = LevelGeometry::Details(plan.j, k);
        const std::optional<double> given = ItemThreshold(plan, k);
        const double t = given ? *given : RuleThreshold(plan, y, level, plan.sigmas[static_cast<std::size_t>(k) - 1]);
        reports.push_back(ShrinkItem(plan, y, k, level, t));
    }
    if (const std::optional<double> given = ItemThreshold(plan, plan.levels + 1)) {
        reports.push_back(
            ShrinkItem(plan, y, plan.levels + 1, LevelGeometry::Approximation(plan.j, plan.levels), *given));
    }
    return reports;
}

// Decomposes y, shrinks, reconstructs. inputBound bounds |y| (spares the
// transform a pass to find one); shrinking never raises a magnitude, so the
// decomposition's bound serves the reconstruction.
std::vector<LevelReport> DenoiseInPlace(const Plan& plan, double* y, double inputBound) {
    const double bound = ForwardTransform(y, plan.j, plan.levels, inputBound);
    std::vector<LevelReport> reports = ShrinkLevels(plan, y);
    InverseTransform(y, plan.j, plan.levels, bound);
    return reports;
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

void CheckOptions(int32_t j, int32_t levels, const DenoiseOptions& options) {
    if (j < 2 || j > kMaxOrder) throw fw::Exception("A signal of order " + fw::IntToStr(j) + " cannot be denoised");
    if (levels < 1 || levels > j) {
        throw fw::Exception("Denoising over " + fw::IntToStr(levels) + " levels does not fit a signal of order " +
                            fw::IntToStr(j));
    }
    if (options.shifts < 1 || options.shifts > kMaxShifts) {
        throw fw::Exception("The number of shifts must be from 1 to " + fw::IntToStr(kMaxShifts));
    }
    if (!options.itemThresholds.empty() && options.itemThresholds.size() != static_cast<std::size_t>(levels) + 1) {
        throw fw::Exception("One threshold per view item, or none, is needed");
    }
    if (options.shrink == Shrink::Soft) {
        // A negative threshold would push coefficients away from zero.
        bool negative = options.rule == ThresholdRule::Fixed && options.fixedThreshold < 0;
        for (const auto& t : options.itemThresholds) negative |= t && *t < 0;
        if (negative) throw fw::Exception("Soft shrinkage needs thresholds of 0 or more");
    }
}

}  // namespace

DenoiseResult Denoise(const double* x, int32_t j, const DenoiseOptions& options) {
    const int32_t levels = options.levels == 0 ? j : options.levels;
    CheckOptions(j, levels, options);
    const Index count = SamplesOfOrder(j);
    const Index last = count - 1;

    Plan plan;
    plan.j = j;
    plan.levels = levels;
    plan.n = count;
    plan.options = &options;

    std::vector<double> y(x, x + count);
    double inputBound = 0;
    for (const double v : y) inputBound = std::max(inputBound, std::fabs(v));
    if (!std::isfinite(inputBound)) throw fw::EInvalidOp();

    // The plain decomposition gives the noise estimate and the report.
    const double bound = ForwardTransform(y.data(), j, levels, inputBound);
    DenoiseResult result;
    result.sampleSigma = EstimateSampleNoise(Gather(y.data(), LevelGeometry::Details(j, 1)));
    for (const double gain : NoiseGains(j, levels)) plan.sigmas.push_back(result.sampleSigma * gain);
    result.levels = ShrinkLevels(plan, y.data());
    InverseTransform(y.data(), j, levels, bound);
    if (options.shifts == 1) {
        result.signal = std::move(y);
        return result;
    }

    std::vector<double> sum = std::move(y);
    std::vector<uint16_t> estimates(static_cast<std::size_t>(count), 1);
    std::vector<double> shifted(static_cast<std::size_t>(count));
    for (int32_t s = 1; s < options.shifts; ++s) {
        const Index offset = Offset(s);
        for (Index i = 0; i <= last; ++i) shifted[i] = x[Reflect(i + offset, last)];
        DenoiseInPlace(plan, shifted.data(), inputBound);
        // Each shifted estimate goes back to the sample it was made for; a
        // sample the reflection shows twice gets both, one past the shifted
        // window's reach none from this shift.
        for (Index i = 0; i <= last; ++i) {
            const Index p = Reflect(i + offset, last);
            sum[p] += shifted[i];
            ++estimates[p];
        }
    }
    for (Index p = 0; p <= last; ++p) sum[p] /= estimates[p];
    result.signal = std::move(sum);
    return result;
}

}  // namespace analysis
