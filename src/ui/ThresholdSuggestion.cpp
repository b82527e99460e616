#include "ui/ThresholdSuggestion.h"

#include "analysis/Thresholding.h"
#include "analysis/UniversalThreshold.h"
#include "framework/core/Conversions.h"

namespace ui {

std::string SuggestedThresholdText(std::span<const double> coefficients, int64_t signalLength) {
    const double threshold = analysis::UniversalThreshold(coefficients, signalLength);
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
