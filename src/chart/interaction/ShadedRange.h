#pragma once
// A band across the plot between two X values, behind the series and the
// grid: marks a part of the X range as unlike the rest (the samples a signal
// was extended by, which are no measurement). It takes no presses.

#include <cstdint>

#include "chart/panel/ChartOverlay.h"
#include "framework/core/Colors.h"

namespace chart {

class TShadedRange : public TChartOverlay {
public:
    // A pale grey: the series over it stay as legible as on the white panel.
    static constexpr fw::TColor kColour = 0x00E6E6E6;  // RGB (230, 230, 230)

    explicit TShadedRange(TCustomAxisPanel& chart) : chart_(chart) {}

    // Shades from X = from to X = to (from <= to); repaints the chart.
    void Show(double from, double to);
    void Hide();
    bool Shown() const { return shown_; }
    double From() const { return from_; }
    double To() const { return to_; }

    void DrawBehindSeries(TCustomAxisPanel& chart) override;
    bool StartDrag(TCustomAxisPanel&, fw::TMouseButton, int32_t, int32_t) override { return false; }
    void Drag(TCustomAxisPanel&, int32_t, int32_t) override {}
    void EndDrag(TCustomAxisPanel&, int32_t, int32_t) override {}
    bool Grabs(TCustomAxisPanel&, int32_t, int32_t) override { return false; }

private:
    TCustomAxisPanel& chart_;
    bool shown_ = false;
    double from_ = 0;
    double to_ = 0;
};

}  // namespace chart
