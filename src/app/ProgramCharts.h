#pragma once
// The program's two charts and the three series the session plots into, with
// the stored properties the window shows them with. They are plain chart
// objects: the window hosts them in widgets, the batch command and the tests
// draw them off-screen.

#include <string>

#include "app/SeriesPlotSink.h"
#include "chart/Chart.h"
#include "chart/ChartEngine.h"
#include "chart/Series.h"
#include "framework/core/Geometry.h"

namespace app {

class ProgramCharts {
public:
    // Both charts with their series listed, all series empty, no host.
    ProgramCharts();
    ~ProgramCharts();
    ProgramCharts(const ProgramCharts&) = delete;
    ProgramCharts& operator=(const ProgramCharts&) = delete;

    chart::TChart& Chart1() { return chart1_; }  // upper: signal and reconstruction
    chart::TChart& Chart2() { return chart2_; }  // lower: the viewed level
    const chart::TChart& Chart1() const { return chart1_; }
    const chart::TChart& Chart2() const { return chart2_; }

    SeriesPlotSink& Series1() { return plot1_; }  // signal plot, on Chart1
    SeriesPlotSink& Series2() { return plot2_; }  // reconstruction plot, on Chart1
    SeriesPlotSink& Series3() { return plot3_; }  // view plot, on Chart2
    const SeriesPlotSink& Series1() const { return plot1_; }
    const SeriesPlotSink& Series2() const { return plot2_; }
    const SeriesPlotSink& Series3() const { return plot3_; }

    // The fast line series behind the three plots.
    chart::TFastLineSeries& SignalLine() { return series1_; }
    chart::TFastLineSeries& ReconstructionLine() { return series2_; }
    chart::TFastLineSeries& ViewLine() { return series3_; }

    // The signal rebuilt as if the viewed level were thresholded at the
    // lines' T, drawn over the others on Chart1 while it is shown; otherwise
    // Chart1 does not list it, so it looks and counts as it always did.
    SeriesPlotSink& Preview() { return plotPreview_; }
    chart::TFastLineSeries& PreviewLine() { return preview_; }
    const SeriesPlotSink& Preview() const { return plotPreview_; }
    void ShowPreview(bool shown);
    bool PreviewShown() const { return preview_.ParentChart() != nullptr; }
    // Signal minus reconstruction, in grey on Chart2 while shown (Chart2 is
    // empty after a reconstruction); otherwise Chart2 does not list it.
    SeriesPlotSink& Residual() { return plotResidual_; }
    const SeriesPlotSink& Residual() const { return plotResidual_; }
    void ShowResidual(bool shown);
    bool ResidualShown() const { return residual_.ParentChart() != nullptr; }
    // The lines at +T and -T over the viewed level on Chart2 (hidden at start).
    chart::TThresholdLines& ThresholdLines() { return thresholdLines_; }
    const chart::TThresholdLines& ThresholdLines() const { return thresholdLines_; }

    // Cursors A and B on Chart1, which measure the stretch between them
    // (hidden at start).
    chart::TCursors& Cursors() { return cursors_; }
    const chart::TCursors& Cursors() const { return cursors_; }

    // The samples an imported signal was extended by, shaded on Chart1
    // (hidden at start).
    chart::TShadedRange& ExtensionShade() { return extensionShade_; }
    const chart::TShadedRange& ExtensionShade() const { return extensionShade_; }

    // Takes each chart that a zoom or scroll moved back to its view before
    // the first one, so that what it plots next is shown whole.
    void UndoZooms();

    // The stored properties both charts share: a white panel, a clear back
    // wall, one empty title line, no legend, flat.
    static void SetUpChart(chart::TCustomChart& chart);

    // A legend naming the curves and the axis titles "sample" and "value" on
    // both charts; off at start, so the charts keep their stored look.
    void ShowLegendAndAxisTitles(bool shown);
    // The name the legend gives the viewed level's curve.
    void SetViewTitle(const std::string& title) { series3_.SetTitle(title); }

    // Where the charts sit in the window (left, top, right, bottom).
    static constexpr fw::TRect Chart1Bounds = fw::Rect(0, 0, 697, 300);
    static constexpr fw::TRect Chart2Bounds = fw::Rect(0, 304, 697, 604);

private:
    // The charts before their series: a series leaves its chart when it goes.
    chart::TChart chart1_;
    chart::TChart chart2_;
    chart::TFastLineSeries series1_;
    chart::TFastLineSeries series2_;
    chart::TFastLineSeries series3_;
    chart::TFastLineSeries preview_;
    chart::TFastLineSeries residual_;
    SeriesPlotSink plot1_{series1_};
    SeriesPlotSink plot2_{series2_};
    SeriesPlotSink plot3_{series3_};
    SeriesPlotSink plotPreview_{preview_};
    SeriesPlotSink plotResidual_{residual_};
    chart::TThresholdLines thresholdLines_{chart2_};
    chart::TShadedRange extensionShade_{chart1_};
    chart::TCursors cursors_{chart1_};
};

}  // namespace app
