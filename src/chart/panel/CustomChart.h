#pragma once
// The chart control: TCustomChart adds the title and foot bands, the legend
// and the three walls, and lays out the plot rectangle on every repaint (the
// bands, the axes' room, the walls). TChart is the class a window layout
// creates.

#include <memory>
#include <string>

#include "chart/panel/CustomAxisPanel.h"
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

protected:
    TCustomChart();

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

    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartLegend> legend_;
    std::unique_ptr<TChartWall> backWall_;
    std::unique_ptr<TChartWall> leftWall_;
    std::unique_ptr<TChartWall> bottomWall_;
    bool backImageInside_ = false;
};

class TChart : public TCustomChart {
public:
    TChart() = default;
    std::string ClassName() const override { return "TChart"; }
};

}  // namespace chart
