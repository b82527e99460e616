#pragma once
// What an axis needs of the chart that owns it: the canvas it draws through,
// the plot rectangle and depth of the current repaint, the series it takes
// its range from, the label events, the paging settings and repaint requests.
// The chart panel implements this; tests use a small stand-in.
//
// Several members have the same signatures as in ISeriesParent, so a chart
// implementing both interfaces answers both with one override.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Colors.h"
#include "framework/core/Geometry.h"

namespace fw {
class TFont;
class TPen;
}  // namespace fw

namespace chart {

class TChartCanvas3D;
class TChartSeries;
class TChartSeriesList;
class TCustomChartAxis;

// Lets the chart change the text of a label. Value labels pass no series and
// index -1; text labels pass the series and point index the text came from.
using TAxisOnGetLabel =
    std::function<void(TCustomChartAxis& sender, TChartSeries* series, int32_t valueIndex, std::string& labelText)>;
// Lets the chart supply the label values of an axis one by one: it sets
// labelValue for label number labelIndex, or leaves stop true to end the list.
using TAxisOnGetNextLabel =
    std::function<void(TCustomChartAxis& sender, int32_t labelIndex, double& labelValue, bool& stop)>;

class IAxisParent {
public:
    // Chart events the axes fire; checked before each call.
    TAxisOnGetLabel OnGetAxisLabel;
    TAxisOnGetNextLabel OnGetNextAxisLabel;

    // ---- Drawing ---------------------------------------------------------
    virtual TChartCanvas3D& Canvas() = 0;
    // Selects font into the canvas (the font first takes the canvas font's
    // pixels per inch).
    virtual void FontCanvas(fw::TFont& font) = 0;
    // Width of the widest line of text (lines split at ChartLineSeparator)
    // in the canvas font, and the number of lines.
    virtual int32_t MultiLineTextWidth(const std::string& text, int32_t& numLines) = 0;
    // Adjusts the canvas pen just set from a chart pen (printing needs thin
    // dotted pens made zero-width).
    virtual void CheckPenWidth(fw::TPen& canvasPen) = 0;
    virtual bool IsPrinting() const = 0;
    // The panel colour: the brush behind label and title text.
    virtual fw::TColor Color() const = 0;

    // ---- Geometry of the current repaint ---------------------------------
    virtual fw::TRect PlotRect() const = 0;
    virtual bool View3D() const = 0;
    // Depth of the 3D box in pixels; 0 in 2D.
    virtual int32_t TotalDepth() const = 0;
    // The largest depth slot handed out to the series.
    virtual int32_t TopZOrder() const = 0;
    // Thickness of the wall beside the axis; 0 in 2D.
    virtual int32_t CalcWallSize(const TCustomChartAxis& axis) = 0;
    // Whether the axis takes room and is drawn in this repaint.
    virtual bool IsAxisVisible(const TCustomChartAxis& axis) = 0;
    // The chart's axes: bottom, top, left, right, depth.
    virtual const std::vector<TCustomChartAxis*>& AxesList() const = 0;

    // ---- Series ------------------------------------------------------------
    virtual TChartSeriesList& SeriesList() = 0;
    // Widest point label of any series, and widest series mark text.
    virtual int32_t MaxTextWidth() = 0;
    virtual int32_t MaxMarkWidth() = 0;

    // ---- Paging: which points the index axis shows -------------------------
    virtual int32_t MaxPointsPerPage() const = 0;
    virtual int32_t Page() const = 0;
    virtual bool ScaleLastPage() const = 0;

    // ---- State and repaints -------------------------------------------------
    // True while a stored layout is being read into the chart: the axis then
    // neither checks Minimum against Maximum nor couples the automatic flags.
    virtual bool IsLoadingLayout() const = 0;
    // A repaint request; any number cost one repaint.
    virtual void Invalidate() = 0;
    // Repaints at once (scrolling shows each step).
    virtual void Repaint() = 0;

protected:
    ~IAxisParent() = default;
};

}  // namespace chart
