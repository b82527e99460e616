#pragma once
// Chief header of the chart control: TCustomChart and TChart, the class a
// window layout creates, with their walls, titles and legend, and the record
// of a mouse drag.

#include "chart/panel/CustomChart.h"
#include "chart/panel/ZoomPanningRecord.h"
#include "chart/style/ChartLegend.h"
#include "chart/style/ChartTitle.h"
#include "chart/style/ChartWall.h"
