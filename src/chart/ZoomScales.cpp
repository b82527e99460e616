#include "chart/ZoomScales.h"

namespace chart {

TAxisSavedScale TAxisSavedScale::Of(const TCustomChartAxis& axis) {
    return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(), axis.Maximum()};
}

void TAxisSavedScale::ApplyTo(TCustomChartAxis& axis) const {
    axis.SetAutomatic(Auto);
    axis.SetAutomaticMinimum(AutoMin);
    axis.SetAutomaticMaximum(AutoMax);
    if (!axis.Automatic()) axis.SetMinMax(Min, Max);
}

}  // namespace chart
