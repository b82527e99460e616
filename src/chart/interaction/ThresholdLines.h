#pragma once
// Two horizontal lines at +T and -T across the plot, measured on the left
// axis, over the band between them: what lies in the band is what a
// threshold of T removes, what lies outside is kept. A press within a few
// pixels of either line drags both, symmetrically; every other press is left
// to the chart.

#include <cstdint>
#include <functional>

#include "chart/panel/ChartOverlay.h"
#include "framework/core/Colors.h"

namespace chart {

class TThresholdLines : public TChartOverlay {
public:
    // Dark orange: reads well over the coefficients' green and the white panel.
    static constexpr fw::TColor kLineColour = 0x00008CFF;  // RGB (255, 140, 0)
    // A pale yellow behind the series: the coefficients in it are removed.
    static constexpr fw::TColor kBandColour = 0x00C8F5FF;  // RGB (255, 245, 200)
    // A press at most this many pixels above or below a line grabs it.
    static constexpr int32_t kGrabPixels = 4;
    // Half the width of the marker of a line beyond the axis's range.
    static constexpr int32_t kMarkerPixels = 5;

    explicit TThresholdLines(TCustomAxisPanel& chart) : chart_(chart) {}

    double Threshold() const { return threshold_; }
    // Repaints the chart when T changes.
    void SetThreshold(double value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Dragging() const { return dragging_; }

    // While a line is dragged: the threshold at the mouse, which the handler
    // may round (to what the user's number format shows); the lines then
    // stand at what it leaves.
    std::function<void(double& threshold)> OnDrag;
    // The drag has ended at the threshold last set.
    std::function<void()> OnDragEnd;

    void DrawBehindSeries(TCustomAxisPanel& chart) override;
    void DrawOverSeries(TCustomAxisPanel& chart) override;
    bool StartDrag(TCustomAxisPanel& chart, fw::TMouseButton button, int32_t x, int32_t y) override;
    void Drag(TCustomAxisPanel& chart, int32_t x, int32_t y) override;
    void EndDrag(TCustomAxisPanel& chart, int32_t x, int32_t y) override;
    bool Grabs(TCustomAxisPanel& chart, int32_t x, int32_t y) override;

private:
    // Whether there is anything to draw or grab: lines shown over a plotted series.
    bool Shown(TCustomAxisPanel& chart) const;
    // The plot row of the line at value, held to the plot; beyond tells
    // whether it was held.
    int32_t LineRow(TCustomAxisPanel& chart, double value, bool& beyond) const;

    TCustomAxisPanel& chart_;
    double threshold_ = 0;
    bool visible_ = false;
    bool dragging_ = false;
};

}  // namespace chart
