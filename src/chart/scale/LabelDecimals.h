#pragma once
// How many decimals the labels of a value axis show when the axis keeps the
// default number format: the format's own, or, where two neighbouring labels
// would read alike, the fewest that tell every neighbouring pair apart.

#include <cstdint>
#include <span>
#include <string>

namespace chart {

// Beyond this many decimals labels are left as the default format has them.
inline constexpr int32_t kMaxLabelDecimals = 15;

// The decimals of the default number format ("#,##0.###": 3).
int32_t DefaultFormatDecimals();

// The default number format with decimals optional decimal places (at
// least the format's own).
std::string DefaultFormatWithDecimals(int32_t decimals);

// The fewest decimals, from DefaultFormatDecimals up to kMaxLabelDecimals,
// at which no two neighbours of values (in the order drawn) read alike;
// DefaultFormatDecimals when none does.
int32_t DistinctLabelDecimals(std::span<const double> values);

}  // namespace chart
