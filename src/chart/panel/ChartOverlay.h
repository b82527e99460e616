#pragma once
// Something a chart draws around its series that is no series: it draws
// behind the series and the grid (after the walls) and over them (before a
// zoom outline), and has a hit test of its own. A press it takes starts its drag,
// which receives the moves and the release; a press it leaves goes on to the
// chart's own clicks, zoom and scroll, which stay exactly as without it.

#include <cstdint>

#include "framework/core/Geometry.h"
#include "framework/gui/window/HostedControl.h"

namespace chart {

class TCustomAxisPanel;

class TChartOverlay {
public:
    virtual ~TChartOverlay() = default;

    virtual void DrawBehindSeries(TCustomAxisPanel& /*chart*/) {}
    virtual void DrawOverSeries(TCustomAxisPanel& /*chart*/) {}
    // Takes the press at (x, y) for a drag of its own, or leaves it (false).
    virtual bool StartDrag(TCustomAxisPanel& chart, fw::TMouseButton button, int32_t x, int32_t y) = 0;
    virtual void Drag(TCustomAxisPanel& chart, int32_t x, int32_t y) = 0;
    virtual void EndDrag(TCustomAxisPanel& chart, int32_t x, int32_t y) = 0;
    // Over (x, y) with no drag under way: whether a press there would start a
    // drag, so that the chart shows the cursor for it.
    virtual bool Grabs(TCustomAxisPanel& chart, int32_t x, int32_t y) = 0;
};

}  // namespace chart
