#pragma once
// Chief header of the chart engine: value lists, the series base with its
// marks and the series list a chart keeps, the axes, and the axis panel that
// joins them, with the interfaces through which a series sees its chart and
// its axes and their titles.

#include "chart/axis/ChartAxis.h"
#include "chart/axis/ChartAxisTitle.h"
#include "chart/data/ChartValueList.h"
#include "chart/panel/CustomAxisPanel.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ChartSeriesList.h"
#include "chart/series/SeriesAxis.h"
#include "chart/series/SeriesMarks.h"
#include "chart/series/SeriesParent.h"
