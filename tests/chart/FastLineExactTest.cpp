// The fast line series' reduction against its point-by-point walk: generated
// series drawn both ways on a real chart must give the same picture, pixel
// for pixel, and the same hit test answers; and the block summary of the Y
// values must stay true through every kind of data change.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>
#include <memory>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "ChartTestHost.h"
#include "chart/Series.h"

namespace chart::testing {
namespace {

enum Shape { RandomWalk, Noise, Spikes, ConstantRuns, Alternating, PixelBoundaries, FarOutside, ShapeCount };

const char* ShapeName(int shape) {
    static const char* names[] = {"walk", "noise", "spikes", "runs", "alternating", "boundaries", "far"};
    return names[shape];
}

std::vector<double> Generate(int shape, int n, std::mt19937& rng) {
    std::normal_distribution<double> normal(0, 1);
    std::uniform_real_distribution<double> uniform(-100, 100);
    std::vector<double> v(static_cast<std::size_t>(n));
    double level = 0;
    for (int i = 0; i < n; ++i) {
        double& y = v[static_cast<std::size_t>(i)];
        switch (shape) {
        case RandomWalk: y = level += normal(rng); break;
        case Noise: y = uniform(rng); break;
        case Spikes: y = rng() % 997 == 0 ? uniform(rng) * 50 : normal(rng) * 0.01; break;
        case ConstantRuns:
            if (rng() % 5000 == 0) level = std::round(uniform(rng));
            y = level;
            break;
        case Alternating: y = i % 2 ? 100 : -100; break;
        // The left axis is set to -100 ... 100 over the plot: these fall on
        // half pixels, where the rounding decides.
        case PixelBoundaries: y = -100 + (static_cast<int>(rng() % 200) + 0.5) * 200.0 / 200; break;
        case FarOutside: y = rng() % 50 == 0 ? uniform(rng) * 1e5 : uniform(rng); break;
        }
    }
    return v;
}

QImage Diff(const QImage& a, const QImage& b) {
    QImage diff = a;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            diff.setPixel(x, y, a.pixel(x, y) == b.pixel(x, y) ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
    return diff;
}

class FastLineExactTest : public ::testing::Test {
protected:
    FastLineExactTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.SetHost(&host);
        chart.AddSeries(series);
        series.SetSeriesColor(0x00804000);
    }

    const QImage& Paint() {
        chart.Invalidate();
        host.Paint();
        return host.Image();
    }

    OffscreenHost host;
    TChart chart;
    TFastLineSeries series;
};

TEST_F(FastLineExactTest, TheReductionDrawsTheWalksPixels) {
    std::mt19937 rng(20240611);
    const int sizes[] = {1, 2, 3, 7, 40, 300, 697, 2000, 15000, 100000, 1000000};
    int cases = 0;
    for (int c = 0; c < 300; ++c) {
        const int shape = c % ShapeCount;
        int n = sizes[(c / ShapeCount) % std::size(sizes)];
        // The walk is slow under the sanitizers: a few long series suffice.
        if (n == 1000000 && (c >= ShapeCount * static_cast<int>(std::size(sizes)) || shape > Noise)) n = 100000;
        const std::vector<double> ys = Generate(shape, n, rng);
        series.Clear();
        // Every third series has uneven X steps: runs of equal X, gaps of
        // many pixels, so columns vary in width from one to the next.
        const bool unevenX = c % 3 == 2 && n <= 100000;
        if (unevenX) {
            double x = 0;
            for (const double y : ys) {
                series.AddXY(x, y);
                x += rng() % 2000 == 0 ? 5000.0 : rng() % 4 == 0 ? 0.0 : 1.0;
            }
        } else if (c % 4 == 1) {
            // A shared block drawn once, then rewritten in place with these
            // values: the summary must follow the new ones.
            std::shared_ptr<double[]> block(new double[static_cast<std::size_t>(n)]);
            const std::vector<double> before = Generate((shape + 1) % ShapeCount, n, rng);
            std::copy(before.begin(), before.end(), block.get());
            series.AddArrayShared(block, n - 1);
            Paint();
            std::copy(ys.begin(), ys.end(), block.get());
            series.SharedValuesRewritten();
        } else {
            series.AddArray(ys.data(), n - 1);
        }

        const bool zoomed = rng() % 3 == 0;
        const bool inverted = rng() % 4 == 0;
        const int width = 1 + static_cast<int>(rng() % 2);
        chart.BottomAxis()->SetAutomatic(true);
        if (zoomed) {
            const double span = series.XValues().Value(n - 1) - series.XValues().Value(0);
            chart.BottomAxis()->SetMinMax(span * 0.21 - 0.3, span * 0.73 + 0.4);
        }
        chart.LeftAxis()->SetAutomatic(true);
        if (shape == PixelBoundaries || shape == FarOutside) chart.LeftAxis()->SetMinMax(-100, 100);
        chart.LeftAxis()->SetInverted(inverted);
        chart.BottomAxis()->SetInverted(rng() % 5 == 0);
        series.LinePen().SetWidth(width);

        const std::string what = std::string(ShapeName(shape)) + " n=" + std::to_string(n) +
                                 (unevenX ? " uneven X" : "") + (zoomed ? " zoomed" : "") +
                                 (inverted ? " inverted" : "") + " width " + std::to_string(width);
        series.SetFastPath(true);
        const int64_t fastBefore = series.FastPaints();
        const QImage fast = Paint().copy();
        ASSERT_EQ(series.FastPaints(), fastBefore + 1) << "the reduction did not run: " << what;
        series.SetFastPath(false);
        const QImage walk = Paint().copy();
        ++cases;
        if (fast != walk) {
            const std::string base = std::string(QUELMAR_BINARY_DIR) + "/fastline_case" + std::to_string(c);
            fast.save(QString::fromStdString(base + "_fast.png"));
            walk.save(QString::fromStdString(base + "_walk.png"));
            Diff(fast, walk).save(QString::fromStdString(base + "_diff.png"));
            ADD_FAILURE() << "pictures differ for case " << c << " (" << what << "); images at " << base << "_*.png";
        }

        // The hit test near the line, both ways.
        if (series.FirstVisibleIndex() < 0) continue;
        const fw::TRect plot = chart.PlotRect();
        const int probes = n > 20000 ? 2 : 12;
        for (int probe = 0; probe < probes; ++probe) {
            const int32_t i =
                series.FirstVisibleIndex() + static_cast<int32_t>(rng() % static_cast<uint32_t>(series.VisibleCount()));
            const int32_t x = probe % 3 ? series.CalcXPos(i) + static_cast<int32_t>(rng() % 3) - 1
                                        : plot.Left + static_cast<int32_t>(rng() % 600);
            const int32_t y = series.CalcYPos(i) + static_cast<int32_t>(rng() % 5) - 2;
            series.SetFastPath(false);
            const int32_t expected = series.Clicked(x, y);
            series.SetFastPath(true);
            ASSERT_EQ(series.Clicked(x, y), expected) << "hit test at " << x << "," << y << " for " << what;
        }
    }
    EXPECT_EQ(cases, 300);
}

TEST_F(FastLineExactTest, TheWalkIsKeptWhereTheReductionIsNotShownExact) {
    const std::vector<double> ys{1, 5, 2, 8, 3, 9, 4};
    series.AddArray(ys.data(), static_cast<int32_t>(ys.size() - 1));
    struct Case {
        const char* name;
        std::function<void()> set, undo;
    };
    const Case cases[] = {
        {"3D", [&] { chart.SetView3D(true); }, [&] { chart.SetView3D(false); }},
        {"xor pen", [&] { series.LinePen().SetMode(fw::pmNotXor); }, [&] { series.LinePen().SetMode(fw::pmCopy); }},
        {"dashed pen", [&] { series.LinePen().SetStyle(fw::psDash); }, [&] { series.LinePen().SetStyle(fw::psSolid); }},
        {"wide pen", [&] { series.LinePen().SetWidth(3); }, [&] { series.LinePen().SetWidth(1); }},
        {"X out of order", [&] { series.SetXValue(3, 0.5); }, [&] { series.SetXValue(3, 3); }},
        {"NaN value", [&] { series.SetYValue(2, std::nan("")); }, [&] { series.SetYValue(2, 2); }},
        {"value beyond the pixels",
         [&] {
             chart.LeftAxis()->SetMinMax(0, 10);
             series.SetYValue(2, 1e300);
         },
         [&] {
             series.SetYValue(2, 2);
             chart.LeftAxis()->SetAutomatic(true);
         }},
    };
    for (const Case& c : cases) {
        c.set();
        int64_t before = series.FastPaints();
        Paint();
        EXPECT_EQ(series.FastPaints(), before) << "the reduction ran with " << c.name;
        c.undo();
        before = series.FastPaints();
        Paint();
        EXPECT_EQ(series.FastPaints(), before + 1) << "the reduction did not run after " << c.name;
    }
}

// Min, max and the first index at or below a value, by brute force.
void ExpectSummaryTrue(const TFastLineSeries& s, std::mt19937& rng, const std::string& after) {
    const TValueBlockSummary& summary = s.YSummary();
    const int32_t n = s.Count();
    for (int q = 0; q < 60 && n > 0; ++q) {
        int32_t lo = static_cast<int32_t>(rng() % static_cast<uint32_t>(n));
        int32_t hi = static_cast<int32_t>(rng() % static_cast<uint32_t>(n));
        if (lo > hi) std::swap(lo, hi);
        double mn = s.YValues().RawValue(lo), mx = mn;
        for (int32_t i = lo; i <= hi; ++i) {
            mn = std::min(mn, s.YValues().RawValue(i));
            mx = std::max(mx, s.YValues().RawValue(i));
        }
        const TValueBounds b = summary.Bounds(lo, hi);
        ASSERT_EQ(b.Min, mn) << after << " range " << lo << "-" << hi;
        ASSERT_EQ(b.Max, mx) << after << " range " << lo << "-" << hi;
        const double threshold = (mn + mx) / 2;
        int32_t first = -1, last = -1;
        for (int32_t i = lo; i <= hi; ++i) {
            if (s.YValues().RawValue(i) <= threshold) {
                if (first < 0) first = i;
                last = i;
            }
        }
        const auto atMost = [&](double low, double) { return low <= threshold; };
        ASSERT_EQ(summary.FindFirst(lo, hi, atMost), first) << after;
        ASSERT_EQ(summary.FindLast(lo, hi, atMost), last) << after;
    }
}

TEST(FastLineSummary, StaysTrueThroughEveryDataChange) {
    std::mt19937 rng(7);
    TFastLineSeries s;
    std::vector<double> values = Generate(RandomWalk, 20000, rng);
    s.AddArray(values.data(), static_cast<int32_t>(values.size() - 1));
    ExpectSummaryTrue(s, rng, "AddArray");
    for (int i = 0; i < 1000; ++i) s.AddY(std::sin(i) * 1e3);
    ExpectSummaryTrue(s, rng, "AddY");
    s.AddArray(values.data(), 5000);
    ExpectSummaryTrue(s, rng, "a second AddArray");
    for (int i = 0; i < 50; ++i) s.Delete(static_cast<int32_t>(rng() % static_cast<uint32_t>(s.Count())));
    ExpectSummaryTrue(s, rng, "Delete");
    for (int i = 0; i < 50; ++i)
        s.SetYValue(static_cast<int32_t>(rng() % static_cast<uint32_t>(s.Count())), (i % 2 ? 1 : -1) * 1e6);
    ExpectSummaryTrue(s, rng, "SetYValue");
    s.YValues().SetValue(s.Count() - 1, -2e6);
    ExpectSummaryTrue(s, rng, "a value set through the list");
    s.Clear();
    ExpectSummaryTrue(s, rng, "Clear");
    std::shared_ptr<double[]> block(new double[values.size()]);
    std::copy(values.begin(), values.end(), block.get());
    s.AddArrayShared(block, static_cast<int32_t>(values.size() - 1));
    ExpectSummaryTrue(s, rng, "AddArrayShared");
    for (std::size_t i = 0; i < values.size(); i += 1 + rng() % 64) block[i] = -values[i] * 3;
    s.SharedValuesRewritten();
    ExpectSummaryTrue(s, rng, "a shared block rewritten in place");
    s.Clear();
    s.AddArray(values.data(), 999);
    ExpectSummaryTrue(s, rng, "AddArray after Clear");
    // Long enough to be summarised in two halves at once.
    const std::vector<double> walk = Generate(RandomWalk, 600001, rng);
    std::shared_ptr<double[]> longBlock(new double[walk.size()]);
    std::copy(walk.begin(), walk.end(), longBlock.get());
    s.Clear();
    s.AddArrayShared(longBlock, static_cast<int32_t>(walk.size() - 1));
    ExpectSummaryTrue(s, rng, "a long shared block");
    EXPECT_TRUE(s.YSummary().AllFinite());
    longBlock[500000] = std::nan("");
    s.SharedValuesRewritten();
    EXPECT_FALSE(s.YSummary().AllFinite()) << "a NaN in the second half";
}

}  // namespace
}  // namespace chart::testing
