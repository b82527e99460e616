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

#include "chart/Chart.h"
#include "chart/ChartCanvas3D.h"
#include "chart/ChartSeries.h"
#include "framework/gui/Canvas.h"
#include "framework/gui/HostedControl.h"

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

// The program's charts: a 697 x 300 white panel, a clear back wall, one
// empty title line, no legend, 2D.
inline void SetUpAsProgramChart(TCustomChart& chart) {
    chart.SetBounds(0, 0, 697, 300);
    chart.SetColor(fw::clWhite);
    chart.BackWall().Brush().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetStyle(fw::bsClear);
    chart.Title().SetText({""});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
}

// Pixel expectations on an image; on failure the image and a diff image
// (failed pixels red, passed green, over a faded copy) go to the build folder.
class PixelChecks {
public:
    PixelChecks(std::function<const QImage&()> image, std::string name)
        : image_(std::move(image)), name_(std::move(name)) {}
    ~PixelChecks() { Finish(); }
    PixelChecks(const PixelChecks&) = delete;
    PixelChecks& operator=(const PixelChecks&) = delete;

    void Is(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, true, what); }
    void IsNot(int32_t x, int32_t y, fw::TColor color, const std::string& what) { Check(x, y, color, false, what); }

    void Finish() {
        if (finished_) return;
        finished_ = true;
        bool failed = false;
        for (const Result& r : results_) failed = failed || !r.passed;
        if (!failed) return;
        const QImage image = image_().convertToFormat(QImage::Format_RGB32);
        QImage diff = image;
        for (int y = 0; y < diff.height(); ++y) {
            for (int x = 0; x < diff.width(); ++x) {
                const QRgb p = diff.pixel(x, y);
                diff.setPixel(x, y, qRgb(128 + qRed(p) / 2, 128 + qGreen(p) / 2, 128 + qBlue(p) / 2));
            }
        }
        for (const Result& r : results_) {
            if (r.x >= 0 && r.y >= 0 && r.x < diff.width() && r.y < diff.height())
                diff.setPixel(r.x, r.y, r.passed ? qRgb(0, 200, 0) : qRgb(255, 0, 0));
        }
        const std::string base = std::string(QUELMAR_BINARY_DIR) + "/chart_" + name_;
        image.save(QString::fromStdString(base + ".png"));
        diff.save(QString::fromStdString(base + "_diff.png"));
        ADD_FAILURE() << "pixel checks failed; image and diff written to " << base << ".png / _diff.png";
    }

private:
    struct Result {
        int32_t x, y;
        bool passed;
    };

    void Check(int32_t x, int32_t y, fw::TColor color, bool equal, const std::string& what) {
        const QImage& image = image_();
        fw::TColor got = fw::clNone;
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
            const QRgb p = image.pixel(x, y);
            got = fw::RGBColor(qRed(p), qGreen(p), qBlue(p));
        }
        const bool passed = (got == color) == equal;
        results_.push_back({x, y, passed});
        EXPECT_TRUE(passed) << what << " at (" << x << ", " << y << "): got 0x" << std::hex << got << ", "
                            << (equal ? "expected 0x" : "must not be 0x") << color << std::dec;
    }

    std::function<const QImage&()> image_;
    std::string name_;
    std::vector<Result> results_;
    bool finished_ = false;
};

}  // namespace chart::testing
