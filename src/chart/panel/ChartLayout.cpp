// The chart's layout steps of a repaint: the room the axes take, the room
// series need at the axis ends, and the walls around the plot rectangle.
#include <algorithm>

#include "chart/panel/CustomChart.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"
#include "chart/style/View3DOptions.h"
#include "framework/core/Rounding.h"

namespace chart {

void TCustomChart::CalcAxisRect() {
    const std::vector<TCustomChartAxis*>& axes = AxesList();
    for (TCustomChartAxis* axis : axes) axis->AdjustMaxMin();

    if (View3D()) {
        const int32_t k = View3DOptions().Orthogonal() ? 1 : 2;
        SetSliceDepth(fw::RoundToInt32(static_cast<long double>(PlotWidth()) * Chart3DPercent() * 0.001L * k));
        const int32_t slotCount = StackSeriesInDepth() ? std::max(1, TopZOrder() + 1) : 1;
        SetTotalDepth(slotCount * SliceDepth(), slotCount * SliceDepth());
        if (View3DOptions().Orthogonal()) {
            const int32_t wall = View3DWalls() ? backWall_->Size() : 0;
            fw::TRect r = PlotRect();
            r.Right -= wall + TotalDepth();
            r.Top += wall + TotalRise();
            SetPlotRect(r);
        }
    } else {
        SetSliceDepth(0);
        SetTotalDepth(0, 0);
    }
    ReCalcWidthHeight();

    fw::TRect r = PlotRect();
    for (TCustomChartAxis* axis : axes) {
        if (!IsAxisVisible(*axis)) continue;
        fw::TRect t = r;
        axis->CalcRect(t, true);
        fw::IntersectRect(r, t, r);
    }
    SetPlotRect(r);
    ReCalcWidthHeight();
    for (TCustomChartAxis* axis : axes) axis->InternalCalcPositions();
}

void TCustomChart::CalcSeriesRect() {
    for (TCustomChartAxis* axis :
         {static_cast<TCustomChartAxis*>(TopAxis()), static_cast<TCustomChartAxis*>(LeftAxis()),
          static_cast<TCustomChartAxis*>(RightAxis()), static_cast<TCustomChartAxis*>(BottomAxis())}) {
        fw::TRect m;
        for (const TChartSeries* s : SeriesList()) {
            if (!s->Active() || !s->AssociatedToAxis(*axis)) continue;
            int32_t a = 0;
            int32_t b = 0;
            if (axis->IsHorizontal()) {
                s->CalcHorizMargins(a, b);
                if (axis->AutomaticMinimum()) m.Left = std::max(m.Left, a);
                if (axis->AutomaticMaximum()) m.Right = std::max(m.Right, b);
            } else {
                s->CalcVerticalMargins(a, b);
                if (axis->AutomaticMaximum()) m.Top = std::max(m.Top, a);
                if (axis->AutomaticMinimum()) m.Bottom = std::max(m.Bottom, b);
            }
        }
        axis->AdjustMaxMinRect(m);
    }
}

void TCustomChart::PrepareWall(const TChartWall& wall) {
    TChartCanvas3D& canvas = Canvas();
    canvas.AssignVisiblePen(wall.Pen());
    if (wall.Brush().Bitmap()) {
        canvas.Brush().SetBitmap(wall.Brush().Bitmap());
        return;
    }
    canvas.Brush().SetBitmap(nullptr);
    if (wall.Color() == fw::clChartDefault && wall.Brush().Style() == fw::bsSolid) {
        canvas.Brush().SetStyle(fw::bsClear);  // a wall without colour is hollow
    } else {
        SetBrushCanvas(wall.Color(), wall.Brush().Style(), wall.Brush().Color());
    }
}

void TCustomChart::DrawWalls() {
    TChartCanvas3D& canvas = Canvas();
    const fw::TRect pr = PlotRect();
    PrepareWall(*backWall_);
    if (!View3D()) {
        // The right edge reaches one pixel further, the bottom edge does not.
        canvas.Rectangle(pr.Left, pr.Top, pr.Right + 1, pr.Bottom);
    } else if (View3DWalls() && backWall_->Size() > 0) {
        canvas.Cube(pr.Left - CalcWallSize(*LeftAxis()), pr.Right, pr.Top, pr.Bottom + CalcWallSize(*BottomAxis()),
                    TotalDepth(), TotalDepth() + backWall_->Size(), backWall_->ApplyDark3D());
    } else {
        canvas.RectangleWithZ(fw::Rect(pr.Left + 1, pr.Top - 1, pr.Right, pr.Bottom), TotalDepth());
    }

    if (!BackImage().Empty() && BackImageInside()) {
        fw::TRect inside = pr;
        if (backWall_->Pen().Visible()) {
            ++inside.Top;
            --inside.Bottom;
        }
        DrawBackImage(inside, TotalDepth());
    }

    if (!View3D() || !View3DWalls()) return;
    const int32_t bottomWallSize = CalcWallSize(*BottomAxis());
    PrepareWall(*leftWall_);
    if (leftWall_->Size() < 1) {
        canvas.RectangleZ(pr.Left, pr.Top, pr.Bottom + bottomWallSize, 0, TotalDepth() + 1);
    } else {
        canvas.Cube(pr.Left - leftWall_->Size(), pr.Left, pr.Top, pr.Bottom + bottomWallSize, 0, TotalDepth() + 1,
                    leftWall_->ApplyDark3D());
    }
    PrepareWall(*bottomWall_);
    if (bottomWall_->Size() < 1) {
        canvas.RectangleY(pr.Left, pr.Bottom, pr.Right, 0, TotalDepth());
    } else {
        canvas.Cube(pr.Left, pr.Right, pr.Bottom, pr.Bottom + bottomWall_->Size(), 0, TotalDepth(),
                    bottomWall_->ApplyDark3D());
    }
}

}  // namespace chart
