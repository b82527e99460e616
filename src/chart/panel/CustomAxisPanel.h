#pragma once
// TCustomAxisPanel: the series a chart draws, its five axes, and the drawing
// pipeline of one repaint (InternalDraw): background, titles, depth slots,
// the axes' room, walls, axes and series in their fixed order. The layout
// steps it calls are left to the chart level.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "chart/axis/AxisParent.h"
#include "chart/axis/ChartAxis.h"
#include "chart/panel/ChartOverlay.h"
#include "chart/panel/CustomChartPanelExtended.h"
#include "chart/series/ChartSeriesList.h"
#include "chart/series/SeriesParent.h"

namespace chart {

class TChartSeries;
class TCustomAxisPanel;

using TAxisPanelNotifyEvent = std::function<void(TCustomAxisPanel& sender)>;

class TCustomAxisPanel : public TCustomChartPanelExtended, public IAxisParent, public ISeriesParent {
public:
    ~TCustomAxisPanel() override;
    void Assign(const TCustomChartPanel& source) override;

    // ---- Series --------------------------------------------------------------------
    TChartSeriesList& SeriesList() override { return *seriesList_; }
    const TChartSeriesList& SeriesList() const { return *seriesList_; }
    int32_t SeriesCount() const { return seriesList_->Count(); }
    // Index errors throw fw::EListError.
    TChartSeries& Series(int32_t index) const { return *seriesList_->Series(index); }
    // Puts series on this chart (after any series already there). Its owner
    // keeps it; a series that goes first leaves the chart by itself.
    void AddSeries(TChartSeries& series);
    // The same for a series the chart is to own and free.
    void AddSeries(std::unique_ptr<TChartSeries> series);
    // Takes series off the chart; nothing when it is not on it.
    void RemoveSeries(TChartSeries& series) override;
    // Takes every series off the chart, from the front, and frees those the
    // chart owns.
    void FreeAllSeries();
    // The largest point count of the active series; 0 without any.
    int32_t GetMaxValuesCount() const;
    // Widest point label (in the canvas font) of any series with labels.
    int32_t MaxTextWidth() override;
    // Widest mark text (in the canvas font) of the active series.
    int32_t MaxMarkWidth() override;
    // The first palette colour no series has (nor, with avoidBackground, the
    // panel and back wall), else the first palette entry.
    fw::TColor GetFreeSeriesColor(bool avoidBackground) const {
        return seriesList_->GetFreeSeriesColor(avoidBackground);
    }
    // The first active series on axis, or none.
    TChartSeries* GetAxisSeries(const TCustomChartAxis& axis) const;

    // ---- Axes ------------------------------------------------------------------------
    TChartAxis* BottomAxis() const override { return bottomAxis_.get(); }
    TChartAxis* TopAxis() const override { return topAxis_.get(); }
    TChartAxis* LeftAxis() const override { return leftAxis_.get(); }
    TChartAxis* RightAxis() const override { return rightAxis_.get(); }
    TChartDepthAxis* DepthAxis() const { return depthAxis_.get(); }
    // Bottom, top, left, right, depth: the order of every loop over the axes.
    const std::vector<TCustomChartAxis*>& AxesList() const override { return axes_; }
    bool IsAxisVisible(const TCustomChartAxis& axis) override;
    // The automatic range ends the series give an axis.
    double MinXValue(const TCustomChartAxis& axis);
    double MaxXValue(const TCustomChartAxis& axis);
    double MinYValue(const TCustomChartAxis& axis);
    double MaxYValue(const TCustomChartAxis& axis);

    // ---- Settings ----------------------------------------------------------------------
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value) { SetBooleanProperty(axisVisible_, value); }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value) { SetBooleanProperty(view3DWalls_, value); }
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value) { SetBooleanProperty(clipPoints_, value); }

    // ---- Paging ----------------------------------------------------------------------------
    int32_t Page() const override { return page_; }
    // Clamped to 1 ... NumPages; a new page repaints and fires OnPageChange.
    virtual void SetPage(int32_t value);
    int32_t MaxPointsPerPage() const override { return maxPointsPerPage_; }
    // ChartException below 0; a page past the new last page becomes the last.
    void SetMaxPointsPerPage(int32_t value);
    bool ScaleLastPage() const override { return scaleLastPage_; }
    void SetScaleLastPage(bool value) { SetBooleanProperty(scaleLastPage_, value); }
    int32_t NumPages() const;
    void NextPage() { SetPage(page_ + 1); }
    void PreviousPage() { SetPage(page_ - 1); }

    // ---- 3D depth bookkeeping ------------------------------------------------------------
    int32_t TopZOrder() const override { return topZOrder_; }
    void SetTopZOrder(int32_t value) override { topZOrder_ = value; }
    // The depth of one series slot (the same horizontally and vertically).
    int32_t SliceDepth() const { return sliceDepth_; }

    // ---- Overlays ----------------------------------------------------------------------------
    // Overlays are drawn and offered presses in the order added; the chart
    // only lists them, their owner removes them before they go.
    void AddOverlay(TChartOverlay& overlay);
    void RemoveOverlay(TChartOverlay& overlay);
    const std::vector<TChartOverlay*>& Overlays() const { return overlays_; }

    // ---- Events ----------------------------------------------------------------------------
    TAxisPanelNotifyEvent OnBeforeDrawAxes;
    TAxisPanelNotifyEvent OnBeforeDrawSeries;
    TAxisPanelNotifyEvent OnAfterDraw;
    TAxisPanelNotifyEvent OnPageChange;

    // ---- What axes and series see of the panel ------------------------------------------------
    TChartCanvas3D& Canvas() override { return TCustomChartPanel::Canvas(); }
    void FontCanvas(fw::TFont& font) override { TCustomChartPanel::FontCanvas(font); }
    int32_t MultiLineTextWidth(const std::string& text, int32_t& numLines) override {
        return TCustomChartPanel::MultiLineTextWidth(text, numLines);
    }
    void CheckPenWidth(fw::TPen& pen) override { TCustomChartPanel::CheckPenWidth(pen); }
    bool IsPrinting() const override { return TCustomChartPanel::IsPrinting(); }
    fw::TColor Color() const override { return TCustomChartPanel::Color(); }
    fw::TRect PlotRect() const override { return TCustomChartPanel::PlotRect(); }
    bool View3D() const override { return TCustomChartPanel::View3D(); }
    int32_t TotalDepth() const override { return TCustomChartPanel::TotalDepth(); }
    bool IsLoadingLayout() const override { return IsLoading(); }
    void Invalidate() override { TCustomChartPanel::Invalidate(); }
    void Repaint() override { TCustomChartPanel::Repaint(); }
    bool IsBeingDestroyed() const override { return destroying_; }
    void InternalAddSeries(TChartSeries& series) override;

protected:
    TCustomAxisPanel();

    // The pipeline of one repaint inside rect (PanelBounds).
    void InternalDraw(const fw::TRect& rect) override;

    // Layout steps the chart level supplies, called in this order.
    virtual void DrawTitlesAndLegend() = 0;
    virtual void CalcAxisRect() = 0;
    virtual void CalcSeriesRect() = 0;
    virtual void DrawWalls() = 0;

    void SetSliceDepth(int32_t value) { sliceDepth_ = value; }
    // Marks the chart as being torn down: its series then ask for no repaint.
    void BeginDestruction();

private:
    void DrawAxes();
    // One active series in 2D, or a series with a depth slot of its own.
    void DrawSeries(TChartSeries& series);
    // In 3D, the group of active series sharing series' depth slot, drawn
    // point by point; series is the group's first member.
    void DrawSeriesGroup(TChartSeries& series);
    bool ClipSeries();
    int32_t PagesOfAxis(const TCustomChartAxis& axis) const;

    // Axes before the series list, so that the series list (which lets its
    // series go when destroyed) goes first.
    std::unique_ptr<TChartAxis> bottomAxis_;
    std::unique_ptr<TChartAxis> topAxis_;
    std::unique_ptr<TChartAxis> leftAxis_;
    std::unique_ptr<TChartAxis> rightAxis_;
    std::unique_ptr<TChartDepthAxis> depthAxis_;
    std::vector<TCustomChartAxis*> axes_;
    std::unique_ptr<TChartSeriesList> seriesList_;
    std::vector<std::unique_ptr<TChartSeries>> ownedSeries_;
    std::vector<TChartOverlay*> overlays_;

    bool axisVisible_ = true;
    bool view3DWalls_ = true;
    bool clipPoints_ = true;
    int32_t page_ = 1;
    bool scaleLastPage_ = true;
    int32_t maxPointsPerPage_ = 0;
    int32_t sliceDepth_ = 0;
    int32_t topZOrder_ = 0;
    bool destroying_ = false;
};

}  // namespace chart
