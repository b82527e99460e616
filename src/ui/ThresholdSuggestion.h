#pragma once
// The threshold the window suggests for the viewed item: the universal
// threshold of that item's own noise, written as the threshold box reads
// numbers.

#include <string>

#include "analysis/session/AnalysisSession.h"

namespace ui {

// sigma_k sqrt(2 ln N) for the viewed item k of a decomposed session, with
// sigma_k the samples' noise estimated from the level-1 details times the
// item's noise gain: the item's own coefficients would measure the signal
// at a coarse level, not the noise.
double SuggestedThreshold(const analysis::AnalysisSession& session);

// The shortest text under the regional settings that the threshold box reads
// back as the very same double.
std::string ThresholdText(double threshold);

}  // namespace ui
