#include "analysis/denoise/LevelSweep.h"

namespace analysis {

std::vector<ShrinkOutcome> SweepLevels(double* y, std::span<const LevelCut> cuts, bool measure) {
    return SweepLevels(y, cuts, measure, IgnoreChanges{});
}

ShrinkOutcome MeasureLevel(const double* y, const LevelGeometry& level) {
    ShrinkOutcome outcome;
    const double* c = y + level.first;
    for (int32_t i = 0; i < level.count; ++i, c += level.stride) {
        outcome.zeroed += *c == 0.0;
        outcome.energyBefore += *c * *c;
    }
    outcome.energyAfter = outcome.energyBefore;
    return outcome;
}

}  // namespace analysis
