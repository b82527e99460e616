// Drawing an axis: its title, for each label its ticks, grid line and text,
// then the axis line on top.

#include <functional>
#include <optional>
#include <vector>

#include "chart/axis/AxisDrawing.h"
#include "chart/scale/AxisLabelValues.h"
#include "chart/axis/ChartAxisTitle.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/base/ChartSwitches.h"
#include "chart/base/ChartTextLines.h"

namespace chart {

namespace {

// Labels a handler supplies may lie this far outside the range.
constexpr double kCustomLabelTolerance = 1e-7;
// The handler is asked for at most this many labels after the first.
constexpr int32_t kMaxCustomLabelIndex = 1000;

enum class Side { Bottom, Top, Left, Right };

Side SideOf(const TCustomChartAxis& axis) {
    if (axis.IsHorizontal()) return axis.IsFarSide() ? Side::Top : Side::Bottom;
    return axis.IsFarSide() ? Side::Right : Side::Left;
}

struct TextPlacement {
    uint32_t align = fw::TA_LEFT | fw::TA_TOP;
    int32_t dx = 0;
    int32_t dy = 0;
};

// Alignment and first shift of a label or title text by angle and side.
TextPlacement PlaceText(int32_t angle, Side side, int32_t half) {
    using fw::TA_BOTTOM;
    using fw::TA_CENTER;
    using fw::TA_LEFT;
    using fw::TA_RIGHT;
    switch (angle) {
    case 0:
        switch (side) {
        case Side::Bottom: return {TA_CENTER, 0, 0};
        case Side::Top: return {TA_CENTER | TA_BOTTOM, 0, 0};
        case Side::Left: return {TA_RIGHT, 0, -half};
        case Side::Right: return {TA_LEFT, 0, -half};
        }
        break;
    case 90:
        switch (side) {
        case Side::Bottom: return {TA_RIGHT, -half, 0};
        case Side::Top: return {TA_LEFT, -half, 0};
        case Side::Left: return {TA_CENTER | TA_BOTTOM, 0, 0};
        case Side::Right: return {TA_CENTER, 0, 0};
        }
        break;
    case 180:
        switch (side) {
        case Side::Bottom: return {TA_CENTER | TA_BOTTOM, 0, 0};
        case Side::Top: return {TA_CENTER, 0, 0};
        case Side::Left: return {TA_LEFT, 0, half};
        case Side::Right: return {TA_RIGHT, 0, half};
        }
        break;
    case 270:
        switch (side) {
        case Side::Bottom: return {TA_LEFT, half, 0};
        case Side::Top: return {TA_RIGHT, half, 0};
        case Side::Left: return {TA_CENTER, 0, 0};
        case Side::Right: return {TA_CENTER | TA_BOTTOM, 0, 0};
        }
        break;
    default: break;
    }
    return {};
}

// Moves the reference point so that the block of k lines of height lh
// (negative for 180 and 270 degrees) lands where the first line should.
void ShiftTextBlock(int32_t angle, Side side, int32_t k, int32_t lh, int32_t& x, int32_t& y) {
    const auto half = [&] { return static_cast<int32_t>(fw::Round(lh * 0.5L * (k + 1))); };
    const bool horizontal = side == Side::Bottom || side == Side::Top;
    const bool far = side == Side::Top || side == Side::Right;
    if (horizontal) {
        if (angle == 0)
            y -= far ? k * lh : lh;
        else if (angle == 180)
            y -= far ? lh : k * lh;
        else if (angle == 90 || angle == 270)
            x -= half();
    } else {
        if (angle == 0 || angle == 180)
            y -= half();
        else if (angle == 90)
            x -= far ? lh : k * lh;
        else if (angle == 270)
            x -= far ? k * lh : lh;
    }
}

// Labels of white text are printed black (the paper is white).
void PrintableFontColor(IAxisParent& chart, TChartCanvas3D& canvas) {
    if (chart.IsPrinting() && canvas.Font().Color() == fw::clWhite) canvas.Font().SetColor(fw::clBlack);
}

}  // namespace

TAxisDrawing::TAxisDrawing(TCustomChartAxis& a, int32_t wallSize)
    : axis(a), chart(a.ParentChart()), canvas(a.ParentChart().Canvas()), axisPos(wallSize) {}

void TCustomChartAxis::Draw(bool calcPosAxis) {
    showsDateTime_ = IsDateTime();
    TAxisDrawing drawing(*this, parent_->CalcWallSize(*this));
    parent_->FontCanvas(*labelsFont_);
    const double inc = CalcIncrement();
    if (calcPosAxis) {
        const fw::TRect plot = parent_->PlotRect();
        linePos_ = ApplyPosition(GetRectangleEdge(plot), plot);
    }
    if (!title_->Caption().empty()) drawing.Title();

    const TDateTimeStep step = showsDateTime_ && exactDateTime_ ? CalendarStepFor(range_.Increment, inc) : dtNone;
    const bool calendarLabels = step >= dtHalfMonth && step <= dtOneYear;
    if ((inc > 0 || calendarLabels) && shown_.Maximum >= shown_.Minimum) {
        drawing.PrepareLabelText();
        switch (const TAxisLabelStyle style = CalcLabelStyle()) {
        case talValue:
            if (parent_->OnGetNextAxisLabel)
                drawing.CustomLabels(inc, step);
            else if (!logarithmic_ || range_.Increment != 0)
                drawing.ValueLabels(inc, step);
            else
                drawing.LogLabels();
            break;
        case talMark:
        case talText: {
            const TAxisLabelVisit label = [&drawing](double value, const TAxisLabelText& text) {
                drawing.Label(value, text);
            };
            if (forDepth_ && style == talText)
                ForEachDepthTextLabel(*this, label);
            else
                ForEachPointTextLabel(*this, style, label);
            break;
        }
        default: break;
        }
    }
    if (axisPen_->Visible()) {
        parent_->Canvas().AssignVisiblePen(*axisPen_);
        DrawAxisLine(drawing.axisPos);
    }
}

void TAxisDrawing::Title() {
    TChartAxisTitle& title = axis.Title();
    chart.FontCanvas(title.Font());
    canvas.Brush().SetColor(chart.Color());
    canvas.Brush().SetStyle(fw::bsClear);
    if (axis.IsDepthAxis())
        axis.DrawTitle(axis.TitlePos(), chart.PlotRect().Bottom);
    else if (axis.IsHorizontal())
        axis.DrawTitle(axis.PixelCenter(), axis.TitlePos());
    else
        axis.DrawTitle(axis.TitlePos(), axis.PixelCenter());
}

void TCustomChartAxis::DrawTitle(int32_t x, int32_t y) {
    TChartCanvas3D& canvas = parent_->Canvas();
    PrintableFontColor(*parent_, canvas);
    if (forDepth_) {
        canvas.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
        canvas.TextOut3D(x, y, parent_->TotalDepth() / 2, title_->Caption());
        return;
    }
    DrawAxisLabel(x, y, title_->Angle(), title_->Caption());
}

void TCustomChartAxis::DrawAxisLabel(int32_t x, int32_t y, int32_t angle, const std::string& text) {
    TChartCanvas3D& canvas = parent_->Canvas();
    const Side side = SideOf(*this);
    const int32_t fontHeight = canvas.FontHeight();
    const TextPlacement place = PlaceText(angle, side, fontHeight / 2);
    x += place.dx;
    y += place.dy;
    const int32_t z = farSide_ ? parent_->TotalDepth() : 0;
    canvas.SetTextAlign(place.align);

    const std::vector<std::string> lines = ChartTextLines(text);
    const int32_t lh = angle == 180 || angle == 270 ? -fontHeight : fontHeight;
    ShiftTextBlock(angle, side, static_cast<int32_t>(lines.size()), lh, x, y);

    for (const std::string& line : lines) {
        if (angle == 0) {
            y += lh;
            canvas.TextOut3D(x, y, z, line);
            continue;
        }
        if (angle == 180)
            y += lh;
        else if (angle == 90 || angle == 270)
            x += lh;
        canvas.RotateLabel3D(x, y, z, line, angle);
    }
    canvas.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
}

void TAxisDrawing::PrepareLabelText() {
    chart.FontCanvas(axis.LabelsFont());
    canvas.Brush().SetColor(chart.Color());
    canvas.Brush().SetStyle(fw::bsClear);
    PrintableFontColor(chart, canvas);
}

int32_t TAxisDrawing::PosOf(double value) const {
    return axis.IsHorizontal() ? axis.CalcXPosValue(value) : axis.CalcYPosValue(value);
}

void TAxisDrawing::Label(double value, const TAxisLabelText& text) {
    const int32_t pos = PosOf(value);
    if (!axis.TickOnLabelsOnly()) TicksAndGrid(pos);
    if (!axis.Labels()) return;
    const std::optional<std::string> shown = text(pos);
    if (!shown) return;
    if (axis.TickOnLabelsOnly()) TicksAndGrid(pos);
    LabelText(pos, *shown);
}

void TAxisDrawing::ValueLabel(double value) {
    Label(value, [this, value](int32_t) { return axis.LabelValue(value); });
}

void TAxisDrawing::LabelText(int32_t pos, const std::string& text) {
    if (axis.IsDepthAxis()) {
        canvas.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
        canvas.TextOut3D(axis.LabelsPos(), chart.PlotRect().Bottom, pos, text);
        return;
    }
    if (axis.IsHorizontal())
        axis.DrawAxisLabel(pos, axis.LabelsPos(), axis.LabelsAngle(), text);
    else
        axis.DrawAxisLabel(axis.LabelsPos(), pos, axis.LabelsAngle(), text);
}

void TAxisDrawing::TicksAndGrid(int32_t pos) {
    if (axis.Ticks().Visible()) {
        canvas.AssignVisiblePen(axis.Ticks());
        Tick(pos, 1, axis.TickLength());
    }
    if (axis.Grid().Visible()) {
        if (!axis.GridCentered())
            GridLine(pos);
        else if (lastTickPos > -1)
            GridLine(static_cast<int32_t>(fw::Round((int64_t{lastTickPos} + pos) * 0.5L)));
    }
    if (axis.TicksInner().Visible()) {
        canvas.AssignVisiblePen(axis.TicksInner());
        Tick(pos, -1, -axis.TickInnerLength());
    }
    if (axis.MinorTicks().Visible() && lastTickPos > -1 && !axis.Logarithmic()) {
        canvas.AssignVisiblePen(axis.MinorTicks());
        const double step = (pos - lastTickPos) / (axis.MinorTickCount() + 1.0);
        for (int32_t i = 1; i <= axis.MinorTickCount(); ++i)
            Tick(pos - static_cast<int32_t>(fw::Round(i * step)), 1, axis.MinorTickLength());
    }
    lastTickPos = pos;
}

void TAxisDrawing::Tick(int32_t pos, int32_t offset, int32_t length) {
    const int32_t line = axis.LinePos();
    const int32_t depth = chart.TotalDepth();
    if (axis.IsDepthAxis()) {
        canvas.HorizLine3D(line + offset, line + offset + length, chart.PlotRect().Bottom, pos);
        return;
    }
    switch (SideOf(axis)) {
    case Side::Bottom: canvas.VertLine3D(pos, line + offset + axisPos, line + offset + axisPos + length, 0); break;
    case Side::Top: canvas.VertLine3D(pos, line - offset, line - offset - length, depth); break;
    case Side::Left: canvas.HorizLine3D(line - offset - axisPos, line - offset - axisPos - length, pos, 0); break;
    case Side::Right: canvas.HorizLine3D(line + offset, line + offset + length, pos, depth); break;
    }
}

void TAxisDrawing::GridLine(int32_t pos) {
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.SetBackMode(cbmTransparent);
    canvas.AssignVisiblePen(axis.Grid());
    chart.CheckPenWidth(canvas.Pen());
    if (canvas.Pen().Color() == fw::clChartDefault) canvas.Pen().SetColor(fw::clGray);

    const fw::TRect plot = chart.PlotRect();
    const int32_t depth = chart.TotalDepth();
    if (axis.IsDepthAxis()) {
        canvas.HorizLine3D(plot.Left, plot.Right, plot.Bottom, pos);
        canvas.VertLine3D(plot.Left, plot.Top, plot.Bottom, pos);
    } else if (!chart.View3D()) {
        if (axis.IsHorizontal())
            canvas.DoVertLine(pos, plot.Top, plot.Bottom);
        else
            canvas.DoHorizLine(plot.Left, plot.Right, pos);
    } else {
        // In 3D the grid lies on the back wall, and a near axis joins it to
        // its own line along the depth (or, drawn over the series, stays in front).
        const bool front = !axis.IsFarSide() && !ChartDrawAxisBeforeSeries;
        const int32_t z = front ? 0 : depth;
        if (axis.IsHorizontal())
            canvas.VertLine3D(pos, plot.Top, plot.Bottom, z);
        else
            canvas.HorizLine3D(plot.Left, plot.Right, pos, z);
        if (!axis.IsFarSide() && ChartDrawAxisBeforeSeries) {
            if (axis.IsHorizontal())
                canvas.ZLine3D(pos, axis.LinePos(), 0, depth);
            else
                canvas.ZLine3D(axis.LinePos(), pos, 0, depth);
        }
    }
    canvas.SetBackMode(cbmOpaque);
}

void TAxisDrawing::ValueLabels(double increment, TDateTimeStep step) {
    ForEachValueLabel(axis.ValueLabelSettings(increment, step), [this](double value) { ValueLabel(value); });
}

void TAxisDrawing::CustomLabels(double increment, TDateTimeStep step) {
    double value = axis.ShownMinimum();
    bool stop = true;
    for (int32_t index = 0; index <= kMaxCustomLabelIndex; ++index) {
        chart.OnGetNextAxisLabel(axis, index, value, stop);
        if (stop) {
            if (index == 0) ValueLabels(increment, step);
            return;
        }
        const bool inRange = value >= axis.ShownMinimum() - kCustomLabelTolerance &&
                             value <= axis.ShownMaximum() + kCustomLabelTolerance;
        if (!inRange) return;
        ValueLabel(value);
    }
}

void TAxisDrawing::LogLabels() {
    const double minimum = axis.ShownMinimum();
    const double maximum = axis.ShownMaximum();
    if (minimum == maximum) return;
    const double lowest = LogLabelsMinimum(minimum);
    if (lowest != minimum) axis.SetShownRange(lowest, maximum);
    const int32_t minorCount = axis.MinorTicks().Visible() ? axis.MinorTickCount() : 0;
    ForEachLogLabel(
        {lowest, maximum, axis.LogarithmicBase(), minorCount}, [this](double value) { ValueLabel(value); },
        [this](double value) {
            canvas.AssignVisiblePen(axis.MinorTicks());
            Tick(PosOf(value), 1, axis.MinorTickLength());
        });
}

}  // namespace chart
