#pragma once
// TFastLineSeries: a polyline through the points in index order, drawn with
// one pen and nothing else. The point-by-point walk (DrawValue over the
// visible range) defines its picture; long series are drawn through a column
// reduction that gives the same pixels at a cost that follows the plot's
// width, wherever that can be shown to hold (see FastPathApplies).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "chart/style/ChartPens.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ColumnReduction.h"
#include "chart/data/ValueBlockSummary.h"

namespace chart {

class TFastLineSeries : public TChartSeries {
public:
    TFastLineSeries();
    ~TFastLineSeries() override;

    void Assign(const TChartSeries& source) override;

    // ---- Published ----------------------------------------------------------
    // True: a new point asks for a repaint; false: it is drawn at once onto
    // the chart's canvas (the series must then be on a chart).
    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    bool IsAutoRepaintStored() const { return !autoRepaint_; }
    // A change of any of its settings repaints the chart.
    TChartPen& LinePen() const { return *linePen_; }
    // Copies pen, then takes its colour as the series colour.
    void SetLinePen(const TChartPen& pen);

    void SetSeriesColor(fw::TColor value) override;

    // ---- Drawing ------------------------------------------------------------
    // The pen of the line onto the chart canvas, brush clear.
    void PrepareCanvas();
    void DrawAllValues() override;
    void DrawValue(int32_t valueIndex) override;
    int32_t Clicked(int32_t x, int32_t y) const override;
    void DrawLegendShape(int32_t valueIndex, const fw::TRect& rect) override;
    void DrawMark(int32_t valueIndex, const std::string& text, TSeriesMarkPosition& position) override;
    std::string GetEditorClass() const override { return "TFastLineSeriesEditor"; }

    // Pixel of the last point drawn.
    int32_t LastDrawnX() const { return lastDrawnX_; }
    int32_t LastDrawnY() const { return lastDrawnY_; }

    // Off: every paint and hit test takes the point-by-point walk. On (the
    // default): they take the reduction whenever it gives the same result.
    bool FastPath() const { return fastPath_; }
    void SetFastPath(bool value) { fastPath_ = value; }
    // How many paints and hit tests took the reduction.
    int64_t FastPaints() const { return fastPaints_; }
    int64_t FastClicks() const { return fastClicks_; }
    // Whether the next paint would take the reduction (canvas pen prepared).
    bool FastPathApplies();

    // The summary of the Y values, brought up to date.
    const TValueBlockSummary& YSummary() const;

    // The Y values' bounds, as the value list gives them, read off the
    // summary the drawing keeps anyway (when every value is finite and the
    // scale is 1) instead of a walk over all the values.
    double MinYValue() const override;
    double MaxYValue() const override;

    std::size_t HeapBytes() const override;

protected:
    void NotifyNewValue(TChartSeries& sender, int32_t valueIndex) override;
    void NotifyValuesAppended(int32_t firstIndex, int32_t count) override;

private:
    // The new point valueIndex drawn at once, without a repaint.
    void DrawNewValue(int32_t valueIndex);
    void SyncSummaries() const;
    // The bounds of MinYValue and MaxYValue when the summary gives them.
    std::optional<TValueBounds> SummaryYBounds() const;
    // X ascending and finite, Y finite, positive scales, both axes in order
    // over the visible range: the geometry the reduction relies on.
    bool OrderedGeometry() const;
    int32_t ClickedWalk(int32_t x, int32_t y) const;
    int32_t ClickedByHalving(int32_t x, int32_t y) const;

    std::unique_ptr<TChartPen> linePen_;
    bool autoRepaint_ = true;
    bool fastPath_ = true;
    int32_t lastDrawnX_ = 0;
    int32_t lastDrawnY_ = 0;
    int64_t fastPaints_ = 0;
    mutable int64_t fastClicks_ = 0;
    // The X values' order is all the reduction needs of them.
    mutable TValueBlockSummary xSummary_{TValueBlockSummary::TKeeps::Order};
    mutable TValueBlockSummary ySummary_;
    TColumnReduction reduction_;
};

}  // namespace chart
