#pragma once
// The labels of an axis that names points or series rather than values:
// which there are, at which value each stands and what it says. Drawing them,
// ticks first, is the axis drawing's part.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "chart/axis/ChartAxis.h"

namespace chart {

// The text of a label drawn at pixel pos, or none when the label is dropped
// there. Asked only when the axis shows labels, so a label event runs for a
// label that can appear.
using TAxisLabelText = std::function<std::optional<std::string>(int32_t pos)>;
using TAxisLabelVisit = std::function<void(double value, const TAxisLabelText& text)>;

// The point labels (talText) or mark texts (talMark) of the active series on
// the axis, in point order and within the shown range. A text that would
// overlap the one before it is dropped.
void ForEachPointTextLabel(TCustomChartAxis& axis, TAxisLabelStyle style, const TAxisLabelVisit& visit);
// The depth axis' whole slots in the shown range: slot a names the a-th
// active series by its title (its name when untitled), or nothing past the
// last series.
void ForEachDepthTextLabel(TCustomChartAxis& axis, const TAxisLabelVisit& visit);

}  // namespace chart
