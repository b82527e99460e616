#include "chart/canvas/CanvasUtils.h"

#include <algorithm>

#include "chart/base/ChartTextLines.h"

#include <algorithm>
#include <cmath>

#include "framework/gui/paint/SystemColors.h"

namespace chart {

void ClipCanvas(fw::TCanvas& canvas, const fw::TRect& rect) { canvas.Surface().SelectClipRect(rect); }

void UnClipCanvas(fw::TCanvas& canvas) { canvas.Surface().RemoveClip(); }

fw::TColor ApplyDark(fw::TColor color, int32_t quantity) {
    const fw::TColor rgb = fw::ColorToRGB(color);
    auto dark = [quantity](int32_t byte) { return byte > quantity ? byte - quantity : 0; };
    return fw::RGBColor(dark(fw::RedOf(rgb)), dark(fw::GreenOf(rgb)), dark(fw::BlueOf(rgb)));
}

fw::TColor ApplyBright(fw::TColor color, int32_t quantity) {
    const fw::TColor rgb = fw::ColorToRGB(color);
    auto bright = [quantity](int32_t byte) { return std::min(byte + quantity, 255); };
    return fw::RGBColor(bright(fw::RedOf(rgb)), bright(fw::GreenOf(rgb)), bright(fw::BlueOf(rgb)));
}

void SinCos(double angle, double& sine, double& cosine) {
    sine = std::sin(angle);
    cosine = std::cos(angle);
}

double ArcTan2(double y, double x) { return (x == 0 && y == 0) ? 0 : std::atan2(y, x); }

int32_t MultiLineTextWidth(TChartCanvas& canvas, const std::string& text, int32_t& numLines) {
    if (text.find(ChartLineSeparator) == std::string::npos) {
        numLines = 1;
        return canvas.TextWidth(text);
    }
    const std::vector<std::string> lines = ChartTextLines(text);
    numLines = static_cast<int32_t>(lines.size());
    int32_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.TextWidth(line));
    return widest;
}

}  // namespace chart
