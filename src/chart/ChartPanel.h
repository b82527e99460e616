#pragma once
// Chief header of the chart panel's style objects: the background gradient
// and the base of objects that own a font.

#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartGradient.h"
