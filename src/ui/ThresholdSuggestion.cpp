#include "ui/ThresholdSuggestion.h"

#include <vector>

#include "analysis/LevelGeometry.h"
#include "analysis/NoiseEstimate.h"
#include "analysis/NoiseGains.h"
#include "analysis/ThresholdRules.h"
#include "analysis/Thresholding.h"
#include "framework/core/Conversions.h"

namespace ui {

double SuggestedThreshold(const analysis::AnalysisSession& session) {
    const int32_t j = session.J();
    const int32_t levels = session.Levels();
    const analysis::LevelGeometry finest = analysis::LevelGeometry::Details(j, 1);
    const double sampleNoise = analysis::EstimateSampleNoise(session.Samples()->Data() + finest.first, finest.stride,
                                                             static_cast<std::size_t>(finest.count));
    // Items 1 ... L are the detail levels, item L + 1 the approximation.
    const std::vector<double> gains = analysis::NoiseGains(j, levels);
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
