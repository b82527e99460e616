#include "app/ProgramCharts.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "chart/ChartClasses.h"
#include "framework/gui/window/EventDispatch.h"
#include "ui/MainWindowLayout.h"

namespace ui {
namespace {

constexpr fw::TColor kSignalColour = 0x00804000;  // RGB (0, 64, 128), dark blue

const ControlLayout& LayoutRow(std::string_view name) {
    for (const ControlLayout& row : kMainWindowControls) {
        if (row.Name == name) return row;
    }
    throw std::logic_error("the window layout has no row " + std::string(name));
}

// The stored properties both charts share: a white panel, a clear back wall,
// one empty title line, no legend, flat.
void SetUpChart(chart::TChart& chart, std::string_view name) {
    const ControlLayout& row = LayoutRow(name);
    chart.SetName(std::string(name));
    chart.SetBounds(row.Left, row.Top, row.Width, row.Height);
    chart.SetColor(fw::clWhite);
    chart.BackWall().Brush().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetStyle(fw::bsClear);
    chart.Title().SetText({""});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
}

void SetUpSeries(chart::TChartSeries& series, std::string_view name, fw::TColor colour) {
    series.SetName(std::string(name));
    series.SetSeriesColor(colour);
    series.Marks().SetVisible(false);
    series.Marks().SetArrowLength(8);
}

// What a chart throws while painting or handling the mouse goes to the error
// box, as any event handler's error does.
fw::TControlErrorHandler ErrorBox(fw::DialogService& dialogs) {
    return [&dialogs](const std::exception_ptr& error) { fw::ShowError(dialogs, error); };
}

}  // namespace

MainCharts::MainCharts(QWidget& window, fw::DialogService& dialogs)
    : host1_(new fw::ControlHost(&window, ErrorBox(dialogs))), host2_(new fw::ControlHost(&window, ErrorBox(dialogs))) {
    chart::RegisterChartClasses();

    SetUpChart(chart1_, "Chart1");
    chart1_.Gradient().SetEndColor(fw::clWhite);
    SetUpChart(chart2_, "Chart2");

    SetUpSeries(series1_, "Series1", kSignalColour);
    SetUpSeries(series2_, "Series2", fw::clRed);
    SetUpSeries(series3_, "Series3", fw::clGreen);
    // Listed in drawing order: the reconstruction lies over the signal.
    chart1_.AddSeries(series1_);
    chart1_.AddSeries(series2_);
    chart2_.AddSeries(series3_);

    chart1_.Loaded();
    chart2_.Loaded();
    chart1_.SetHost(host1_);
    chart2_.SetHost(host2_);
}

}  // namespace ui
