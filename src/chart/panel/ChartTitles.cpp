// The bands the chart draws before its axes: the title at the top, the foot
// at the bottom and the legend, each taking its room from the plot rectangle.
#include <algorithm>
#include <vector>

#include "chart/panel/CustomChart.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"
#include "framework/core/Rounding.h"
#include "framework/gui/paint/SystemColors.h"

namespace chart {

namespace {

// Room between a band and the plot rectangle.
constexpr int32_t BandGap = 5;

}  // namespace

void TCustomChart::DrawTitlesAndLegend() {
    TChartCanvas3D& canvas = Canvas();
    // Texts and frames are drawn flat, also in 3D.
    canvas.FrontPlaneBegin();
    legend_->ClearItemBoxes();
    if (!legend_->Visible() || SeriesList().CountActive() == 0) {
        DrawTitles();
    } else if (legend_->Vertical()) {
        DrawLegend();
        DrawTitles();
    } else {
        DrawTitles();
        DrawLegend();
    }
    canvas.FrontPlaneEnd();
}

void TCustomChart::DrawTitles() {
    if (title_->Visible()) DrawTitleBand(*title_, true);
    if (foot_->Visible()) DrawTitleBand(*foot_, false);
}

void TCustomChart::DrawTitleBand(TChartTitle& title, bool onTop) {
    TChartCanvas3D& canvas = Canvas();
    FontCanvas(title.Font());
    const int32_t h = canvas.FontHeight();

    const TChartBrush& brush = title.Brush();
    if (title.Color() == fw::clChartDefault) {
        if (brush.Style() != fw::bsSolid) {
            canvas.Brush().Assign(brush);
            canvas.SetBackMode(cbmTransparent);
        } else if (brush.Color() == fw::clChartDefault) {
            canvas.Brush().SetStyle(fw::bsClear);
        } else {
            // The brush's colour becomes the band's own.
            title.SetColor(brush.Color());
            canvas.Brush().SetColor(brush.Color());
            canvas.Brush().SetStyle(fw::bsSolid);
        }
    } else if (brush.Style() == fw::bsSolid) {
        canvas.Brush().SetColor(title.Color());
        canvas.Brush().SetStyle(fw::bsSolid);
    } else {
        canvas.Brush().Assign(brush);
        canvas.SetBackMode(cbmOpaque);
        canvas.SetBackColor(fw::ColorToRGB(title.Color()));
    }

    const bool frameOn = title.Frame().Visible() && title.Frame().Color() != fw::clChartDefault;
    const int32_t w = frameOn ? title.Frame().Width() : 0;
    const fw::TRect plot = PlotRect();
    fw::TRect r;
    r.Left = plot.Left + w;
    r.Right = plot.Right - w;
    if (onTop) {
        r.Top = plot.Top + w;
        r.Bottom = r.Top - BandGap;
    } else {
        r.Bottom = plot.Bottom - w;
        r.Top = r.Bottom + BandGap;
    }

    const std::vector<std::string>& lines = title.Text();
    const auto n = static_cast<int32_t>(lines.size());
    fw::TRect box = r;
    if (onTop) {
        box.Bottom = r.Top + n * h;
    } else {
        box.Top = r.Bottom - n * h;
    }
    int32_t penWidth = 0;
    if (frameOn) {
        canvas.AssignVisiblePen(title.Frame());
        penWidth = canvas.Pen().Width();
    } else {
        canvas.Pen().SetStyle(fw::psClear);
    }
    box = fw::Rect(box.Left - penWidth, box.Top - penWidth, box.Right + penWidth, box.Bottom + penWidth);

    const int32_t ww = canvas.TextWidth("W");
    if (frameOn || canvas.Brush().Style() != fw::bsClear) {
        if (title.AdjustFrame()) {
            int32_t widest = 0;
            for (const std::string& line : lines) widest = std::max(widest, canvas.TextWidth(line));
            const int32_t width = widest + ww;
            switch (title.Alignment()) {
            case taLeftJustify: box.Right = box.Left + width; break;
            case taRightJustify: box.Left = box.Right - width; break;
            case taCenter: {
                const int32_t centre = (box.Left + box.Right) / 2;
                box.Left = centre - width / 2;
                box.Right = centre + width / 2;
                break;
            }
            }
        }
        canvas.DoRectangle(box);
    }
    title.SetTitleBox(box);

    canvas.SetBackMode(cbmTransparent);
    canvas.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    auto lineX = [&](const std::string& line) {
        switch (title.Alignment()) {
        case taLeftJustify: return r.Left + ww / 2;
        case taRightJustify: return r.Right - canvas.TextWidth(line) - ww / 2;
        case taCenter: break;
        }
        return (r.Left + r.Right) / 2 - canvas.TextWidth(line) / 2;
    };
    if (onTop) {
        for (const std::string& line : lines) {
            canvas.TextOut(lineX(line), r.Top, line);
            r.Top += h;
            r.Bottom = r.Top;
        }
        if (frameOn) r.Bottom += penWidth;
        fw::TRect p = PlotRect();
        p.Top = r.Bottom + BandGap;
        SetPlotRect(p);
    } else {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            canvas.TextOut(lineX(*it), r.Bottom - h, *it);
            r.Bottom -= h;
            r.Top = r.Bottom;
        }
        if (frameOn) r.Top -= penWidth;
        fw::TRect p = PlotRect();
        p.Bottom = r.Top - BandGap;
        SetPlotRect(p);
    }
    ReCalcWidthHeight();
}

void TCustomChart::DrawLegend() {
    std::vector<const TChartSeries*> items;
    for (const TChartSeries* s : SeriesList()) {
        if (s->Active() && s->ShowInLegend()) items.push_back(s);
    }
    if (items.empty()) return;

    TChartCanvas3D& canvas = Canvas();
    FontCanvas(legend_->Font());
    const int32_t h = canvas.FontHeight();
    const int32_t gap = std::max(2, canvas.TextWidth("W") / 2);
    const int32_t colorWidth = legend_->ColorWidth();
    auto textOf = [](const TChartSeries& s) { return s.Title().empty() ? s.Name() : s.Title(); };
    int32_t widestText = 0;
    for (const TChartSeries* s : items) widestText = std::max(widestText, canvas.TextWidth(textOf(*s)));
    const int32_t itemWidth = colorWidth + gap + widestText;
    const auto count = static_cast<int32_t>(items.size());

    // The box: a column beside the plot, or a row above or below it.
    fw::TRect plot = PlotRect();
    const bool vertical = legend_->Vertical();
    const int32_t boxWidth = vertical ? itemWidth + 2 * gap : count * (itemWidth + gap) + gap;
    const int32_t boxHeight = vertical ? count * h + 2 * gap : h + 2 * gap;
    fw::TRect box;
    switch (legend_->Alignment()) {
    case laRight:
        box.Left = plot.Right - boxWidth;
        box.Top = plot.Top + fw::MulDiv(plot.Height(), legend_->TopPos(), 100);
        break;
    case laLeft:
        box.Left = plot.Left;
        box.Top = plot.Top + fw::MulDiv(plot.Height(), legend_->TopPos(), 100);
        break;
    case laTop:
        box.Left = (plot.Left + plot.Right - boxWidth) / 2;
        box.Top = plot.Top;
        break;
    case laBottom:
        box.Left = (plot.Left + plot.Right - boxWidth) / 2;
        box.Top = plot.Bottom - boxHeight;
        break;
    }
    box.Right = box.Left + boxWidth;
    box.Bottom = box.Top + boxHeight;

    canvas.AssignVisiblePen(legend_->Frame());
    canvas.Brush().SetBitmap(nullptr);
    canvas.Brush().SetColor(legend_->Color());
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);

    canvas.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    for (int32_t i = 0; i < count; ++i) {
        const TChartSeries& s = *items[static_cast<std::size_t>(i)];
        const int32_t x = vertical ? box.Left + gap : box.Left + gap + i * (itemWidth + gap);
        const int32_t y = vertical ? box.Top + gap + i * h : box.Top + gap;
        canvas.Pen().SetColor(fw::clBlack);
        canvas.Pen().SetStyle(fw::psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Brush().SetColor(s.SeriesColor());
        canvas.Brush().SetStyle(fw::bsSolid);
        canvas.Rectangle(x, y + 2, x + colorWidth, y + h - 2);
        canvas.SetBackMode(cbmTransparent);
        canvas.TextOut(x + colorWidth + gap, y, textOf(s));
        legend_->AddItemBox(fw::Rect(x, y, x + itemWidth, y + h));
    }

    if (legend_->ResizeChart()) {
        switch (legend_->Alignment()) {
        case laRight: plot.Right = box.Left - BandGap; break;
        case laLeft: plot.Left = box.Right + BandGap; break;
        case laTop: plot.Top = box.Bottom + BandGap; break;
        case laBottom: plot.Bottom = box.Top - BandGap; break;
        }
        SetPlotRect(plot);
        ReCalcWidthHeight();
    }
}

}  // namespace chart
