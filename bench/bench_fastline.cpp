// Repainting the program's upper chart with two fast line series of N
// random-walk points each (N = 2^k + 1), through the column reduction and
// through the point-by-point walk, and a hit test on a 2^24 + 1 point line.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <random>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/gui/paint/Canvas.h"
#include "framework/gui/window/HostedControl.h"

namespace {

// The window a chart paints into, played by an off-screen image.
class ImageHost : public fw::IControlHost {
public:
    ImageHost(int32_t width, int32_t height) : image(width, height, QImage::Format_RGB32) {
        canvas.Surface().BindImage(&image);
    }
    ~ImageHost() {
        canvas.Surface().Unbind();
        if (control) control->HostDestroyed();
    }
    void SetControl(fw::IHostedControl* value) override { control = value; }
    void InvalidateControl() override {}
    void RepaintControl() override { control->HostPaint(); }
    fw::TPoint ClientSize() const override { return {image.width(), image.height()}; }
    fw::TCanvas& WindowCanvas() override { return canvas; }
    void UpdateWindow() override {}
    fw::TCursor Cursor() const override { return fw::crDefault; }
    void SetCursor(fw::TCursor) override {}

    QImage image;
    fw::TCanvas canvas;
    fw::IHostedControl* control = nullptr;
};

// The stored properties of the program's Chart1 and its two series.
void SetUpUpperChart(chart::TChart& chart, chart::TFastLineSeries& signal, chart::TFastLineSeries& reconstruction) {
    chart.SetBounds(0, 0, 697, 300);
    chart.SetColor(fw::clWhite);
    chart.BackWall().Brush().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetStyle(fw::bsClear);
    chart.Title().SetText({""});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
    chart.Gradient().SetEndColor(fw::clWhite);
    const std::pair<chart::TFastLineSeries*, fw::TColor> series[] = {{&signal, 0x00804000}, {&reconstruction, fw::clRed}};
    for (const auto& [s, colour] : series) {
        s->SetSeriesColor(colour);
        s->LinePen().SetWidth(2);
        s->Marks().SetVisible(false);
        s->Marks().SetArrowLength(8);
        s->XValues().SetName("X");
        s->XValues().SetOrder(chart::loAscending);
        s->YValues().SetName("Y");
        s->YValues().SetOrder(chart::loNone);
        chart.AddSeries(*s);
    }
}

std::vector<double> RandomWalk(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> v(n);
    double level = 0;
    for (double& y : v) y = level += step(rng);
    return v;
}

struct UpperChart {
    explicit UpperChart(int k) : host(697, 300) {
        SetUpUpperChart(chart, signal, reconstruction);
        chart.SetHost(&host);
        const std::size_t n = (std::size_t{1} << k) + 1;
        const std::vector<double> a = RandomWalk(n, 1), b = RandomWalk(n, 2);
        signal.AddArray(a.data(), static_cast<int32_t>(n - 1));
        reconstruction.AddArray(b.data(), static_cast<int32_t>(n - 1));
    }
    void Repaint() {
        chart.Invalidate();
        host.RepaintControl();
    }
    ImageHost host;
    chart::TChart chart;
    chart::TFastLineSeries signal, reconstruction;
};

void RunRepaint(benchmark::State& state, bool fast) {
    UpperChart upper(static_cast<int>(state.range(0)));
    upper.signal.SetFastPath(fast);
    upper.reconstruction.SetFastPath(fast);
    upper.Repaint();  // axes scaled, summaries built
    const int64_t before = upper.signal.FastPaints();
    for (auto _ : state) {
        upper.Repaint();
        benchmark::ClobberMemory();
    }
    if (fast && upper.signal.FastPaints() == before) state.SkipWithError("the reduction did not run");
}

void BM_ChartRepaint(benchmark::State& state) { RunRepaint(state, true); }
void BM_ChartRepaintWalk(benchmark::State& state) { RunRepaint(state, false); }

void BM_FastLineClicked(benchmark::State& state) {
    UpperChart upper(static_cast<int>(state.range(0)));
    upper.Repaint();
    std::mt19937 rng(3);
    const fw::TRect plot = upper.chart.PlotRect();
    for (auto _ : state) {
        const int32_t x = plot.Left + static_cast<int32_t>(rng() % static_cast<uint32_t>(plot.Right - plot.Left));
        const int32_t y = plot.Top + static_cast<int32_t>(rng() % static_cast<uint32_t>(plot.Bottom - plot.Top));
        benchmark::DoNotOptimize(upper.signal.Clicked(x, y));
    }
}

BENCHMARK(BM_ChartRepaint)->Arg(10)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartRepaintWalk)->Arg(10)->Arg(16)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastLineClicked)->Arg(24)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
