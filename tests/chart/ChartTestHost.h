#pragma once
// What the chart tests put around a chart: a window played by an off-screen
// image (counting repaint requests and painting synchronously on demand), a
// chart that logs the steps of its repaint, series that count their calls,
// and pixel checks that write the image and a diff image when they fail.

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "app/ProgramCharts.h"
#include "chart/Chart.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"
#include "framework/gui/paint/Canvas.h"
#include "framework/gui/window/HostedControl.h"
#include "PixelChecks.h"

namespace chart::testing {

class OffscreenHost : public fw::IControlHost {
public:
    OffscreenHost(int32_t width, int32_t height) : window(width, height, QImage::Format_RGB32) {
        window.fill(Qt::black);
        canvas.Surface().BindImage(&window);
    }
    ~OffscreenHost() {
        canvas.Surface().Unbind();
        if (control) control->HostDestroyed();
    }

    void SetControl(fw::IHostedControl* value) override { control = value; }
    void InvalidateControl() override { ++invalidations; }
    void RepaintControl() override { Paint(); }
    fw::TPoint ClientSize() const override { return {window.width(), window.height()}; }
    fw::TCanvas& WindowCanvas() override { return canvas; }
    void UpdateWindow() override { ++updates; }
    fw::TCursor Cursor() const override { return cursor; }
    void SetCursor(fw::TCursor value) override { cursor = value; }

    // What the window system does for a pending repaint.
    void Paint() {
        if (control) control->HostPaint();
    }
    // The window as the user sees it.
    const QImage& Image() {
        canvas.Surface().Flush();
        return window;
    }
    fw::TColor Pixel(int32_t x, int32_t y) {
        const QRgb p = Image().pixel(x, y);
        return fw::RGBColor(qRed(p), qGreen(p), qBlue(p));
    }

    QImage window;
    fw::TCanvas canvas;
    fw::IHostedControl* control = nullptr;
    int invalidations = 0;
    int updates = 0;
    fw::TCursor cursor = fw::crDefault;
};

// A chart that records the steps of its repaint and the rectangles between
// them.
class LoggingChart : public TChart {
public:
    std::vector<std::string> log;
    fw::TRect plotBeforeTitles, plotAfterTitles, plotAfterAxes;

    void DrawTitlesAndLegend() override {
        plotBeforeTitles = PlotRect();
        log.push_back("titles");
        TChart::DrawTitlesAndLegend();
        plotAfterTitles = PlotRect();
    }
    void CalcAxisRect() override {
        log.push_back("axis rect");
        TChart::CalcAxisRect();
        plotAfterAxes = PlotRect();
    }
    void CalcSeriesRect() override {
        log.push_back("series rect");
        TChart::CalcSeriesRect();
    }
    void DrawWalls() override {
        log.push_back("walls");
        TChart::DrawWalls();
    }
    void PanelPaint(const fw::TRect& rect) override {
        log.push_back("panel");
        TChart::PanelPaint(rect);
    }
    // Calls the axes make into their chart while they measure and draw.
    int32_t CalcWallSize(const TCustomChartAxis& axis) override {
        ++axisCalls;
        return TChart::CalcWallSize(axis);
    }
    int32_t MultiLineTextWidth(const std::string& text, int32_t& numLines) override {
        ++axisCalls;
        return TChart::MultiLineTextWidth(text, numLines);
    }
    int axisCalls = 0;

    using TChart::ReCalcWidthHeight;
    using TChart::SetRepaintEnabled;
};

// A series that logs its hooks into a shared log and, for each point, draws
// a horizontal line across the whole panel at the point's pixel row.
class LoggingSeries : public TChartSeries {
public:
    LoggingSeries(std::string tag, std::vector<std::string>* sharedLog) : tag_(std::move(tag)), log_(sharedLog) {}

    void DoBeforeDrawChart() override { Log("before chart"); }
    void DoBeforeDrawValues() override {
        Log("before values");
        TChartSeries::DoBeforeDrawValues();
    }
    void DoAfterDrawValues() override {
        Log("after values");
        TChartSeries::DoAfterDrawValues();
    }
    void DrawValue(int32_t index) override {
        ++drawnValues;
        Log("value " + std::to_string(index));
        if (!drawLines) return;
        auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
        TChartCanvas3D& canvas = chart->Canvas();
        canvas.Pen().SetColor(SeriesColor());
        canvas.Pen().SetStyle(fw::psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetMode(fw::pmCopy);
        canvas.Line(0, CalcYPos(index), chart->Width(), CalcYPos(index));
    }

    int drawnValues = 0;
    bool drawLines = false;

private:
    void Log(const std::string& what) {
        if (log_) log_->push_back(tag_ + " " + what);
    }
    std::string tag_;
    std::vector<std::string>* log_;
};

// The program's upper chart as the chart tests' panel: its stored properties
// and size, at the window's origin.
inline void SetUpAsProgramChart(TCustomChart& chart) {
    app::ProgramCharts::SetUpChart(chart);
    const fw::TRect& bounds = app::ProgramCharts::Chart1Bounds;
    chart.SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

}  // namespace chart::testing
