#pragma once
// Chief header of the chart's drawing canvas: the canvas classes, their
// helpers, the chart pens and brushes, and the 3D view options.

#include "chart/canvas/CanvasUtils.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/canvas/ChartCanvasBase.h"
#include "chart/style/ChartPens.h"
#include "chart/style/View3DOptions.h"
