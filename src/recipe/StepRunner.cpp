#include "recipe/StepRunner.h"

#include <algorithm>

#include "analysis/denoise/LevelSweep.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "recipe/RecipeSteps.h"

namespace recipe {
namespace {

// The coefficients of each view item 1 ... levels + 1 of the plain
// decomposition of samples, each item shrunk by its report's threshold (an
// item without a report is left as it is).
std::vector<std::vector<double>> ShrunkCoefficients(const analysis::DyadicSignal& samples, int32_t levels,
                                                    analysis::Wavelet wavelet, analysis::Shrink shrink,
                                                    const std::vector<analysis::LevelReport>& reports) {
    std::vector<double> y(samples.Data(), samples.Data() + samples.N());
    analysis::ForwardTransform(wavelet, y.data(), samples.J(), levels);
    std::vector<analysis::LevelCut> cuts;
    for (const analysis::LevelReport& report : reports) {
        cuts.push_back({analysis::LevelGeometry::Item(samples.J(), levels, report.level), report.threshold, shrink});
    }
    analysis::SweepLevels(y.data(), cuts, false);
    std::vector<std::vector<double>> items;
    for (int32_t item = 1; item <= levels + 1; ++item) {
        items.push_back(analysis::LevelValues(y.data(), analysis::LevelGeometry::Item(samples.J(), levels, item)));
    }
    return items;
}

}  // namespace

bool EndsInSession(std::span<const Step> steps) {
    return std::all_of(steps.begin(), steps.end(),
                       [](const Step& step) { return step.kind != StepKind::ApplyAllLevels || RunsInSession(step); });
}

Step StepRunner::Run(std::span<const Step> steps, std::size_t index) {
    const Step& step = steps[index];
    const Step* next = index + 1 < steps.size() ? &steps[index + 1] : nullptr;
    switch (step.kind) {
    case StepKind::Decompose:
        wavelet_ = *analysis::WaveletNamed(step.wavelet);
        // The denoising of the whole signal starts from the samples as they stand.
        if (next && next->kind == StepKind::ApplyAllLevels && !RunsInSession(*next)) {
            levels_ = step.levels;
            denoising_ = true;
            coefficients_ = ShrunkCoefficients(*session_.Samples(), levels_, wavelet_, analysis::Shrink::Hard, {});
        } else {
            session_.SetWavelet(wavelet_);
            session_.Decompose(step.levels - 1);
        }
        break;
    case StepKind::Thresholding:
        session_.SelectViewLevel(step.item - 1);
        session_.ApplyThreshold(step.item - 1, SessionThresholdText(step.threshold));
        break;
    case StepKind::ApplyAllLevels: return ApplyAllLevels(step);
    case StepKind::Reconstruct:
        if (denoising_) {
            denoising_ = false;
            denoisedStands_ = true;
        } else {
            session_.Reconstruct();
        }
        break;
    }
    return step;
}

Step StepRunner::ApplyAllLevels(const Step& step) {
    if (denoising_) {
        analysis::DenoiseOptions settings = DenoiseSettingsOf(step, levels_);
        settings.wavelet = wavelet_;
        const analysis::DyadicSignal& samples = *session_.Samples();
        analysis::DenoiseResult result = analysis::Denoise(samples.Data(), samples.J(), settings);
        coefficients_ = ShrunkCoefficients(samples, levels_, wavelet_, settings.shrink, result.levels);
        denoised_ = std::move(result.signal);
        sampleNoise_ = result.sampleSigma;
        reports_ = std::move(result.levels);
    } else {
        reports_ = session_.ApplyToAllLevels(DenoiseSettingsOf(step, session_.Levels()));
        sampleNoise_ = session_.SampleNoise();
    }
    Step done = step;
    done.thresholds.clear();
    for (const analysis::LevelReport& report : reports_) {
        if (report.level <= static_cast<int32_t>(step.thresholds.size())) done.thresholds.push_back(report.threshold);
    }
    return done;
}

std::span<const double> StepRunner::Buffer() const {
    if (denoisedStands_) return denoised_;
    return {session_.Samples()->Data(), static_cast<std::size_t>(session_.N())};
}

std::vector<double> StepRunner::ItemValues(int32_t item) const {
    if (denoising_) return coefficients_[static_cast<std::size_t>(item) - 1];
    const analysis::LevelGeometry g = analysis::LevelGeometry::Item(session_.J(), session_.Levels(), item);
    return analysis::LevelValues(session_.Samples()->Data(), g);
}

}  // namespace recipe
