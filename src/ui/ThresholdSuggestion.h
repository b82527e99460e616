#pragma once
// The threshold the window suggests for the viewed level: the universal
// threshold of its coefficients, written as the threshold box reads numbers.

#include <cstdint>
#include <span>
#include <string>

namespace ui {

// The universal threshold of coefficients for a signal of signalLength
// samples, in the shortest text under the regional settings that the
// threshold box reads back as the very same double.
std::string SuggestedThresholdText(std::span<const double> coefficients, int64_t signalLength);

}  // namespace ui
