#pragma once
// A stand-in chart and axis for series tests: the axis maps values linearly
// onto a pixel span the way the chart's axes do (halves rounded to the even
// pixel, as the chart rounds them), the chart counts repaint
// requests and keeps a real series list.

#include <cmath>

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/ChartEngine.h"
#include "framework/core/Rounding.h"

namespace chart::testing {

class FakeAxis : public ISeriesAxis {
public:
    FakeAxis(bool horizontal, int32_t pixelStart, int32_t pixelEnd)
        : horizontal_(horizontal), pixelStart_(pixelStart), pixelEnd_(pixelEnd) {}

    void SetRange(double minimum, double maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    void SetInverted(bool inverted) { inverted_ = inverted; }

    bool IsHorizontal() const override { return horizontal_; }
    bool Inverted() const override { return inverted_; }
    int32_t CalcXPosValue(double value) const override { return Map(value, inverted_); }
    int32_t CalcYPosValue(double value) const override { return Map(value, !inverted_); }
    int32_t CalcSizeValue(double value) const override {
        return static_cast<int32_t>(fw::Round(value * (pixelEnd_ - pixelStart_) / (maximum_ - minimum_)));
    }
    // Rounding keeps the order of values whose pixels fit.
    bool MapsInOrder(double lo, double hi) const override {
        const auto fits = [&](double v) {
            return std::fabs((v - minimum_) * (pixelEnd_ - pixelStart_) / (maximum_ - minimum_)) < 1e9;
        };
        return fits(lo) && fits(hi);
    }
    // Horizontal: the minimum at the start pixel; vertical: at the end pixel.
    double CalcPosPoint(int32_t pixel) const override {
        const double length = pixelEnd_ - pixelStart_;
        const double d = (inverted_ ? pixelEnd_ - pixel : pixel - pixelStart_) * (maximum_ - minimum_) / length;
        return horizontal_ ? minimum_ + d : maximum_ - d;
    }

private:
    int32_t Map(double value, bool flip) const {
        const auto t =
            static_cast<int32_t>(fw::Round((value - minimum_) * (pixelEnd_ - pixelStart_) / (maximum_ - minimum_)));
        return flip ? pixelEnd_ - t : pixelStart_ + t;
    }

    bool horizontal_;
    bool inverted_ = false;
    int32_t pixelStart_;
    int32_t pixelEnd_;
    double minimum_ = 0;
    double maximum_ = 1;
};

class FakeChart : public ISeriesParent {
public:
    // Plot rectangle (20, 10) - (420, 310); axes span its edges.
    FakeChart() : bottom(true, 20, 420), top(true, 20, 420), left(false, 10, 310), right(false, 10, 310), list(*this) {}

    void AddSeries(TChartSeries& series) { series.SetParentChart(this); }

    void Invalidate() override { ++invalidations; }
    bool IsBeingDestroyed() const override { return destroying; }
    ISeriesAxis* BottomAxis() const override { return const_cast<FakeAxis*>(&bottom); }
    ISeriesAxis* TopAxis() const override { return const_cast<FakeAxis*>(&top); }
    ISeriesAxis* LeftAxis() const override { return const_cast<FakeAxis*>(&left); }
    ISeriesAxis* RightAxis() const override { return const_cast<FakeAxis*>(&right); }
    fw::TRect PlotRect() const override { return fw::Rect(20, 10, 420, 310); }
    bool View3D() const override { return view3D; }
    TChartCanvas3D& Canvas() override { return canvas; }
    void CheckPenWidth(fw::TPen& /*canvasPen*/) override {}
    int32_t TopZOrder() const override { return topZOrder; }
    void SetTopZOrder(int32_t value) override { topZOrder = value; }
    TChartSeriesList& SeriesList() override { return list; }
    bool IsFreeSeriesColor(fw::TColor color, bool avoidBackground) const override {
        return !list.UsesColor(color) && !(avoidBackground && color == background);
    }
    void InternalAddSeries(TChartSeries& series) override { list.InsertSeries(series); }
    void RemoveSeries(TChartSeries& series) override { list.RemoveSeries(series); }

    FakeAxis bottom, top, left, right;
    TChartSeriesList list;
    TChartCanvas3D canvas;
    int invalidations = 0;
    bool destroying = false;
    bool view3D = false;
    int32_t topZOrder = 0;
    fw::TColor background = fw::clWhite;
};

}  // namespace chart::testing
