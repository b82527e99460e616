#pragma once
// Denoising a signal on the dyadic grid: decompose, shrink each detail level
// by a threshold its rule takes from the level's own noise, reconstruct; with
// several shifts, the same on shifted copies of the signal, averaged
// (translation-invariant denoising, Coifman and Donoho 1995). The window and
// the batch both call this, so their numbers agree bit for bit.

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/denoise/Shrinkage.h"
#include "analysis/denoise/ThresholdRules.h"
#include "analysis/transform/Wavelet.h"

namespace analysis {

// A denoising's defaults: the rule and shrinkage that do best without a
// choice made from the data (AutoChoice.h makes one), and the shifts --auto
// runs with.
constexpr ThresholdRule kAutoRule = ThresholdRule::Universal;
constexpr Shrink kAutoShrink = Shrink::Hard;
constexpr int32_t kAutoShifts = 16;

// The most shifts a call may ask for: beyond it the average no longer changes
// much, and every shift costs a transform pair over the whole signal.
constexpr int32_t kMaxShifts = 256;

struct DenoiseOptions {
    int32_t levels = 0;  // 1 ... J; 0: J, the deepest
    ThresholdRule rule = kAutoRule;
    Shrink shrink = kAutoShrink;
    double fixedThreshold = 0;     // the threshold of every detail level under ThresholdRule::Fixed
    int32_t shifts = kAutoShifts;  // 1: no shifts, the plain decomposition
    // Empty, or one entry per view item (levels 1 ... L, then the
    // approximation): a threshold given overrides the rule for that item; the
    // approximation is thresholded only when given one here.
    std::vector<std::optional<double>> itemThresholds;
    Wavelet wavelet = Wavelet::Linear;
    // A second stage, by the transform named: the thresholded result is the
    // pilot whose coefficients set an empirical Wiener gain for each of the
    // signal's (Ghael, Sayeed and Baraniuk 1997); with shifts, on the same
    // shifted copies, the pilot being the first stage's average.
    std::optional<Wavelet> wiener = std::nullopt;
    // A detail level whose thresholding does not lower its estimated risk
    // (Stein's, on its coefficients) is kept as it is.
    bool keepUnhelpedLevels = false;
    // The samples' noise sigma when known (> 0); 0: estimated from the
    // finest details.
    double noise = 0;
};

// Whether the thresholds chosen on the plain decomposition hold for every
// shifted copy too: with one shift, or a Fixed rule. Otherwise each copy
// takes its rule's own, and only the thresholds given pass to all.
inline bool PlainThresholdsHold(const DenoiseOptions& options) {
    return options.shifts == 1 || options.rule == ThresholdRule::Fixed;
}

// What one view item of the plain (unshifted) decomposition went through.
struct LevelReport {
    int32_t level = 0;      // 1 ... L; L + 1 the approximation
    double sigma = 0;       // the noise level of its coefficients
    double threshold = 0;   // the threshold applied
    int64_t zeroed = 0;     // coefficients left at 0 (|c| <= threshold)
    int64_t total = 0;      // its coefficients
    double energyKept = 0;  // sum of squares after / before (1 for an all-zero level)
    // Stein's estimate of the squared error per coefficient the shrinking
    // leaves (sigma^2 for a level kept as it is), from its coefficients.
    double risk = 0;
};

struct DenoiseResult {
    std::vector<double> signal;       // the 2^J + 1 denoised samples
    double sampleSigma = 0;           // the noise estimated on the samples
    std::vector<LevelReport> levels;  // the detail levels, then the approximation if thresholded
};

// Throws fw::Exception for options that do not fit a signal of order j:
// levels, shifts, the number of thresholds, a threshold that is not finite,
// one below 0 under soft shrinkage.
void CheckDenoiseOptions(int32_t j, const DenoiseOptions& options);

// x: the 2^j + 1 samples, all finite; 2 <= j <= kMaxOrder. Throws
// fw::Exception for options that do not fit j, and what the transform throws.
DenoiseResult Denoise(const double* x, int32_t j, const DenoiseOptions& options);

// The same steps on a decomposition that is already in place: y holds the
// 2^j + 1 samples transformed over options.levels levels (0: j), and
// options.shifts is not used. The window thresholds its buffer with these, so
// that its levels get the batch's thresholds and its coefficients the batch's
// bits.
struct LevelChoice {
    double sampleSigma = 0;          // the noise estimated on the samples
    std::vector<double> sigmas;      // per detail level 1 ... L
    std::vector<double> thresholds;  // per detail level: the one given, else the rule's
    std::vector<double> risks;       // per detail level: LevelReport::risk of its threshold
};
LevelChoice ChooseLevelThresholds(const double* y, int32_t j, const DenoiseOptions& options);
// Shrinks y's items in place as Denoise shrinks its plain decomposition,
// with the noise `choice` (ChooseLevelThresholds' result for y) estimated.
std::vector<LevelReport> ShrinkDecomposition(double* y, int32_t j, const DenoiseOptions& options,
                                             const LevelChoice& choice);

}  // namespace analysis
