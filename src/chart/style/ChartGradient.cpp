#include "chart/style/ChartGradient.h"

namespace chart {

void TCustomChartGradient::Assign(const fw::TPersistent& source) {
    const auto* other = dynamic_cast<const TCustomChartGradient*>(&source);
    if (!other) {
        fw::TPersistent::Assign(source);
        return;
    }
    SetDirection(other->direction_);
    SetEndColor(other->endColor_);
    SetStartColor(other->startColor_);
    SetVisible(other->visible_);
}

}  // namespace chart
