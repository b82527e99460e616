#include "ui/ThresholdSuggestion.h"

#include <vector>

#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/denoise/ThresholdRules.h"
#include "analysis/denoise/Thresholding.h"
#include "framework/core/Conversions.h"

namespace ui {

double SuggestedThreshold(const analysis::AnalysisSession& session) {
    const int32_t j = session.J();
    const int32_t levels = session.Levels();
    const analysis::Wavelet wavelet = session.DecomposedWavelet();
    const double sampleNoise = analysis::SampleNoiseOf(session.Samples()->Data(), j, wavelet);
    // Items 1 ... L are the detail levels, item L + 1 the approximation.
    const std::vector<double> gains = analysis::NoiseGains(j, levels, wavelet);
    return analysis::UniversalLevelThreshold(sampleNoise * gains[session.ViewedLevel() - 1], session.N());
}

std::string ThresholdText(double threshold) {
    // Fifteen digits read back exactly for most values; seventeen always do.
    std::string text;
    for (int digits = 15; digits <= 17; ++digits) {
        text = fw::FloatToStrF(threshold, fw::ffGeneral, digits, 0);
        if (analysis::ParseThreshold(text) == threshold) {
            break;
        }
    }
    return text;
}

}  // namespace ui
