#pragma once
// What a series needs of the chart it is drawn on. The chart panel implements
// this; tests use a small stand-in. The series keeps a plain pointer to it and
// the chart clears that pointer (through its series list) when it goes first.

#include <cstdint>

#include "framework/core/Colors.h"
#include "framework/core/Geometry.h"

namespace fw {
class TPen;
}

namespace chart {

class ISeriesAxis;
class TChartCanvas3D;
class TChartSeries;
class TChartSeriesList;

class ISeriesParent {
public:
    // A repaint request; the chart coalesces any number into one repaint.
    virtual void Invalidate() = 0;
    // True while the chart is being torn down: its series then ask for no repaint.
    virtual bool IsBeingDestroyed() const = 0;

    virtual ISeriesAxis* BottomAxis() const = 0;
    virtual ISeriesAxis* TopAxis() const = 0;
    virtual ISeriesAxis* LeftAxis() const = 0;
    virtual ISeriesAxis* RightAxis() const = 0;
    // The rectangle the series are drawn in, as of the last repaint.
    virtual fw::TRect PlotRect() const = 0;

    virtual bool View3D() const = 0;
    // The canvas series draw on, and the printing adjustment of a pen just
    // taken from a chart pen.
    virtual TChartCanvas3D& Canvas() = 0;
    virtual void CheckPenWidth(fw::TPen& canvasPen) = 0;
    // The largest depth slot handed out while the chart stacks series in depth.
    virtual int32_t TopZOrder() const = 0;
    virtual void SetTopZOrder(int32_t value) = 0;

    virtual TChartSeriesList& SeriesList() = 0;
    // False when a series of this chart already has the colour, or (when
    // avoidBackground) the colour is the chart's background.
    virtual bool IsFreeSeriesColor(fw::TColor color, bool avoidBackground) const = 0;

    // The chart's two halves of attaching a series, called by the series'
    // SetParentChart: the add step after the series took this chart as its
    // parent, and the removal from the old parent. Both normally end in the
    // series list's InsertSeries / RemoveSeries.
    virtual void InternalAddSeries(TChartSeries& series) = 0;
    virtual void RemoveSeries(TChartSeries& series) = 0;

    // Set while a click event of the chart runs; a handler that clears it
    // lets the press go on to zoom or scroll. A chart without mouse handling
    // keeps nothing.
    virtual bool ClickHandled() const { return false; }
    virtual void SetClickHandled(bool /*value*/) {}

protected:
    ~ISeriesParent() = default;
};

}  // namespace chart
