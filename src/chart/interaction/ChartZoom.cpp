// Zooming the four side axes: to a dragged rectangle, by a percentage, by the
// mouse wheel, and back to the view before the first zoom or scroll.
#include <cmath>

#include "chart/axis/ChartAxis.h"
#include "chart/interaction/ChartMouseSettings.h"
#include "chart/panel/CustomChart.h"

namespace chart {

void TCustomChart::SaveScalesOnce() {
    if (!scalesOriginal_) return;
    SaveScales(savedScales_);
    scalesOriginal_ = false;
}

void TCustomChart::CalcZoomPoints() {
    ZoomState.Check();
    const int32_t x0 = ZoomState.StartX;
    const int32_t y0 = ZoomState.StartY;
    const int32_t x1 = ZoomState.EndX;
    const int32_t y1 = ZoomState.EndY;
    TChartAxis& top = *TopAxis();
    TChartAxis& bottom = *BottomAxis();
    TChartAxis& left = *LeftAxis();
    TChartAxis& right = *RightAxis();
    DoZoom(top.CalcPosPoint(x0), top.CalcPosPoint(x1), bottom.CalcPosPoint(x0), bottom.CalcPosPoint(x1),
           left.CalcPosPoint(y1), left.CalcPosPoint(y0), right.CalcPosPoint(y1), right.CalcPosPoint(y0));
}

void TCustomChart::ZoomRect(const fw::TRect& rect) {
    ZoomState.StartX = rect.Left;
    ZoomState.StartY = rect.Top;
    ZoomState.EndX = rect.Right;
    ZoomState.EndY = rect.Bottom;
    CalcZoomPoints();
}

void TCustomChart::DoZoom(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin,
                          double leftMax, double rightMin, double rightMax) {
    SaveScalesOnce();
    struct Target {
        TChartAxis* Axis;
        double Min;
        double Max;
    };
    // The order in which the axes take their ranges.
    const Target targets[] = {
        {LeftAxis(), leftMin, leftMax},
        {RightAxis(), rightMin, rightMax},
        {TopAxis(), topMin, topMax},
        {BottomAxis(), bottomMin, bottomMax},
    };
    if (AnimatedZoom()) {
        for (int32_t step = 1; step < AnimatedZoomSteps(); ++step) {
            for (const Target& t : targets) {
                TChartAxis& a = *t.Axis;
                a.SetMinMax(a.Minimum() + (t.Min - a.Minimum()) / AnimatedZoomFactor,
                            a.Maximum() - (a.Maximum() - t.Max) / AnimatedZoomFactor);
            }
            // Each step is seen before the next one starts.
            Repaint();
        }
    }
    for (const Target& t : targets) t.Axis->SetMinMax(t.Min, t.Max);
    SetZoomed(true);
    if (OnZoom) OnZoom(*this);
}

void TCustomChart::ZoomPercent(double percent) {
    double range[4][2];
    TChartAxis* axes[] = {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()};
    for (int i = 0; i < 4; ++i) {
        double lo = axes[i]->Minimum();
        double hi = axes[i]->Maximum();
        axes[i]->CalcMinMax(lo, hi);
        const double d = (hi - lo) * (percent - 100) * 0.01;
        range[i][0] = lo + d;
        range[i][1] = hi - d;
    }
    DoZoom(range[2][0], range[2][1], range[3][0], range[3][1], range[0][0], range[0][1], range[1][0], range[1][1]);
    Repaint();
}

void TCustomChart::WheelZoom(int32_t x, int32_t y, double notches, bool horizontalOnly) {
    // Like a press, the wheel only counts over a plot that shows series.
    if (!PlotRect().Contains({x, y}) || SeriesList().CountActive() == 0 || notches == 0) return;
    const double factor = std::pow(ChartWheelZoomFactor, notches);
    // The value under the mouse stays where it is: both ends move towards it.
    // The shown range is the one the pixels map onto; a logarithmic axis
    // narrows in its logarithms.
    auto around = [factor](const TChartAxis& axis, int32_t pixel, double& aMin, double& aMax) {
        const bool log = axis.Logarithmic() && axis.ShownMinimum() > 0;
        auto in = [log](double value) { return log ? std::log(value) : value; };
        auto out = [log](double value) { return log ? std::exp(value) : value; };
        const double lo = in(axis.ShownMinimum());
        const double hi = in(axis.ShownMaximum());
        const double v = in(axis.CalcPosPoint(pixel));
        aMin = out(v - (v - lo) / factor);
        aMax = out(v + (hi - v) / factor);
    };
    double r[4][2];
    around(*TopAxis(), x, r[0][0], r[0][1]);
    around(*BottomAxis(), x, r[1][0], r[1][1]);
    if (horizontalOnly) {
        r[2][0] = LeftAxis()->Minimum();
        r[2][1] = LeftAxis()->Maximum();
        r[3][0] = RightAxis()->Minimum();
        r[3][1] = RightAxis()->Maximum();
    } else {
        around(*LeftAxis(), y, r[2][0], r[2][1]);
        around(*RightAxis(), y, r[3][0], r[3][1]);
    }
    DoZoom(r[0][0], r[0][1], r[1][0], r[1][1], r[2][0], r[2][1], r[3][0], r[3][1]);
}

void TCustomChart::UndoZoom() {
    if (!scalesOriginal_) RestoreScales(savedScales_);
    scalesOriginal_ = true;
    TCustomChartPanelExtended::UndoZoom();
}

void TCustomChart::SaveScales(TAllAxisSavedScales& scales) const {
    scales.Top = TopAxis()->RangeSettings();
    scales.Left = LeftAxis()->RangeSettings();
    scales.Right = RightAxis()->RangeSettings();
    scales.Bottom = BottomAxis()->RangeSettings();
}

void TCustomChart::RestoreScales(const TAllAxisSavedScales& scales) {
    RestoreAxisScale(*TopAxis(), scales.Top);
    RestoreAxisScale(*BottomAxis(), scales.Bottom);
    RestoreAxisScale(*LeftAxis(), scales.Left);
    RestoreAxisScale(*RightAxis(), scales.Right);
}

}  // namespace chart
