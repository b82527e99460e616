#pragma once
// Chief header of the chart control: TCustomChart and TChart, the class a
// window layout creates, with their walls, titles and legend, the record of a
// mouse drag, and the mouse gestures' events, hit-test result and settings.

#include "chart/interaction/ChartMouseSettings.h"
#include "chart/interaction/ShadedRange.h"
#include "chart/interaction/Cursors.h"
#include "chart/interaction/ThresholdLines.h"
#include "chart/panel/ChartClickedPart.h"
#include "chart/panel/ChartMouseEvents.h"
#include "chart/panel/CustomChart.h"
#include "chart/panel/ZoomPanningRecord.h"
#include "chart/style/ChartLegend.h"
#include "chart/style/ChartTitle.h"
#include "chart/style/ChartWall.h"
