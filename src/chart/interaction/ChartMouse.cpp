// The chart's mouse gestures: a press is offered to the click events of the
// part under it and otherwise starts a zoom or a scroll drag; moves draw the
// zoom outline or scroll the axes; the release zooms or undoes.
#include <cstdlib>
#include <utility>

#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/interaction/ChartMouseSettings.h"
#include "chart/panel/CustomChart.h"
#include "chart/series/ChartSeries.h"

namespace chart {

namespace {

// A zoom drag must span more than this many pixels in both directions.
constexpr int32_t MinZoomDragPixels = 16;

}  // namespace

void TCustomChart::CalcClickedPart(fw::TPoint pos, TChartClickedPart& part) {
    part = TChartClickedPart{};
    const TChartSeriesList& list = SeriesList();
    for (int32_t i = list.Count() - 1; i >= 0; --i) {
        TChartSeries& s = *list.Series(i);
        if (!s.Active()) continue;
        const int32_t index = s.Clicked(pos.X, pos.Y);
        if (index != -1) {
            part = {cpSeries, index, &s, nullptr};
            return;
        }
    }
    for (TCustomChartAxis* axis : AxesList()) {
        if (axis->Clicked(pos.X, pos.Y)) {
            part = {cpAxis, -1, nullptr, axis};
            return;
        }
    }
    if (Title().Clicked(pos.X, pos.Y)) {
        part.Part = cpTitle;
    } else if (Foot().Clicked(pos.X, pos.Y)) {
        part.Part = cpFoot;
    } else if (PlotRect().Contains(pos) && list.CountActive() > 0) {
        part.Part = cpChartRect;
    } else if (Legend().Visible()) {
        const int32_t item = Legend().Clicked(pos.X, pos.Y);
        if (item != -1) part = {cpLegend, item, nullptr, nullptr};
    }
}

void TCustomChart::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    TCustomChartPanel::MouseDown(button, shift, x, y);
    if (ZoomState.InProgress || PanState.InProgress || overlayDrag_ != nullptr) return;
    if (clickHandled_) {
        clickHandled_ = false;
        return;
    }
    if (OverlayPress(button, x, y)) return;
    TChartClickedPart part;
    CalcClickedPart({x, y}, part);
    bool handled = false;
    switch (part.Part) {
    case cpLegend:
        if (OnClickLegend) {
            clickHandled_ = true;
            OnClickLegend(*this, button, shift, x, y);
            handled = clickHandled_;
        }
        break;
    case cpAxis:
        if (OnClickAxis) {
            clickHandled_ = true;
            OnClickAxis(*this, *part.AAxis, button, shift, x, y);
            handled = clickHandled_;
        }
        if (!handled) TryDragStart(button, shift, x, y, handled);
        break;
    case cpSeries:
        handled = part.ASeries->DoSeriesClick(*part.ASeries, part.PointIndex, button, shift, x, y);
        if (OnClickSeries) {
            clickHandled_ = true;
            OnClickSeries(*this, *part.ASeries, part.PointIndex, button, shift, x, y);
            handled = clickHandled_;
        }
        if (!handled) TryDragStart(button, shift, x, y, handled);
        break;
    case cpChartRect:
        BackgroundClick(button, shift, x, y, handled);
        if (!handled) TryDragStart(button, shift, x, y, handled);
        break;
    case cpNone:
    case cpTitle:
    case cpFoot: break;
    }
    if (!handled) BackgroundClick(button, shift, x, y, handled);
    clickHandled_ = false;
}

bool TCustomChart::OverlayPress(fw::TMouseButton button, int32_t x, int32_t y) {
    const std::vector<TChartOverlay*>& overlays = Overlays();
    for (auto o = overlays.rbegin(); o != overlays.rend(); ++o) {
        if ((*o)->StartDrag(*this, button, x, y)) {
            overlayDrag_ = *o;
            return true;
        }
    }
    return false;
}

void TCustomChart::BackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y,
                                   bool& handled) {
    if (!OnClickBackground) return;
    clickHandled_ = true;
    OnClickBackground(*this, button, shift, x, y);
    handled = clickHandled_;
}

void TCustomChart::TryDragStart(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y, bool& handled) {
    if (AllowZoom() && button == ChartZoomMouseButton && HoldsKeys(shift, ChartZoomKeyShift)) {
        SetCursor(fw::crDefault);
        ZoomState.Activate(x, y);
        DrawZoomRectangle();
        handled = true;
    }
    if (AllowPanning() != pmNone && button == ChartScrollMouseButton && HoldsKeys(shift, ChartScrollKeyShift)) {
        SetCursor(fw::crDefault);
        PanState.Activate(x, y);
        handled = true;
    }
}

void TCustomChart::MouseMove(fw::TShiftState shift, int32_t x, int32_t y) {
    TCustomChartPanel::MouseMove(shift, x, y);
    if (ZoomState.InProgress) {
        if (x == ZoomState.EndX && y == ZoomState.EndY) return;
        DrawZoomRectangle();  // erases the old outline
        ZoomState.EndX = x;
        ZoomState.EndY = y;
        DrawZoomRectangle();
        return;
    }
    if (PanState.InProgress) {
        ScrollTo(x, y);
        return;
    }
    if (overlayDrag_ != nullptr) {
        overlayDrag_->Drag(*this, x, y);
        return;
    }
    HoverSeries(shift, x, y);
    for (TChartOverlay* overlay : Overlays()) {
        if (overlay->Grabs(*this, x, y)) SetCursor(fw::crSizeNS);
    }
}

void TCustomChart::ScrollTo(int32_t x, int32_t y) {
    if (!PlotRect().Contains({x, y})) {
        PanState.InProgress = false;
        return;
    }
    if (x == PanState.EndX && y == PanState.EndY) return;
    SaveScalesOnce();
    const TPanningMode mode = AllowPanning();
    bool scrolled = false;
    if (x != PanState.EndX && (mode == pmHorizontal || mode == pmBoth)) {
        for (TCustomChartAxis* axis : AxesList()) {
            if (axis->IsHorizontal() && !axis->IsDepthAxis()) ScrollAxis(*axis, PanState.EndX, x);
        }
        scrolled = true;
    }
    if (y != PanState.EndY && (mode == pmVertical || mode == pmBoth)) {
        for (TCustomChartAxis* axis : AxesList()) {
            if (!axis->IsHorizontal() && !axis->IsDepthAxis()) ScrollAxis(*axis, PanState.EndY, y);
        }
        scrolled = true;
    }
    // Each move scrolls from the previous mouse position.
    PanState.EndX = x;
    PanState.EndY = y;
    if (!scrolled) return;
    if (OnScroll) OnScroll(*this);
    Invalidate();
}

void TCustomChart::ScrollAxis(TCustomChartAxis& axis, int32_t from, int32_t to) {
    const double delta = axis.CalcPosPoint(from) - axis.CalcPosPoint(to);
    double aMin = axis.Minimum() + delta;
    double aMax = axis.Maximum() + delta;
    bool allowScroll = true;
    if (OnAllowScroll) OnAllowScroll(axis, aMin, aMax, allowScroll);
    if (allowScroll) axis.SetMinMax(aMin, aMax);
}

void TCustomChart::HoverSeries(fw::TShiftState shift, int32_t x, int32_t y) {
    bool cursorGiven = false;
    for (TChartSeries* s : SeriesList()) {
        if (s->Active() && s->Cursor() != fw::crDefault && s->Clicked(x, y) != -1) {
            SetCursor(static_cast<fw::TCursor>(s->Cursor()));
            cursorGiven = true;
            break;
        }
    }
    for (TChartSeries* s : SeriesList()) s->DoSeriesMouseMove(shift, x, y);
    if (!cursorGiven) SetCursor(SavedCursor());
}

void TCustomChart::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    TCustomChartPanel::MouseUp(button, shift, x, y);
    for (TChartSeries* s : SeriesList()) s->DoSeriesMouseUp(button, shift, x, y);
    if (overlayDrag_ != nullptr) {
        TChartOverlay* overlay = std::exchange(overlayDrag_, nullptr);
        overlay->EndDrag(*this, x, y);
        return;
    }
    if (ZoomState.InProgress && button == ChartZoomMouseButton) {
        ZoomState.InProgress = false;
        DrawZoomRectangle();  // erases the last outline
        Canvas().Pen().SetMode(fw::pmCopy);
        ZoomState.EndX = x;
        ZoomState.EndY = y;
        const int32_t dx = ZoomState.EndX - ZoomState.StartX;
        const int32_t dy = ZoomState.EndY - ZoomState.StartY;
        if (std::abs(dx) > MinZoomDragPixels && std::abs(dy) > MinZoomDragPixels) {
            if (dx > 0 && dy > 0) {
                CalcZoomPoints();
            } else {
                UndoZoom();
            }
            Invalidate();
        }
    }
    PanState.InProgress = false;
}

// ---- Wheel, keys and tooltip ---------------------------------------------------------

void TCustomChart::HostMouseWheel(fw::TShiftState shift, int32_t x, int32_t y, double notches) {
    // A chart that refuses zoom drags refuses the wheel's zoom too.
    if (!AllowZoom() || ZoomState.InProgress || PanState.InProgress) return;
    WheelZoom(x, y, notches, (shift & fw::ssShift) != 0);
}

bool TCustomChart::HostKeyDown(fw::TKey key, fw::TShiftState) {
    if (key == fw::vkEscape) {
        if (!ZoomState.InProgress) return false;
        DrawZoomRectangle();  // erases the outline
        Canvas().Pen().SetMode(fw::pmCopy);
        ZoomState.InProgress = false;
        return true;
    }
    if (key == fw::vkBack) {
        UndoZoom();
        return true;
    }
    return false;
}

std::string TCustomChart::ValuesText(int32_t x, int32_t y) {
    if (ZoomState.InProgress || PanState.InProgress) return {};
    if (!PlotRect().Contains({x, y}) || SeriesList().CountActive() == 0) return {};
    TChartAxis& bottom = *BottomAxis();
    TChartAxis& left = *LeftAxis();
    return "X: " + bottom.PixelValueText(x) + "  Y: " + left.PixelValueText(y);
}

}  // namespace chart
