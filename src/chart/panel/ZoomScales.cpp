#include "chart/panel/ZoomScales.h"

#include "chart/axis/ChartAxis.h"

namespace chart {

void RestoreAxisScale(TCustomChartAxis& axis, const TAxisRangeSettings& saved) {
    axis.SetAutomatic(saved.Automatic);
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    if (!axis.Automatic()) axis.SetMinMax(saved.Minimum, saved.Maximum);
}

}  // namespace chart
