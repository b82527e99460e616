#pragma once
// The window's two charts and the three series the session plots into. The
// window asks only for the two chart widgets (to place them by its layout)
// and for the series as plot targets; everything chart-specific stays here.

#include <QWidget>

#include "chart/panel/CustomChart.h"
#include "chart/series/ChartSeries.h"
#include "framework/gui/window/ControlHost.h"
#include "framework/gui/window/DialogService.h"
#include "app/SeriesPlotSink.h"

namespace ui {

class MainCharts {
public:
    // Creates both charts in widgets that are children of window, all series
    // empty. A chart's errors are shown through dialogs.
    MainCharts(QWidget& window, fw::DialogService& dialogs);
    MainCharts(const MainCharts&) = delete;
    MainCharts& operator=(const MainCharts&) = delete;

    QWidget& Chart1() const { return *host1_; }  // upper: signal and reconstruction
    QWidget& Chart2() const { return *host2_; }  // lower: the viewed level
    chart::TChart& Chart1Control() { return chart1_; }
    chart::TChart& Chart2Control() { return chart2_; }
    const chart::TChart& Chart1Control() const { return chart1_; }
    const chart::TChart& Chart2Control() const { return chart2_; }

    SeriesPlotSink& Series1() { return plot1_; }  // signal plot, on Chart1
    SeriesPlotSink& Series2() { return plot2_; }  // reconstruction plot, on Chart1
    SeriesPlotSink& Series3() { return plot3_; }  // view plot, on Chart2
    const SeriesPlotSink& Series1() const { return plot1_; }
    const SeriesPlotSink& Series2() const { return plot2_; }
    const SeriesPlotSink& Series3() const { return plot3_; }

private:
    fw::ControlHost* host1_;  // owned by the window, as its children
    fw::ControlHost* host2_;
    // The charts before their series: a series leaves its chart when it goes.
    chart::TChart chart1_;
    chart::TChart chart2_;
    chart::TChartSeries series1_;
    chart::TChartSeries series2_;
    chart::TChartSeries series3_;
    SeriesPlotSink plot1_{series1_};
    SeriesPlotSink plot2_{series2_};
    SeriesPlotSink plot3_{series3_};
};

}  // namespace ui
