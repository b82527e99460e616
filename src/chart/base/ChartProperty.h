#pragma once
// The setter rule every chart style object follows: store a value only when
// it differs, then ask the owning chart for a repaint. The repaint request is
// a callback, so style objects need nothing else of the chart.

#include <functional>

namespace chart {

using TRepaintRequest = std::function<void()>;

template <typename T>
void SetChartProperty(T& field, const T& value, const TRepaintRequest& repaint) {
    if (field == value) return;
    field = value;
    if (repaint) repaint();
}

}  // namespace chart
