#pragma once
// The chart control: TCustomChart adds the title and foot bands, the legend
// and the three walls, lays out the plot rectangle on every repaint (the
// bands, the axes' room, the walls) and zooms and scrolls with the mouse.
// TChart is the class a window layout creates.

#include <memory>
#include <string>

#include "chart/panel/ChartClickedPart.h"
#include "chart/panel/ChartMouseEvents.h"
#include "chart/panel/CustomAxisPanel.h"
#include "chart/panel/ZoomScales.h"
#include "chart/style/ChartLegend.h"
#include "chart/style/ChartTitle.h"
#include "chart/style/ChartWall.h"

namespace chart {

class TCustomChart : public TCustomAxisPanel {
public:
    ~TCustomChart() override;
    void Assign(const TCustomChartPanel& source) override;

    TChartTitle& Title() const { return *title_; }
    void SetTitle(const TChartTitle& value) { title_->Assign(value); }
    TChartTitle& Foot() const { return *foot_; }
    void SetFoot(const TChartTitle& value) { foot_->Assign(value); }
    TChartLegend& Legend() const { return *legend_; }
    void SetLegend(const TChartLegend& value) { legend_->Assign(value); }
    TChartWall& BackWall() const { return *backWall_; }
    void SetBackWall(const TChartWall& value) { backWall_->Assign(value); }
    TChartWall& LeftWall() const { return *leftWall_; }
    void SetLeftWall(const TChartWall& value) { leftWall_->Assign(value); }
    TChartWall& BottomWall() const { return *bottomWall_; }
    void SetBottomWall(const TChartWall& value) { bottomWall_->Assign(value); }
    // The back wall's pen.
    TChartPen& Frame() const { return backWall_->Pen(); }
    void SetFrame(const fw::TPen& value) { backWall_->SetPen(value); }
    // The back wall's colour. Set on a chart in a window (and not while a
    // layout is read), it also makes the back wall's brush solid.
    fw::TColor BackColor() const { return backWall_->Color(); }
    void SetBackColor(fw::TColor value);
    // The back image fills the plot rectangle rather than the whole panel.
    bool BackImageInside() const { return backImageInside_; }
    void SetBackImageInside(bool value) { SetBooleanProperty(backImageInside_, value); }

    // False when a series has the colour already, or (avoidBackground) the
    // colour is the panel's or the back wall's.
    bool IsFreeSeriesColor(fw::TColor color, bool avoidBackground) const override;
    // The wall thickness beside the left or bottom axis in 3D; 0 otherwise.
    int32_t CalcWallSize(const TCustomChartAxis& axis) override;

    // ---- Mouse zoom and scroll ---------------------------------------------------------
    // No zoom or scroll happened since creation or the last undo.
    bool ScalesOriginal() const { return scalesOriginal_; }
    // The axes' settings before the first zoom or scroll since the last undo.
    const TAllAxisSavedScales& SavedScales() const { return savedScales_; }
    bool ClickHandled() const override { return clickHandled_; }
    void SetClickHandled(bool value) override { clickHandled_ = value; }
    // What lies under pos: series, axis, title, foot, plot, legend, in that order.
    void CalcClickedPart(fw::TPoint pos, TChartClickedPart& part);
    // Zooms the four axes to ZoomState's rectangle.
    virtual void CalcZoomPoints();
    void ZoomRect(const fw::TRect& rect);
    // Sets the four axes' ranges, in animated steps when AnimatedZoom.
    void DoZoom(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin, double leftMax,
                double rightMin, double rightMax);
    // Narrows (above 100) or widens (below 100) every axis around its centre.
    void ZoomPercent(double percent);
    // Puts the axes back as they were before the first zoom or scroll.
    void UndoZoom() override;
    void SaveScales(TAllAxisSavedScales& scales) const;
    void RestoreScales(const TAllAxisSavedScales& scales);
    // Narrows the axes by ChartWheelZoomFactor a notch (widens for negative
    // notches) around the values at pixel (x, y); horizontalOnly leaves the
    // vertical axes as they are. Nothing outside the plot or without an
    // active series.
    void WheelZoom(int32_t x, int32_t y, double notches, bool horizontalOnly);
    // The bottom and left axis values at a pixel of the plot, as their labels
    // write them (with enough decimals to tell neighbouring pixels apart);
    // empty outside the plot, without an active series or during a drag.
    std::string ValuesText(int32_t x, int32_t y);

    TChartNotifyEvent OnZoom;
    TChartNotifyEvent OnScroll;
    TChartAllowScrollEvent OnAllowScroll;
    TChartClickSeriesEvent OnClickSeries;
    TChartClickAxisEvent OnClickAxis;
    TChartClickEvent OnClickLegend;
    TChartClickEvent OnClickBackground;

    // ---- The window's side: wheel, keys and tooltip --------------------------------------
    void HostMouseWheel(fw::TShiftState shift, int32_t x, int32_t y, double notches) override;
    // Escape ends a zoom drag without zooming, Backspace undoes the zoom.
    bool HostKeyDown(fw::TKey key, fw::TShiftState shift) override;
    std::string HostToolTip(int32_t x, int32_t y) override { return ValuesText(x, y); }

protected:
    TCustomChart();

    void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;
    void MouseMove(fw::TShiftState shift, int32_t x, int32_t y) override;
    void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;

    void DrawTitlesAndLegend() override;
    void CalcAxisRect() override;
    void CalcSeriesRect() override;
    void DrawWalls() override;
    void DrawImage(const fw::TRect& rect) override;

private:
    // The title (onTop) or foot band, cut from the plot rectangle.
    void DrawTitleBand(TChartTitle& title, bool onTop);
    void DrawTitles();
    // A framed list of the series titles with their colours, cut from the
    // plot rectangle on the legend's side.
    void DrawLegend();
    // The canvas pen and brush for a wall.
    void PrepareWall(const TChartWall& wall);
    // A zoom or scroll drag starting at (x, y), when the button, the keys
    // and the settings allow one.
    void TryDragStart(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y, bool& handled);
    void BackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y, bool& handled);
    // The scroll drag's step to (x, y); the drag ends when the mouse left the plot.
    void ScrollTo(int32_t x, int32_t y);
    // Moves axis by the value span between pixels from and to.
    void ScrollAxis(TCustomChartAxis& axis, int32_t from, int32_t to);
    // Hover: the cursor of the series under the mouse, and its move event.
    void HoverSeries(fw::TShiftState shift, int32_t x, int32_t y);
    // Offers the press to the overlays, last added first; true when one took it.
    bool OverlayPress(fw::TMouseButton button, int32_t x, int32_t y);
    // Keeps the axes' settings once per undo, before they first change.
    void SaveScalesOnce();

    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartLegend> legend_;
    std::unique_ptr<TChartWall> backWall_;
    std::unique_ptr<TChartWall> leftWall_;
    std::unique_ptr<TChartWall> bottomWall_;
    bool backImageInside_ = false;
    TAllAxisSavedScales savedScales_;
    bool scalesOriginal_ = true;
    bool clickHandled_ = false;
    TChartOverlay* overlayDrag_ = nullptr;  // the overlay whose drag is under way
};

class TChart : public TCustomChart {
public:
    TChart() = default;
    std::string ClassName() const override { return "TChart"; }
};

}  // namespace chart
