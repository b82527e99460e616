#pragma once
// The chart canvas on the framework's drawing surface. In 2D its coordinates
// are device pixels; in 3D every point goes through an orthogonal or a
// rotated projection. A paint normally draws into an off-screen bitmap that
// is then copied to the window in one block, and an exposure with nothing
// changed only copies it again.

#include <memory>
#include <vector>

#include "chart/canvas/ChartCanvasBase.h"

namespace chart {

class TChartCanvas3D : public TCanvas3D {
public:
    TChartCanvas3D() = default;

    // ---- TChartCanvas ----
    fw::TColor GetBackColor() const override;
    TCanvasBackMode GetBackMode() const override;
    fw::TDrawSurface& GetHandle() const override { return target_->Handle(); }
    bool GetMonochrome() const override { return monochrome_; }
    uint32_t GetTextAlign() const override;
    bool GetUseBuffer() const override { return useBuffer_; }
    void SetBackColor(fw::TColor color) override;
    void SetBackMode(TCanvasBackMode mode) override;
    void SetMonochrome(bool value) override;
    void SetPixel(int32_t x, int32_t y, fw::TColor color) override;
    void SetTextAlign(uint32_t flags) override;
    void SetUseBuffer(bool value) override;
    void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) override;
    void Draw(int32_t x, int32_t y, const fw::TBitmap& graphic) override;
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void FillRect(const fw::TRect& rect) override;
    void Frame3D(fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) override;
    void LineTo(int32_t x, int32_t y) override;
    void MoveTo(int32_t x, int32_t y) override;
    void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) override;
    void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
    void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) override;
    void StretchDraw(const fw::TRect& rect, const fw::TBitmap& graphic) override;
    void TextOut(int32_t x, int32_t y, const std::string& text) override;
    void ClipRectangle(const fw::TRect& rect) override;
    void DoHorizLine(int32_t x0, int32_t x1, int32_t y) override;
    void DoRectangle(const fw::TRect& rect) override;
    void DoVertLine(int32_t x, int32_t y0, int32_t y1) override;
    void EraseBackground(const fw::TRect& rect) override;
    void GradientFill(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                      TGradientDirection direction) override;
    void Invalidate() override { bufferDirty_ = true; }
    void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
    void Polygon(std::span<const fw::TPoint> points) override;
    void RotateLabel(int32_t x, int32_t y, const std::string& text, int32_t angle) override;
    void UnClipRectangle() override;

    // ---- TCanvas3D ----
    void SetPixel3D(int32_t x, int32_t y, int32_t z, fw::TColor color) override;
    bool GetSupportsFullRotation() const override { return false; }
    bool GetSupports3DText() const override { return false; }
    void Calculate2DPosition(int32_t& x, int32_t& y, int32_t z) const override;
    fw::TPoint Calculate3DPosition(int32_t x, int32_t y, int32_t z) const override;
    fw::TRect InitWindow(fw::TCanvas* destination, TView3DOptions* options, fw::TColor backColor, bool is3D,
                         const fw::TRect& rect) override;
    // Copies Monochrome only.
    void Assign(const TCanvas3D& source) override;
    void Projection(int32_t depth, const fw::TRect& bounds, const fw::TRect& rect) override;
    void ShowImage(fw::TCanvas* destination, fw::TCanvas* windowCanvas, const fw::TRect& rect) override;
    bool ReDrawBitmap() override;
    void Arrow(bool filled, const fw::TPoint& from, const fw::TPoint& to, int32_t headWidth, int32_t headLength,
               int32_t z) override;
    void ClipCube(const fw::TRect& rect, int32_t minZ, int32_t maxZ) override;
    void Cube(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1, bool shade) override;
    void Cylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0, int32_t z1,
                  bool dark3D) override;
    void HorizLine3D(int32_t left, int32_t right, int32_t y, int32_t z) override;
    void VertLine3D(int32_t x, int32_t top, int32_t bottom, int32_t z) override;
    void ZLine3D(int32_t x, int32_t y, int32_t z0, int32_t z1) override;
    void EllipseWithZ(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) override;
    void FrontPlaneBegin() override;
    void FrontPlaneEnd() override;
    void LineWithZ(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t z) override;
    void MoveTo3D(int32_t x, int32_t y, int32_t z) override;
    void LineTo3D(int32_t x, int32_t y, int32_t z) override;
    void Pie3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius, int32_t z0, int32_t z1,
               double startAngle, double endAngle, bool darkSides, bool drawSides) override;
    void Plane3D(const fw::TPoint& p1, const fw::TPoint& p2, int32_t z0, int32_t z1) override;
    void PlaneWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, const fw::TPoint& p4,
                    int32_t z) override;
    void PlaneFour3D(const TFourPoints& points, int32_t z0, int32_t z1) override;
    void Pyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0, int32_t z1,
                 bool shade) override;
    void RectangleWithZ(const fw::TRect& rect, int32_t z) override;
    void RectangleY(int32_t left, int32_t top, int32_t right, int32_t z0, int32_t z1) override;
    void RectangleZ(int32_t left, int32_t top, int32_t bottom, int32_t z0, int32_t z1) override;
    void RotateLabel3D(int32_t x, int32_t y, int32_t z, const std::string& text, int32_t angle) override;
    void TextOut3D(int32_t x, int32_t y, int32_t z, const std::string& text) override;
    void TriangleWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, int32_t z) override;

    // ---- projection on points ----
    void Calc3DPos(int32_t& x, int32_t& y, int32_t z) const;
    void Calc3DPoint(fw::TPoint& p, int32_t x, int32_t y, int32_t z) const;
    void Calc3DTPoint(fw::TPoint& p, int32_t z) const;
    fw::TPoint Calc3DTPoint3D(const TPoint3D& p) const;

    // One block copy of the whole buffer onto canvas at (left, top).
    void TransferBitmap(int32_t left, int32_t top, fw::TCanvas& canvas);

    // State read by the panel and by tests.
    bool Is3DActive() const { return is3DActive_; }
    bool OrthogonalActive() const { return orthogonalActive_; }
    bool ZoomTextActive() const { return zoomTextActive_; }
    void SetZoomTextActive(bool value) { zoomTextActive_ = value; }
    double ScaleFactor() const { return scaleFactor_; }
    double PerspectiveFactor() const { return perspectiveFactor_; }
    const fw::TBitmap* BufferBitmap() const { return bufferBitmap_.get(); }
    bool BufferDirty() const { return bufferDirty_; }
    const fw::TRect& BufferBounds() const { return bufferBounds_; }
    TView3DOptions* Options() const { return options_; }

private:
    struct Rotation {
        double Kxx = 1, Kxy = 0, Kxz = 0;
        double Kyx = 0, Kyy = 1, Kyz = 0;
        double Px = 0, Py = 0, Pz = 1;
    };

    void CalcRotation();
    fw::TPoint Project(int32_t x, int32_t y, int32_t z) const;
    // A polygon of projected points with the current pen and brush.
    void ProjectedPolygon(std::span<const TPoint3D> points);
    // Draws a face of a solid when it faces the viewer (its projected corners
    // run clockwise on screen); always when mustDraw. Answers whether drawn.
    bool Face(std::span<const TPoint3D> corners, bool mustDraw);
    // Runs draw with the brush (solid) or background colour darkened.
    void WithDarkerFill(bool shade, int32_t quantity, fw::TColor base, const std::function<void()>& draw);
    // The device's current font with another escapement and, when text
    // follows the 3D zoom, the zoomed size: for one output.
    fw::TLogFont ZoomedFont(int32_t escapement) const;

    TView3DOptions* options_ = nullptr;
    bool is3DActive_ = false;
    bool saved3DActive_ = false;
    bool orthogonalActive_ = false;
    bool zoomTextActive_ = true;
    double scaleFactor_ = 1.0;
    double perspectiveFactor_ = 0.0;
    int32_t projCenterX_ = 0, projCenterY_ = 0, projCenterZ_ = 0;
    int32_t projOriginX_ = 0, projOriginY_ = 0;
    Rotation k_;

    std::unique_ptr<fw::TBitmap> bufferBitmap_;
    bool useBuffer_ = true;
    bool monochrome_ = false;
    bool bufferDirty_ = true;
    fw::TRect bufferBounds_;
};

}  // namespace chart
