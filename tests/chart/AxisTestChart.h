#pragma once
// A stand-in chart for axis tests: real axes, a real series list and a real
// canvas drawing on an off-screen image, a plot rectangle the test sets, and
// counters for repaint requests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "chart/axis/AxisSeries.h"
#include "chart/axis/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartEngine.h"
#include "chart/base/ChartTextLines.h"
#include "framework/gui/paint/Bitmap.h"

namespace chart::testing {

class AxisTestChart : public IAxisParent, public ISeriesParent {
public:
    AxisTestChart()
        : bitmap(1, 1),
          bottom(*this, true, false),
          top(*this, true, true),
          left(*this, false, false),
          right(*this, false, true),
          depth(*this),
          list(*this) {
        axes = {&bottom, &top, &left, &right, &depth};
    }
    ~AxisTestChart() { destroying = true; }

    void AddSeries(TChartSeries& series) { series.SetParentChart(this); }
    // Runs the range and placement steps of a repaint for every axis.
    void LayOutAxes() {
        for (TCustomChartAxis* a : axes) a->AdjustMaxMin();
        for (TCustomChartAxis* a : axes) a->InternalCalcPositions();
    }

    // Starts drawing on a white image of the given size.
    void StartImage(int32_t width, int32_t height) {
        bitmap.SetSize(width, height);
        bitmap.Canvas().Brush().SetColor(fw::clWhite);
        bitmap.Canvas().Brush().SetStyle(fw::bsSolid);
        bitmap.Canvas().FillRect(fw::Rect(0, 0, width, height));
        canvas.SetUseBuffer(false);
        canvas.InitWindow(&bitmap.Canvas(), nullptr, fw::clWhite, false, fw::Rect(0, 0, width, height));
    }

    // The axis steps of one repaint, as the chart runs them: ranges, room
    // taken from the plot rectangle (which starts as `area`), positions,
    // margins, then the visible axes drawn.
    void Paint(const fw::TRect& area) {
        plot = area;
        for (TCustomChartAxis* a : axes) a->AdjustMaxMin();
        fw::TRect r = plot;
        for (TCustomChartAxis* a : axes) {
            if (!IsAxisVisible(*a)) continue;
            fw::TRect t = r;
            a->CalcRect(t, true);
            fw::TRect both;
            if (fw::IntersectRect(both, t, r)) r = both;
        }
        plot = r;
        for (TCustomChartAxis* a : axes) a->InternalCalcPositions();
        for (TCustomChartAxis* a : {&top, &left, &right, &bottom}) a->AdjustMaxMinRect(fw::TRect{});
        for (TCustomChartAxis* a : axes) {
            if (IsAxisVisible(*a)) a->Draw(true);
        }
    }

    // The texts of the labels axis draws (once more, over the last picture).
    // The label event also sees the range ends measured for the increment,
    // which come first: twice, when longer labels measure them again.
    std::vector<std::string> DrawnLabels(TCustomChartAxis& axis) {
        std::vector<std::string> texts;
        OnGetAxisLabel = [&](TCustomChartAxis& sender, TChartSeries*, int32_t, std::string& text) {
            if (&sender == &axis) texts.push_back(text);
        };
        FontCanvas(axis.LabelsFont());
        axis.CalcIncrement();
        const std::size_t measured = texts.size();
        texts.clear();
        axis.Draw(true);
        OnGetAxisLabel = nullptr;
        if (measured < 2 || texts.size() < measured) {
            ADD_FAILURE() << "the increment did not measure both range ends";
            return texts;
        }
        return {texts.begin() + static_cast<std::ptrdiff_t>(measured), texts.end()};
    }

    // The pixel's colour, or clNone outside the image.
    fw::TColor PixelAt(int32_t x, int32_t y) const {
        const QImage& image = bitmap.Image();
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return fw::clNone;
        const QRgb rgb = image.pixel(x, y);
        return fw::TColor(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
    }

    // Measures text as the axes do: in the font last selected.
    int32_t TextWidthIn(fw::TFont& font, const std::string& text) {
        FontCanvas(font);
        return canvas.TextWidth(text);
    }
    int32_t FontHeightOf(fw::TFont& font) {
        FontCanvas(font);
        return canvas.FontHeight();
    }

    // Shared by both interfaces.
    void Invalidate() override { ++invalidations; }
    fw::TRect PlotRect() const override { return plot; }
    bool View3D() const override { return view3D; }
    int32_t TopZOrder() const override { return topZOrder; }
    TChartSeriesList& SeriesList() override { return list; }

    // ISeriesParent.
    bool IsBeingDestroyed() const override { return destroying; }
    ISeriesAxis* BottomAxis() const override { return const_cast<TChartAxis*>(&bottom); }
    ISeriesAxis* TopAxis() const override { return const_cast<TChartAxis*>(&top); }
    ISeriesAxis* LeftAxis() const override { return const_cast<TChartAxis*>(&left); }
    ISeriesAxis* RightAxis() const override { return const_cast<TChartAxis*>(&right); }
    void SetTopZOrder(int32_t value) override { topZOrder = value; }
    bool IsFreeSeriesColor(fw::TColor color, bool) const override { return !list.UsesColor(color); }
    void InternalAddSeries(TChartSeries& series) override { list.InsertSeries(series); }
    void RemoveSeries(TChartSeries& series) override { list.RemoveSeries(series); }

    // IAxisParent.
    TChartCanvas3D& Canvas() override { return canvas; }
    void FontCanvas(fw::TFont& font) override {
        font.SetPixelsPerInch(canvas.Font().PixelsPerInch());
        canvas.Font().Assign(font);
    }
    int32_t MultiLineTextWidth(const std::string& text, int32_t& numLines) override {
        return chart::MultiLineTextWidth(canvas, text, numLines);
    }
    void CheckPenWidth(fw::TPen&) override {}
    bool IsPrinting() const override { return false; }
    fw::TColor Color() const override { return fw::clWhite; }
    int32_t TotalDepth() const override { return totalDepth; }
    int32_t CalcWallSize(const TCustomChartAxis&) override { return 0; }
    bool IsAxisVisible(const TCustomChartAxis& axis) override {
        return AxisVisibleForSeries(axis, axisVisible, view3D, list);
    }
    const std::vector<TCustomChartAxis*>& AxesList() const override { return axes; }
    int32_t MaxTextWidth() override { return maxTextWidth; }
    int32_t MaxMarkWidth() override { return maxMarkWidth; }
    int32_t MaxPointsPerPage() const override { return maxPointsPerPage; }
    int32_t Page() const override { return page; }
    bool ScaleLastPage() const override { return scaleLastPage; }
    bool IsLoadingLayout() const override { return loading; }
    void Repaint() override { ++repaints; }

    fw::TBitmap bitmap;
    TChartCanvas3D canvas;
    TChartAxis bottom, top, left, right;
    TChartDepthAxis depth;
    std::vector<TCustomChartAxis*> axes;
    TChartSeriesList list;

    fw::TRect plot = fw::Rect(50, 20, 650, 270);
    bool view3D = false;
    bool axisVisible = true;
    int32_t topZOrder = 0;
    int32_t totalDepth = 0;
    int32_t maxTextWidth = 0;
    int32_t maxMarkWidth = 0;
    int32_t maxPointsPerPage = 0;
    int32_t page = 1;
    bool scaleLastPage = true;
    bool loading = false;
    bool destroying = false;
    int invalidations = 0;
    int repaints = 0;
};

}  // namespace chart::testing
