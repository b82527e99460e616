#pragma once
// Multi-line label and title texts: the lines of one text are separated by
// ChartLineSeparator. Angles of rotated texts are checked here too.

#include <cstdint>
#include <string>
#include <vector>

namespace chart {

// Carriage return.
inline constexpr char ChartLineSeparator = '\r';

// Replaces every occurrence of separator by ChartLineSeparator.
void ChartSplitInLines(std::string& text, char separator);

// The number of ChartLineSeparator characters, plus one when text follows
// the last of them: "" has 0 lines, "a" 1, "a\r" 1, "a\rb" 2.
int32_t ChartNumTextLines(const std::string& text);

// The lines of text, split at ChartLineSeparator; an empty remainder after
// the last separator is no line, so there are ChartNumTextLines(text) of them.
std::vector<std::string> ChartTextLines(const std::string& text);

// Throws ChartException "<name> Angle must be between 0 and 359 degrees"
// for an angle outside 0 ... 359.
void ChartCheckAngle(int32_t angle, const std::string& name);

}  // namespace chart
