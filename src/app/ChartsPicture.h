#pragma once
// One picture of the program's two charts as the window shows them: each at
// its place and size, the gap between them in the window's own colour. The
// batch command writes it; drawing needs a GUI application (the offscreen
// platform will do) for fonts, but no window.

#include <QByteArray>
#include <QImage>
#include <string>

#include "app/PictureFormat.h"
#include "app/ProgramCharts.h"

namespace app {

// Both charts' places together: the picture's size.
constexpr fw::TRect kChartsPictureBounds =
    fw::Rect(0, 0, ProgramCharts::Chart2Bounds.Right, ProgramCharts::Chart2Bounds.Bottom);

// The charts' pixels, each as its own bitmap export draws it.
QImage DrawChartsImage(ProgramCharts& charts);

// The file's bytes in the given format; SVG and PDF hold the charts' vector
// drawings. A recipe text given is carried inside (recipe/PictureRecipe.h).
QByteArray ChartsPictureData(ProgramCharts& charts, PictureFormat format, const std::string& recipe = "");

}  // namespace app
