#include "chart/series/FastLineSeries.h"

#include <cmath>
#include <cstdlib>

#include "chart/canvas/ChartCanvas3D.h"

namespace chart {

namespace {

// The hit test of a segment: less than one pixel from the line along its
// shorter axis, within its box, and of some length. 64-bit products: pixels
// of points far outside the plot reach the ends of the 32-bit range.
bool PointInLine(int32_t x, int32_t y, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
    const int64_t d = std::max(std::llabs(dx), std::llabs(dy));
    const int64_t c = std::llabs(dy * (int64_t{x} - x0) - (int64_t{y} - y0) * dx);
    return c < d && x >= std::min(x0, x1) && x <= std::max(x0, x1) && y >= std::min(y0, y1) && y <= std::max(y0, y1);
}

bool PositiveScale(double multiplier) { return multiplier > 0 && std::isfinite(multiplier); }

}  // namespace

TFastLineSeries::TFastLineSeries() : linePen_(std::make_unique<TChartPen>([this](fw::TPersistent*) { Repaint(); })) {
    SetDrawPastLastVisible(true);
}

TFastLineSeries::~TFastLineSeries() {
    // The pen goes first: nothing it tells may reach a half-destroyed series.
    linePen_.reset();
}

void TFastLineSeries::Assign(const TChartSeries& source) {
    if (const auto* line = dynamic_cast<const TFastLineSeries*>(&source)) {
        autoRepaint_ = line->autoRepaint_;
        linePen_->Assign(*line->linePen_);
    }
    TChartSeries::Assign(source);
}

void TFastLineSeries::SetLinePen(const TChartPen& pen) {
    linePen_->Assign(pen);
    SetSeriesColor(linePen_->Color());
}

void TFastLineSeries::SetSeriesColor(fw::TColor value) {
    TChartSeries::SetSeriesColor(value);
    linePen_->SetColor(value);
}

// ---- Drawing ----------------------------------------------------------------------

void TFastLineSeries::PrepareCanvas() {
    ISeriesParent* chart = ParentChart();
    if (!chart) return;
    linePen_->SetColor(SeriesColor());
    TChartCanvas3D& canvas = chart->Canvas();
    canvas.AssignVisiblePen(*linePen_);
    chart->CheckPenWidth(canvas.Pen());
    canvas.Brush().SetStyle(fw::bsClear);
}

void TFastLineSeries::DrawAllValues() {
    PrepareCanvas();
    if (!FastPathApplies()) {
        TChartSeries::DrawAllValues();
        return;
    }
    ++fastPaints_;
    for (const int32_t i : reduction_.Reduce(*this, ySummary_, FirstVisibleIndex(), LastVisibleIndex())) DrawValue(i);
}

void TFastLineSeries::DrawValue(int32_t valueIndex) {
    ISeriesParent* chart = ParentChart();
    if (!chart) return;
    TChartCanvas3D& canvas = chart->Canvas();
    const bool is3D = chart->View3D();
    const int32_t x = CalcXPos(valueIndex);
    const int32_t y = CalcYPos(valueIndex);
    if (valueIndex == FirstVisibleIndex()) {
        // The line enters the plot from the point before, outside it.
        if (valueIndex > 0) {
            const int32_t x0 = CalcXPos(valueIndex - 1), y0 = CalcYPos(valueIndex - 1);
            if (is3D)
                canvas.LineWithZ(x0, y0, x, y, MiddleZ());
            else
                canvas.Line(x0, y0, x, y);
        } else if (is3D) {
            canvas.MoveTo3D(x, y, MiddleZ());
        } else {
            canvas.MoveTo(x, y);
        }
    } else if (x == lastDrawnX_ && y == lastDrawnY_) {
        return;
    } else if (is3D) {
        canvas.LineTo3D(x, y, MiddleZ());
    } else {
        canvas.LineTo(x, y);
    }
    lastDrawnX_ = x;
    lastDrawnY_ = y;
}

void TFastLineSeries::SyncSummaries() const {
    xSummary_.Sync(XValues());
    ySummary_.Sync(YValues());
}

const TValueBlockSummary& TFastLineSeries::YSummary() const {
    ySummary_.Sync(YValues());
    return ySummary_;
}

std::optional<TValueBounds> TFastLineSeries::SummaryYBounds() const {
    const int32_t count = Count();
    if (count == 0 || YValues().Multiplier() != 1.0) return std::nullopt;
    const TValueBlockSummary& summary = YSummary();
    if (!summary.AllFinite()) return std::nullopt;
    TValueBounds bounds = summary.Bounds(0, count - 1);
    // The list's walk keeps the first of equal values, which tells only for
    // a zero: its sign is that of the first zero.
    if (bounds.Min == 0 || bounds.Max == 0) {
        const int32_t zero = summary.FindFirst(0, count - 1, [](double lo, double hi) { return lo <= 0 && hi >= 0; });
        const double first = YValues().Value(zero);
        if (bounds.Min == 0) bounds.Min = first;
        if (bounds.Max == 0) bounds.Max = first;
    }
    return bounds;
}

double TFastLineSeries::MinYValue() const {
    const std::optional<TValueBounds> bounds = SummaryYBounds();
    return bounds ? bounds->Min : TChartSeries::MinYValue();
}

double TFastLineSeries::MaxYValue() const {
    const std::optional<TValueBounds> bounds = SummaryYBounds();
    return bounds ? bounds->Max : TChartSeries::MaxYValue();
}

bool TFastLineSeries::OrderedGeometry() const {
    const int32_t first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first || !YMandatory()) return false;
    const ISeriesAxis* horizontal = GetHorizAxis();
    const ISeriesAxis* vertical = GetVertAxis();
    if (!horizontal || !vertical) return false;
    const double xScale = XValues().Multiplier(), yScale = YValues().Multiplier();
    if (!PositiveScale(xScale) || !PositiveScale(yScale)) return false;
    SyncSummaries();
    if (!xSummary_.AllFinite() || !xSummary_.NonDecreasing() || !ySummary_.AllFinite()) return false;
    if (!horizontal->MapsInOrder(XValue(first), XValue(last))) return false;
    const TValueBounds y = ySummary_.Bounds(first, last);
    return vertical->MapsInOrder(y.Min * yScale, y.Max * yScale);
}

bool TFastLineSeries::FastPathApplies() {
    ISeriesParent* chart = ParentChart();
    if (!fastPath_ || !chart || chart->View3D()) return false;
    // The reduction holds for lines whose pixels are the union of their
    // segments' pixels: our rasteriser's one and two pixel solid copy-mode
    // lines on an image.
    TChartCanvas3D& canvas = chart->Canvas();
    const fw::TPen& pen = canvas.Pen();
    if (!canvas.Handle().TargetImage() || pen.Mode() != fw::pmCopy || pen.Style() != fw::psSolid || pen.Width() < 1 ||
        pen.Width() > 2)
        return false;
    return OrderedGeometry();
}

// ---- New points ---------------------------------------------------------------------

void TFastLineSeries::NotifyNewValue(TChartSeries& sender, int32_t valueIndex) {
    if (autoRepaint_ || !ParentChart()) {
        TChartSeries::NotifyNewValue(sender, valueIndex);
        return;
    }
    DrawNewValue(valueIndex);
}

void TFastLineSeries::NotifyValuesAppended(int32_t firstIndex, int32_t count) {
    if (autoRepaint_ || !ParentChart()) {
        // Extended now, while the new values are still in the cache.
        SyncSummaries();
        TChartSeries::NotifyValuesAppended(firstIndex, count);
        return;
    }
    for (int32_t i = firstIndex; i < firstIndex + count; ++i) DrawNewValue(i);
}

void TFastLineSeries::DrawNewValue(int32_t valueIndex) {
    ISeriesParent& chart = *ParentChart();
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Pen().Assign(*linePen_);
    const int32_t previous = valueIndex > 0 ? valueIndex - 1 : 0;
    const int32_t x = CalcXPos(previous), y = CalcYPos(previous);
    if (chart.View3D())
        canvas.MoveTo3D(x, y, MiddleZ());
    else
        canvas.MoveTo(x, y);
    DrawValue(valueIndex);
}

// ---- Hit test -------------------------------------------------------------------------

int32_t TFastLineSeries::Clicked(int32_t x, int32_t y) const {
    if (FirstVisibleIndex() == -1 || LastVisibleIndex() == -1) return -1;
    if (ISeriesParent* chart = ParentChart()) chart->Canvas().Calculate2DPosition(x, y, MiddleZ());
    if (fastPath_ && OrderedGeometry()) {
        ++fastClicks_;
        return ClickedByHalving(x, y);
    }
    return ClickedWalk(x, y);
}

int32_t TFastLineSeries::ClickedWalk(int32_t x, int32_t y) const {
    int32_t prevX = 0, prevY = 0;
    for (int32_t i = FirstVisibleIndex(); i <= LastVisibleIndex(); ++i) {
        const int32_t px = CalcXPos(i), py = CalcYPos(i);
        if (px == x && py == y) return i;
        if (i > FirstVisibleIndex() && PointInLine(x, y, px, py, prevX, prevY)) return i - 1;
        prevX = px;
        prevY = py;
    }
    return -1;
}

int32_t TFastLineSeries::ClickedByHalving(int32_t x, int32_t y) const {
    // Only the points on column x and the segments into and out of it can
    // be hit; the walk's first hit among them is its answer.
    const int32_t first = FirstVisibleIndex(), last = LastVisibleIndex();
    const int32_t sign = CalcXPos(first) <= CalcXPos(last) ? 1 : -1;  // pixels along the indices
    const auto key = [&](int32_t i) { return int64_t{sign} * CalcXPos(i); };
    const int64_t target = int64_t{sign} * x;
    const auto firstFrom = [&](auto onOrPast) {  // first index of first ... last+1 that passes
        int32_t lo = first, hi = last + 1;
        while (lo < hi) {
            const int32_t mid = lo + (hi - lo) / 2;
            if (onOrPast(key(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    };
    const int32_t onColumn = firstFrom([&](int64_t k) { return k >= target; });
    const int32_t pastColumn = firstFrom([&](int64_t k) { return k > target; });
    if (onColumn > last) return -1;

    // One step of the walk at i.
    const auto step = [&](int32_t i) {
        const int32_t px = CalcXPos(i), py = CalcYPos(i);
        if (px == x && py == y) return i;
        if (i > first && PointInLine(x, y, px, py, CalcXPos(i - 1), CalcYPos(i - 1))) return i - 1;
        return -1;
    };
    int32_t hit = step(onColumn);
    if (hit >= 0) return hit;
    const int32_t columnEnd = std::min(pastColumn - 1, last);
    if (onColumn < columnEnd) {
        // The segments inside the column are vertical: the first one that
        // reaches row y from the side of the column's first point is hit.
        const int32_t startRow = CalcYPos(onColumn);
        const ISeriesAxis& vertical = *GetVertAxis();
        const double scale = YValues().Multiplier();
        const auto reaches = [&](double lo, double hi) {
            const int32_t a = vertical.CalcYPosValue(lo * scale), b = vertical.CalcYPosValue(hi * scale);
            return startRow < y ? std::max(a, b) >= y : std::min(a, b) <= y;
        };
        const int32_t j = ySummary_.FindFirst(onColumn + 1, columnEnd, reaches);
        if (j >= 0) return CalcYPos(j) == y ? j : j - 1;
    }
    if (pastColumn <= last && pastColumn > onColumn) hit = step(pastColumn);
    return hit;
}

// ---- Legend and marks ---------------------------------------------------------------------

void TFastLineSeries::DrawLegendShape(int32_t /*valueIndex*/, const fw::TRect& rect) {
    ISeriesParent* chart = ParentChart();
    if (!chart) return;
    PrepareCanvas();
    chart->Canvas().DoHorizLine(rect.Left, rect.Right, (rect.Top + rect.Bottom) / 2);
}

void TFastLineSeries::DrawMark(int32_t valueIndex, const std::string& text, TSeriesMarkPosition& position) {
    const int32_t lift = Marks().ArrowLength();
    position.ArrowTo.Y -= lift;
    position.LeftTop.Y -= lift;
    TChartSeries::DrawMark(valueIndex, text, position);
}

std::size_t TFastLineSeries::HeapBytes() const {
    return TChartSeries::HeapBytes() + xSummary_.HeapBytes() + ySummary_.HeapBytes();
}

}  // namespace chart
