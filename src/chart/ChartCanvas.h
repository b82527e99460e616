#pragma once
// Chief header of the chart's drawing canvas: the canvas classes, their
// helpers, the chart pens and brushes, and the 3D view options.

#include "chart/CanvasUtils.h"
#include "chart/ChartCanvas3D.h"
#include "chart/ChartCanvasBase.h"
#include "chart/ChartPens.h"
#include "chart/View3DOptions.h"
