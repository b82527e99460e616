#pragma once
// Chief header of the chart panel: the panel base classes (the panel with its
// repaint, buffer and series list, and the extension with gradient and back
// image), the background gradient and the base of objects that own a font.

#include "chart/panel/CustomChartPanel.h"
#include "chart/panel/CustomChartPanelExtended.h"
#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartGradient.h"
