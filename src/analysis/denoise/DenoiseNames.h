#pragma once
// The names of the rules and the shrinkages as the batch command, the Python
// module and recipes write them: one spelling everywhere.

#include <optional>
#include <string_view>

#include "analysis/denoise/Shrinkage.h"
#include "analysis/denoise/ThresholdRules.h"

namespace analysis {

// "universal", "sure", "bayes", "fixed".
std::string_view RuleName(ThresholdRule rule);
std::optional<ThresholdRule> RuleNamed(std::string_view name);

// "hard", "soft".
std::string_view ShrinkName(Shrink shrink);
std::optional<Shrink> ShrinkNamed(std::string_view name);

}  // namespace analysis
