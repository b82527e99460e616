#include "chart/panel/CustomAxisPanel.h"

#include <algorithm>

#include "chart/axis/AxisSeries.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/base/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "chart/base/ChartSwitches.h"

namespace chart {

TCustomAxisPanel::TCustomAxisPanel()
    : bottomAxis_(std::make_unique<TChartAxis>(*this, true, false)),
      topAxis_(std::make_unique<TChartAxis>(*this, true, true)),
      leftAxis_(std::make_unique<TChartAxis>(*this, false, false)),
      rightAxis_(std::make_unique<TChartAxis>(*this, false, true)),
      depthAxis_(std::make_unique<TChartDepthAxis>(*this)),
      axes_{bottomAxis_.get(), topAxis_.get(), leftAxis_.get(), rightAxis_.get(), depthAxis_.get()},
      seriesList_(std::make_unique<TChartSeriesList>(static_cast<ISeriesParent&>(*this))) {}

TCustomAxisPanel::~TCustomAxisPanel() {
    BeginDestruction();
    FreeAllSeries();
}

void TCustomAxisPanel::BeginDestruction() {
    destroying_ = true;
    SetRepaintEnabled(false);
}

void TCustomAxisPanel::Assign(const TCustomChartPanel& source) {
    TCustomChartPanelExtended::Assign(source);
    const auto* other = dynamic_cast<const TCustomAxisPanel*>(&source);
    if (!other) return;
    SetAxisVisible(other->axisVisible_);
    SetView3DWalls(other->view3DWalls_);
    SetClipPoints(other->clipPoints_);
    SetScaleLastPage(other->scaleLastPage_);
    SetMaxPointsPerPage(other->maxPointsPerPage_);
    for (std::size_t i = 0; i < axes_.size(); ++i) axes_[i]->Assign(*other->axes_[i]);
}

// ---- Series ------------------------------------------------------------------------

void TCustomAxisPanel::AddSeries(TChartSeries& series) { series.SetParentChart(this); }

void TCustomAxisPanel::AddSeries(std::unique_ptr<TChartSeries> series) {
    if (!series) return;
    TChartSeries& s = *series;
    ownedSeries_.push_back(std::move(series));
    AddSeries(s);
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries& series) { seriesList_->InsertSeries(series); }

void TCustomAxisPanel::RemoveSeries(TChartSeries& series) {
    if (seriesList_->IndexOf(&series) < 0) return;
    if (Cursor() == series.Cursor()) SetCursor(SavedCursor());
    seriesList_->RemoveSeries(series);
}

void TCustomAxisPanel::FreeAllSeries() {
    while (seriesList_->Count() > 0) RemoveSeries(*seriesList_->Series(0));
    ownedSeries_.clear();
}

int32_t TCustomAxisPanel::GetMaxValuesCount() const {
    int32_t result = 0;
    for (const TChartSeries* s : *seriesList_) {
        if (s->Active()) result = std::max(result, s->Count());
    }
    return result;
}

int32_t TCustomAxisPanel::MaxTextWidth() {
    int32_t result = 0;
    for (const TChartSeries* s : *seriesList_) {
        if (!s->HasLabels()) continue;
        for (int32_t i = 0; i < s->Count(); ++i) {
            const std::string label = s->GetXLabel(i);
            if (label.empty()) continue;
            int32_t lines = 0;
            result = std::max(result, MultiLineTextWidth(label, lines));
        }
    }
    return result;
}

int32_t TCustomAxisPanel::MaxMarkWidth() {
    int32_t result = 0;
    for (const TChartSeries* s : *seriesList_) {
        if (!s->Active()) continue;
        for (int32_t i = 0; i < s->Count(); ++i) {
            int32_t lines = 0;
            result = std::max(result, MultiLineTextWidth(s->GetMarkText(i), lines));
        }
    }
    return result;
}

TChartSeries* TCustomAxisPanel::GetAxisSeries(const TCustomChartAxis& axis) const {
    return FirstSeriesOfAxis(*seriesList_, axis);
}

// ---- Axes ----------------------------------------------------------------------------

bool TCustomAxisPanel::IsAxisVisible(const TCustomChartAxis& axis) {
    return AxisVisibleForSeries(axis, axisVisible_, View3D(), *seriesList_);
}

double TCustomAxisPanel::MinXValue(const TCustomChartAxis& axis) { return InternalMinMax(*this, axis, true, true); }
double TCustomAxisPanel::MaxXValue(const TCustomChartAxis& axis) { return InternalMinMax(*this, axis, false, true); }
double TCustomAxisPanel::MinYValue(const TCustomChartAxis& axis) { return InternalMinMax(*this, axis, true, false); }
double TCustomAxisPanel::MaxYValue(const TCustomChartAxis& axis) { return InternalMinMax(*this, axis, false, false); }

// ---- Paging ----------------------------------------------------------------------------

int32_t TCustomAxisPanel::PagesOfAxis(const TCustomChartAxis& axis) const {
    int32_t most = 0;
    for (const TChartSeries* s : *seriesList_) {
        if (s->Active() && s->AssociatedToAxis(axis)) most = std::max(most, s->Count());
    }
    if (most == 0) return 1;
    // Rounds up without forming most + perPage - 1, which overflows near INT32_MAX.
    return 1 + (most - 1) / maxPointsPerPage_;
}

int32_t TCustomAxisPanel::NumPages() const {
    if (maxPointsPerPage_ <= 0) return 1;
    // The index axes: horizontal for series that are functions of X.
    const bool yMandatory = seriesList_->Count() == 0 || seriesList_->Series(0)->YMandatory();
    const TCustomChartAxis& a = yMandatory ? *topAxis_ : *leftAxis_;
    const TCustomChartAxis& b = yMandatory ? *bottomAxis_ : *rightAxis_;
    return std::max(PagesOfAxis(a), PagesOfAxis(b));
}

void TCustomAxisPanel::SetPage(int32_t value) {
    const int32_t page = std::max(1, std::min(value, NumPages()));
    if (page == page_) return;
    page_ = page;
    Invalidate();
    if (OnPageChange) OnPageChange(*this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int32_t value) {
    if (value < 0) throw ChartException("MaxPointsPerPage must be >= 0");
    SetIntegerProperty(maxPointsPerPage_, value);
    const int32_t pages = NumPages();
    if (pages < page_) SetPage(pages);
}

// ---- The pipeline of one repaint ---------------------------------------------------------

void TCustomAxisPanel::InternalDraw(const fw::TRect& rect) {
    // Event handlers may change the list: walk it by index.
    auto eachActive = [this](const std::function<void(TChartSeries&)>& action) {
        for (int32_t i = 0; i < seriesList_->Count(); ++i) {
            TChartSeries& s = *seriesList_->Series(i);
            if (s.Active()) action(s);
        }
    };

    // The changes before this paint are over: storage kept for refills that
    // did not come goes back now, of inactive series too.
    for (int32_t i = 0; i < seriesList_->Count(); ++i) seriesList_->Series(i)->ReleaseSpareStorage();
    PanelPaint(rect);
    eachActive([](TChartSeries& s) { s.DoBeforeDrawChart(); });
    DrawTitlesAndLegend();

    topZOrder_ = 0;
    const bool stacked = StackSeriesInDepth() && View3D();
    if (stacked) {
        topZOrder_ = -1;
        eachActive([](TChartSeries& s) { s.CalcZOrder(); });
    }
    eachActive([&](TChartSeries& s) { s.SetComputedZOrder(stacked ? topZOrder_ - s.ZOrder() : 0); });

    CalcAxisRect();
    eachActive([this](TChartSeries& s) {
        s.SetDepthSlot(sliceDepth_);
        s.Marks().ZPosition = s.MiddleZ();
    });
    CalcSeriesRect();
    Canvas().Projection(TotalDepth(), PanelBounds(), PlotRect());
    DrawWalls();
    // Behind the grid too, which then stays visible across an overlay's fill.
    for (TChartOverlay* overlay : overlays_) overlay->DrawBehindSeries(*this);
    if (axisVisible_ && ChartDrawAxisBeforeSeries) DrawAxes();
    if (OnBeforeDrawSeries) OnBeforeDrawSeries(*this);
    eachActive([this](TChartSeries& s) {
        if (!View3D() || !s.MoreSameZOrder()) {
            DrawSeries(s);
        } else if (s.FirstInZOrder()) {
            DrawSeriesGroup(s);
        }
    });
    if (axisVisible_ && !ChartDrawAxisBeforeSeries) DrawAxes();
    for (TChartOverlay* overlay : overlays_) overlay->DrawOverSeries(*this);
    if (ZoomState.InProgress) DrawZoomRectangle();
    Canvas().ResetState();
    if (OnAfterDraw) OnAfterDraw(*this);
}

void TCustomAxisPanel::AddOverlay(TChartOverlay& overlay) {
    overlays_.push_back(&overlay);
    Invalidate();
}

void TCustomAxisPanel::RemoveOverlay(TChartOverlay& overlay) {
    std::erase(overlays_, &overlay);
    Invalidate();
}

void TCustomAxisPanel::DrawAxes() {
    if (OnBeforeDrawAxes) OnBeforeDrawAxes(*this);
    for (TCustomChartAxis* axis : axes_) {
        if (IsAxisVisible(*axis)) axis->Draw(true);
    }
}

bool TCustomAxisPanel::ClipSeries() {
    if (!clipPoints_ || !CanClip()) return false;
    Canvas().ClipCube(PlotRect(), 0, TotalDepth());
    return true;
}

void TCustomAxisPanel::DrawSeries(TChartSeries& series) {
    series.CalcFirstLastVisibleIndex();
    if (series.FirstVisibleIndex() == -1) return;
    series.DoBeforeDrawValues();
    const bool clipped = ClipSeries();
    series.DrawAllValues();
    if (clipped) Canvas().UnClipRectangle();
    series.DoAfterDrawValues();
}

void TCustomAxisPanel::DrawSeriesGroup(TChartSeries& first) {
    std::vector<TChartSeries*> group;
    for (int32_t i = seriesList_->IndexOf(&first); i < seriesList_->Count(); ++i) {
        TChartSeries* s = seriesList_->Series(i);
        if (s->Active() && !s->HasZValues() && s->ZOrder() == first.ZOrder()) group.push_back(s);
    }
    bool clipped = false;
    int32_t from = -1;
    int32_t to = -1;
    for (TChartSeries* s : group) {
        s->CalcFirstLastVisibleIndex();
        s->DoBeforeDrawValues();
        if (s->FirstVisibleIndex() == -1) continue;
        if (!clipped) clipped = ClipSeries();
        from = std::max(from, s->FirstVisibleIndex());
        to = std::max(to, s->LastVisibleIndex());
    }
    auto drawIndex = [&](int32_t index) {
        auto hasIndex = [index](const TChartSeries* s) {
            return s->FirstVisibleIndex() != -1 && index >= s->FirstVisibleIndex() && index <= s->LastVisibleIndex();
        };
        const bool backwards = index < first.Count() && !first.DrawSeriesForward(index);
        if (backwards) {
            for (auto it = group.rbegin(); it != group.rend(); ++it) {
                if (hasIndex(*it)) (*it)->DrawValue(index);
            }
        } else {
            for (TChartSeries* s : group) {
                if (hasIndex(s)) s->DrawValue(index);
            }
        }
    };
    if (from != -1) {
        if (first.DrawValuesForward()) {
            for (int32_t i = from; i <= to; ++i) drawIndex(i);
        } else {
            for (int32_t i = to; i >= from; --i) drawIndex(i);
        }
    }
    if (clipped) Canvas().UnClipRectangle();
    for (TChartSeries* s : group) {
        if (s->FirstVisibleIndex() != -1) s->DoAfterDrawValues();
    }
}

}  // namespace chart
