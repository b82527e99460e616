#pragma once
// The chart engine: value lists, the series base with its marks, and the
// series list a chart keeps, with the interfaces through which a series sees
// its chart and its axes.

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSeriesList.h"
#include "chart/ChartValueList.h"
#include "chart/SeriesAxis.h"
#include "chart/SeriesMarks.h"
#include "chart/SeriesParent.h"
