#pragma once
// The series kinds a program puts on a chart.

#include "chart/series/ChartSeries.h"
#include "chart/series/FastLineSeries.h"
