#pragma once
// The setter rule every chart object follows: store a value only when it
// differs, then tell the owner, which requests a repaint. Style objects pass
// the repaint request as a callback, so they need nothing else of the chart.

#include <functional>

namespace chart {

using TRepaintRequest = std::function<void()>;

template <typename T, typename Changed>
void StoreIfChanged(T& field, const T& value, Changed&& changed) {
    if (field == value) return;
    field = value;
    changed();
}

template <typename T>
void SetChartProperty(T& field, const T& value, const TRepaintRequest& repaint) {
    StoreIfChanged(field, value, [&repaint] {
        if (repaint) repaint();
    });
}

}  // namespace chart
