#include "chart/canvas/ChartCanvas3D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/CanvasUtils.h"
#include "chart/style/View3DOptions.h"
#include "framework/core/Rounding.h"

namespace chart {

namespace {

// The rounded pixel moved by a whole offset; a coordinate that is not a number
// or lies beyond the pixel range is drawn at the range's edge rather than raising.
int32_t RoundPixelPlus(long double v, int64_t offset) {
    return fw::SaturateToInt32(int64_t{fw::RoundSaturated(v)} + offset);
}

}  // namespace

// ---- device state ----
// Reaching the device brings the target's pen, brush and font up to date
// first, so a background mode set here wins over the brush chosen before.

fw::TColor TChartCanvas3D::GetBackColor() const { return target_->Handle().BkColor(); }

TCanvasBackMode TChartCanvas3D::GetBackMode() const { return static_cast<TCanvasBackMode>(target_->Handle().BkMode()); }

uint32_t TChartCanvas3D::GetTextAlign() const { return target_->Handle().TextAlign(); }

void TChartCanvas3D::SetBackColor(fw::TColor color) { target_->Handle().SetBkColor(color); }

void TChartCanvas3D::SetBackMode(TCanvasBackMode mode) { target_->Handle().SetBkMode(mode); }

void TChartCanvas3D::SetTextAlign(uint32_t flags) { target_->Handle().SetTextAlign(flags); }

void TChartCanvas3D::SetMonochrome(bool value) {
    if (monochrome_ == value) return;
    monochrome_ = value;
    bufferBitmap_.reset();
    bufferDirty_ = true;
    if (options_) options_->Repaint();
}

void TChartCanvas3D::SetUseBuffer(bool value) {
    useBuffer_ = value;
    if (!value) {
        bufferBitmap_.reset();
        bufferDirty_ = true;
    }
}

void TChartCanvas3D::Assign(const TCanvas3D& source) { SetMonochrome(source.Monochrome()); }

// ---- buffering ----

fw::TRect TChartCanvas3D::InitWindow(fw::TCanvas* destination, TView3DOptions* options, fw::TColor /*backColor*/,
                                     bool is3D, const fw::TRect& rect) {
    bufferBounds_ = rect;
    options_ = options;
    is3DActive_ = is3D;
    orthogonalActive_ = false;
    scaleFactor_ = 1.0;
    if (is3D) {
        if (options_) {
            orthogonalActive_ = options_->Orthogonal();
            scaleFactor_ = options_->Zoom() * 0.01;
            zoomTextActive_ = options_->ZoomText();
        }
        if (!orthogonalActive_) CalcRotation();
    }
    if (!useBuffer_) {
        SetCanvas(destination);
        return rect;
    }
    int32_t w = 0, h = 0;
    RectSize(rect, w, h);
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (bufferBitmap_ && (bufferBitmap_->Width() != w || bufferBitmap_->Height() != h)) bufferBitmap_.reset();
    if (!bufferBitmap_) {
        bufferBitmap_ = std::make_unique<fw::TBitmap>();
        bufferBitmap_->SetMonochrome(monochrome_);
        bufferBitmap_->SetSize(w, h);
    }
    SetCanvas(&bufferBitmap_->Canvas());
    return {0, 0, w, h};
}

void TChartCanvas3D::ShowImage(fw::TCanvas* destination, fw::TCanvas* windowCanvas, const fw::TRect& rect) {
    if (useBuffer_) {
        if (destination) TransferBitmap(rect.Left, rect.Top, *destination);
        bufferDirty_ = false;
    }
    SetCanvas(windowCanvas);
}

void TChartCanvas3D::TransferBitmap(int32_t left, int32_t top, fw::TCanvas& canvas) {
    if (!bufferBitmap_ || bufferBitmap_->Empty() || &canvas == &bufferBitmap_->Canvas()) return;
    canvas.Handle().BitBlt(left, top, bufferBitmap_->Image(), {0, 0, bufferBitmap_->Width(), bufferBitmap_->Height()});
}

bool TChartCanvas3D::ReDrawBitmap() {
    // Without a picture there is nothing to put back, whatever the flag says.
    if (bufferDirty_ || !bufferBitmap_) return false;
    TransferBitmap(0, 0, *target_);
    return true;
}

// ---- projection ----

void TChartCanvas3D::CalcRotation() {
    const double toRad = std::numbers::pi / 180;
    double r = 0, e = 0, t = 0;
    if (options_) {
        r = options_->Rotation() * toRad;
        e = options_->Elevation() * toRad;
        t = options_->Tilt() * toRad;
    }
    double sR, cR, sE, cE, sT, cT;
    SinCos(r, sR, cR);
    SinCos(e, sE, cE);
    SinCos(t, sT, cT);
    k_.Kxx = std::max(sR * sE * sT + cR * cT, 0.00001);
    k_.Kxy = cE * sT;
    k_.Kxz = cR * sE * sT - cT * sR;
    k_.Kyx = cT * sR * sE - cR * sT;
    k_.Kyy = std::max(cE * cT, 0.00001);
    k_.Kyz = cR * cT * sE + sR * sT;
    k_.Px = cE * sR;
    k_.Py = sE;
    k_.Pz = cR * cE;
    perspectiveFactor_ = 0;
}

void TChartCanvas3D::Projection(int32_t depth, const fw::TRect& /*bounds*/, const fw::TRect& rect) {
    RectCenter(rect, projCenterX_, projCenterY_);
    projCenterZ_ = depth / 2;
    projOriginX_ = projCenterX_;
    projOriginY_ = projCenterY_;
    if (options_) {
        projOriginX_ += options_->HorizOffset();
        projOriginY_ += options_->VertOffset();
        if (options_->Perspective() > 0) perspectiveFactor_ = options_->Perspective() / 35000.0;
    }
}

void TChartCanvas3D::Calc3DPos(int32_t& x, int32_t& y, int32_t z) const {
    if (orthogonalActive_) {
        x = RoundPixelPlus((static_cast<long double>(x) - projCenterX_ + z) * scaleFactor_, projOriginX_);
        y = RoundPixelPlus((static_cast<long double>(y) - projCenterY_ - z) * scaleFactor_, projOriginY_);
        return;
    }
    if (!is3DActive_) return;
    const long double px = static_cast<long double>(x) - projCenterX_;
    const long double py = static_cast<long double>(y) - projCenterY_;
    const long double pz = static_cast<long double>(z) - projCenterZ_;
    long double f = scaleFactor_;
    if (perspectiveFactor_ > 0) f = (1 - (px * k_.Px - py * k_.Py + pz * k_.Pz) * perspectiveFactor_) * scaleFactor_;
    x = RoundPixelPlus((px * k_.Kxx + py * k_.Kxy + pz * k_.Kxz) * f, projOriginX_);
    y = RoundPixelPlus((px * k_.Kyx + py * k_.Kyy + pz * k_.Kyz) * f, projOriginY_);
}

fw::TPoint TChartCanvas3D::Project(int32_t x, int32_t y, int32_t z) const {
    Calc3DPos(x, y, z);
    return {x, y};
}

void TChartCanvas3D::Calc3DPoint(fw::TPoint& p, int32_t x, int32_t y, int32_t z) const { p = Project(x, y, z); }

void TChartCanvas3D::Calc3DTPoint(fw::TPoint& p, int32_t z) const { p = Project(p.X, p.Y, z); }

fw::TPoint TChartCanvas3D::Calc3DTPoint3D(const TPoint3D& p) const { return Project(p.X, p.Y, p.Z); }

fw::TPoint TChartCanvas3D::Calculate3DPosition(int32_t x, int32_t y, int32_t z) const { return Project(x, y, z); }

void TChartCanvas3D::Calculate2DPosition(int32_t& x, int32_t& y, int32_t z) const {
    if (scaleFactor_ == 0) return;
    const long double k = 1.0L / scaleFactor_;
    if (orthogonalActive_) {
        x = RoundPixelPlus(k * (static_cast<long double>(x) - projOriginX_), int64_t{projCenterX_} - z);
        y = RoundPixelPlus(k * (static_cast<long double>(y) - projOriginY_), int64_t{projCenterY_} + z);
        return;
    }
    if (!is3DActive_ || k_.Kxx == 0 || k_.Kyy == 0) return;
    const long double x0 = x, y0 = y, pz = static_cast<long double>(z) - projCenterZ_;
    x = RoundPixelPlus((k * (x0 - projOriginX_) - pz * k_.Kxz - (y0 - projCenterY_) * k_.Kxy) / k_.Kxx, projCenterX_);
    y = RoundPixelPlus((k * (y0 - projOriginY_) - pz * k_.Kyz - (x0 - projCenterX_) * k_.Kyx) / k_.Kyy, projCenterY_);
}

void TChartCanvas3D::FrontPlaneBegin() {
    saved3DActive_ = is3DActive_;
    is3DActive_ = false;
}

void TChartCanvas3D::FrontPlaneEnd() { is3DActive_ = saved3DActive_; }

// ---- 2D primitives ----

void TChartCanvas3D::SetPixel(int32_t x, int32_t y, fw::TColor color) { target_->SetPixel(x, y, color); }

void TChartCanvas3D::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                         int32_t y4) {
    target_->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::Draw(int32_t x, int32_t y, const fw::TBitmap& graphic) { target_->Draw(x, y, graphic); }

void TChartCanvas3D::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { target_->Ellipse(x1, y1, x2, y2); }

void TChartCanvas3D::FillRect(const fw::TRect& rect) { target_->FillRect(rect); }

void TChartCanvas3D::EraseBackground(const fw::TRect& rect) { target_->FillRect(rect); }

void TChartCanvas3D::LineTo(int32_t x, int32_t y) { target_->Handle().LineTo(x, y); }

void TChartCanvas3D::MoveTo(int32_t x, int32_t y) { target_->Surface().MoveTo(x, y); }

void TChartCanvas3D::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    fw::TDrawSurface& dc = target_->Handle();
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

void TChartCanvas3D::DoHorizLine(int32_t x0, int32_t x1, int32_t y) { Line(x0, y, x1, y); }

void TChartCanvas3D::DoVertLine(int32_t x, int32_t y0, int32_t y1) { Line(x, y0, x, y1); }

void TChartCanvas3D::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                         int32_t y4) {
    target_->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { target_->Rectangle(x0, y0, x1, y1); }

void TChartCanvas3D::DoRectangle(const fw::TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }

void TChartCanvas3D::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    target_->RoundRect(x1, y1, x2, y2, x3, y3);
}

void TChartCanvas3D::StretchDraw(const fw::TRect& rect, const fw::TBitmap& graphic) {
    target_->StretchDraw(rect, graphic);
}

void TChartCanvas3D::Polygon(std::span<const fw::TPoint> points) { target_->Polygon(points); }

// ---- clipping ----

void TChartCanvas3D::ClipRectangle(const fw::TRect& rect) { ClipCanvas(*target_, rect); }

void TChartCanvas3D::UnClipRectangle() { UnClipCanvas(*target_); }

void TChartCanvas3D::ClipCube(const fw::TRect& rect, int32_t minZ, int32_t maxZ) {
    if (!is3DActive_) {
        // Inside the one-pixel frame the panel draws around its plot.
        ClipRectangle({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
        return;
    }
    // The outline of the projected box: the convex hull of its corners.
    std::vector<fw::TPoint> corners;
    for (int32_t x : {rect.Left, rect.Right})
        for (int32_t y : {rect.Top, rect.Bottom})
            for (int32_t z : {minZ, maxZ}) corners.push_back(Project(x, y, z));
    std::sort(corners.begin(), corners.end(),
              [](const fw::TPoint& a, const fw::TPoint& b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
    auto cross = [](const fw::TPoint& o, const fw::TPoint& a, const fw::TPoint& b) {
        return (int64_t{a.X} - o.X) * (int64_t{b.Y} - o.Y) - (int64_t{a.Y} - o.Y) * (int64_t{b.X} - o.X);
    };
    std::vector<fw::TPoint> hull(2 * corners.size());
    size_t k = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], corners[i]) <= 0) --k;
        hull[k++] = corners[i];
    }
    for (size_t i = corners.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], corners[i]) <= 0) --k;
        hull[k++] = corners[i];
    }
    hull.resize(k > 1 ? k - 1 : k);
    target_->Surface().SelectClipPolygon(hull);
}

// ---- lines in depth ----

void TChartCanvas3D::SetPixel3D(int32_t x, int32_t y, int32_t z, fw::TColor color) {
    Calc3DPos(x, y, z);
    if (Pen().Width() <= 1) {
        SetPixel(x, y, color);
        return;
    }
    Pen().SetColor(color);
    Line(x, y, x, y);
}

void TChartCanvas3D::MoveTo3D(int32_t x, int32_t y, int32_t z) {
    Calc3DPos(x, y, z);
    MoveTo(x, y);
}

void TChartCanvas3D::LineTo3D(int32_t x, int32_t y, int32_t z) {
    Calc3DPos(x, y, z);
    LineTo(x, y);
}

void TChartCanvas3D::LineWithZ(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t z) {
    Calc3DPos(x0, y0, z);
    Calc3DPos(x1, y1, z);
    Line(x0, y0, x1, y1);
}

void TChartCanvas3D::HorizLine3D(int32_t left, int32_t right, int32_t y, int32_t z) { LineWithZ(left, y, right, y, z); }

void TChartCanvas3D::VertLine3D(int32_t x, int32_t top, int32_t bottom, int32_t z) { LineWithZ(x, top, x, bottom, z); }

void TChartCanvas3D::ZLine3D(int32_t x, int32_t y, int32_t z0, int32_t z1) {
    const fw::TPoint a = Project(x, y, z0), b = Project(x, y, z1);
    Line(a.X, a.Y, b.X, b.Y);
}

// ---- flat figures in depth ----

void TChartCanvas3D::ProjectedPolygon(std::span<const TPoint3D> points) {
    std::vector<fw::TPoint> projected;
    projected.reserve(points.size());
    for (const TPoint3D& p : points) projected.push_back(Project(p.X, p.Y, p.Z));
    Polygon(projected);
}

void TChartCanvas3D::RectangleWithZ(const fw::TRect& r, int32_t z) {
    const TPoint3D corners[] = {{r.Left, r.Top, z}, {r.Right, r.Top, z}, {r.Right, r.Bottom, z}, {r.Left, r.Bottom, z}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::PlaneWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, const fw::TPoint& p4,
                                int32_t z) {
    const TPoint3D corners[] = {{p1.X, p1.Y, z}, {p2.X, p2.Y, z}, {p3.X, p3.Y, z}, {p4.X, p4.Y, z}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::TriangleWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, int32_t z) {
    const TPoint3D corners[] = {{p1.X, p1.Y, z}, {p2.X, p2.Y, z}, {p3.X, p3.Y, z}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::Plane3D(const fw::TPoint& p1, const fw::TPoint& p2, int32_t z0, int32_t z1) {
    const TPoint3D corners[] = {{p1.X, p1.Y, z0}, {p2.X, p2.Y, z0}, {p2.X, p2.Y, z1}, {p1.X, p1.Y, z1}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::PlaneFour3D(const TFourPoints& p, int32_t z0, int32_t z1) {
    const TPoint3D corners[] = {{p[0].X, p[0].Y, z0}, {p[1].X, p[1].Y, z0}, {p[2].X, p[2].Y, z1}, {p[3].X, p[3].Y, z1}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::RectangleY(int32_t left, int32_t top, int32_t right, int32_t z0, int32_t z1) {
    const TPoint3D corners[] = {{left, top, z0}, {right, top, z0}, {right, top, z1}, {left, top, z1}};
    ProjectedPolygon(corners);
}

void TChartCanvas3D::RectangleZ(int32_t left, int32_t top, int32_t bottom, int32_t z0, int32_t z1) {
    const TPoint3D corners[] = {{left, top, z0}, {left, top, z1}, {left, bottom, z1}, {left, bottom, z0}};
    ProjectedPolygon(corners);
}

}  // namespace chart
