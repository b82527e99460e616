#include "app/ProgramCharts.h"

#include <string>
#include <string_view>

#include "chart/ChartClasses.h"

namespace app {
namespace {

constexpr fw::TColor kSignalColour = 0x00804000;  // RGB (0, 64, 128), dark blue

void SetUpNamedChart(chart::TChart& chart, std::string_view name, const fw::TRect& bounds) {
    chart.SetName(std::string(name));
    chart.SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    ProgramCharts::SetUpChart(chart);
}

// The series colour also colours the line pen, so both stay equal.
void SetUpSeries(chart::TFastLineSeries& series, std::string_view name, fw::TColor colour) {
    series.SetName(std::string(name));
    series.SetSeriesColor(colour);
    series.LinePen().SetWidth(2);
    series.Marks().SetVisible(false);
    series.Marks().SetArrowLength(8);
    series.XValues().SetName("X");
    series.XValues().SetOrder(chart::loAscending);
    series.YValues().SetName("Y");
    series.YValues().SetOrder(chart::loNone);
}

}  // namespace

void ProgramCharts::SetUpChart(chart::TCustomChart& chart) {
    chart.SetColor(fw::clWhite);
    chart.BackWall().Brush().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetStyle(fw::bsClear);
    chart.Title().SetText({""});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
}

ProgramCharts::ProgramCharts() {
    chart::RegisterChartClasses();

    SetUpNamedChart(chart1_, "Chart1", Chart1Bounds);
    chart1_.Gradient().SetEndColor(fw::clWhite);
    SetUpNamedChart(chart2_, "Chart2", Chart2Bounds);

    SetUpSeries(series1_, "Series1", kSignalColour);
    SetUpSeries(series2_, "Series2", fw::clRed);
    SetUpSeries(series3_, "Series3", fw::clGreen);
    // Listed in drawing order: the reconstruction lies over the signal.
    chart1_.AddSeries(series1_);
    chart1_.AddSeries(series2_);
    chart2_.AddSeries(series3_);
    SetUpSeries(preview_, "Preview", chart::TThresholdLines::kLineColour);
    SetUpSeries(residual_, "Residual", fw::clGray);
    chart2_.AddOverlay(thresholdLines_);
    chart1_.AddOverlay(extensionShade_);
    chart1_.AddOverlay(cursors_);

    series1_.SetTitle("Signal");
    series2_.SetTitle("Reconstruction");
    preview_.SetTitle("Preview");
    residual_.SetTitle("Residual");

    chart1_.Loaded();
    chart2_.Loaded();
}

void ProgramCharts::ShowPreview(bool shown) {
    if (shown == PreviewShown()) return;
    if (shown) {
        chart1_.AddSeries(preview_);
    } else {
        chart1_.RemoveSeries(preview_);
    }
}

void ProgramCharts::ShowResidual(bool shown) {
    if (shown == ResidualShown()) return;
    if (shown) {
        chart2_.AddSeries(residual_);
    } else {
        chart2_.RemoveSeries(residual_);
    }
}

ProgramCharts::~ProgramCharts() {
    chart2_.RemoveOverlay(thresholdLines_);
    chart1_.RemoveOverlay(extensionShade_);
    chart1_.RemoveOverlay(cursors_);
}

void ProgramCharts::ShowLegendAndAxisTitles(bool shown) {
    for (chart::TChart* chart : {&chart1_, &chart2_}) {
        chart->Legend().SetVisible(shown);
        chart->BottomAxis()->Title().SetCaption(shown ? "sample" : "");
        chart->LeftAxis()->Title().SetCaption(shown ? "value" : "");
    }
}

void ProgramCharts::UndoZooms() {
    for (chart::TChart* c : {&chart1_, &chart2_}) {
        if (c->Zoomed() || !c->ScalesOriginal()) c->UndoZoom();
    }
}

}  // namespace app
