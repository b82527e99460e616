#pragma once
// The chart's drawing interface. TChartCanvas draws on a framework canvas
// (the target) whose pen, brush and font are the drawing state; TCanvas3D
// adds depth, projection and off-screen buffering. Both leave every drawing
// operation to an implementation (TChartCanvas3D). The target is borrowed:
// the canvas never frees it.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "chart/style/ChartPens.h"
#include "chart/style/ChartGradient.h"
#include "framework/core/Geometry.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/Canvas.h"

namespace chart {

class TView3DOptions;

struct TPoint3D {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Z = 0;
    friend constexpr bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

// Background modes, equal to the device's numbers.
enum TCanvasBackMode : int32_t { cbmNone = 0, cbmTransparent = 1, cbmOpaque = 2 };

using TFourPoints = std::array<fw::TPoint, 4>;
using TTrianglePoints = std::array<fw::TPoint, 3>;

class TChartCanvas {
public:
    TChartCanvas() = default;
    virtual ~TChartCanvas() = default;
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;

    // ---- state shared by every implementation ----
    // Draw on target from now on (nullptr: on nothing).
    void SetCanvas(fw::TCanvas* target) { target_ = target ? target : &nowhere_; }
    fw::TCanvas& ReferenceCanvas() const { return *target_; }
    fw::TPen& Pen() const { return target_->Pen(); }
    fw::TBrush& Brush() const { return target_->Brush(); }
    fw::TFont& Font() const { return target_->Font(); }
    bool DrawingToMetafile = false;

    // Back to the start-of-paint state: black solid one-pixel pen, white
    // solid brush, black 10-point font, white transparent background.
    void ResetState();
    // Applies a chart pen to the target pen: an invisible pen draws nothing;
    // one-pixel SmallDots set every other pixel; any other pen is copied.
    void AssignVisiblePen(const TChartPen& pen);
    // The height of "W" in the current font.
    int32_t FontHeight() { return TextHeight("W"); }

    // Properties over the virtual accessors.
    fw::TColor BackColor() const { return GetBackColor(); }
    TCanvasBackMode BackMode() const { return GetBackMode(); }
    uint32_t TextAlign() const { return GetTextAlign(); }
    bool Monochrome() const { return GetMonochrome(); }
    bool UseBuffer() const { return GetUseBuffer(); }
    fw::TDrawSurface& Handle() const { return GetHandle(); }

    // ---- the drawing interface, in slot order ----
    virtual fw::TColor GetBackColor() const = 0;
    virtual TCanvasBackMode GetBackMode() const = 0;
    virtual fw::TDrawSurface& GetHandle() const = 0;
    virtual bool GetMonochrome() const = 0;
    virtual uint32_t GetTextAlign() const = 0;
    virtual bool GetUseBuffer() const = 0;
    virtual void SetBackColor(fw::TColor color) = 0;
    virtual void SetBackMode(TCanvasBackMode mode) = 0;
    virtual void SetMonochrome(bool value) = 0;
    virtual void SetPixel(int32_t x, int32_t y, fw::TColor color) = 0;
    virtual void SetTextAlign(uint32_t flags) = 0;
    virtual void SetUseBuffer(bool value) = 0;
    virtual void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                     int32_t y4) = 0;
    virtual void Draw(int32_t x, int32_t y, const fw::TBitmap& graphic) = 0;
    virtual void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    virtual void FillRect(const fw::TRect& rect) = 0;
    // Width nested one-pixel frames: top and left in topColor, bottom and
    // right in bottomColor. On return rect has shrunk by width on every side.
    virtual void Frame3D(fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) = 0;
    virtual void LineTo(int32_t x, int32_t y) = 0;
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    virtual void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                     int32_t y4) = 0;
    virtual void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) = 0;
    virtual void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) = 0;
    virtual void StretchDraw(const fw::TRect& rect, const fw::TBitmap& graphic) = 0;
    virtual void TextOut(int32_t x, int32_t y, const std::string& text) = 0;
    // Extent of text in the current font; 0 when it cannot be measured.
    virtual int32_t TextWidth(const std::string& text);
    virtual int32_t TextHeight(const std::string& text);
    virtual void ClipRectangle(const fw::TRect& rect) = 0;
    virtual void DoHorizLine(int32_t x0, int32_t x1, int32_t y) = 0;
    virtual void DoRectangle(const fw::TRect& rect) = 0;
    virtual void DoVertLine(int32_t x, int32_t y0, int32_t y1) = 0;
    virtual void EraseBackground(const fw::TRect& rect) = 0;
    virtual void GradientFill(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                              TGradientDirection direction) = 0;
    virtual void Invalidate() = 0;
    virtual void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) = 0;
    virtual void Polygon(std::span<const fw::TPoint> points) = 0;
    // Text turned counter-clockwise by angle degrees.
    virtual void RotateLabel(int32_t x, int32_t y, const std::string& text, int32_t angle) = 0;
    virtual void UnClipRectangle() = 0;

protected:
    fw::TCanvas* target_ = &nowhere_;

private:
    fw::TCanvas nowhere_;  // the target before any is given: draws nothing
};

class TCanvas3D : public TChartCanvas {
public:
    virtual void SetPixel3D(int32_t x, int32_t y, int32_t z, fw::TColor color) = 0;
    virtual bool GetSupportsFullRotation() const = 0;
    virtual bool GetSupports3DText() const = 0;
    // Screen point back to chart coordinates at depth z.
    virtual void Calculate2DPosition(int32_t& x, int32_t& y, int32_t z) const = 0;
    virtual fw::TPoint Calculate3DPosition(int32_t x, int32_t y, int32_t z) const = 0;
    // Starts a paint on destination; answers the rectangle to draw in.
    virtual fw::TRect InitWindow(fw::TCanvas* destination, TView3DOptions* options, fw::TColor backColor, bool is3D,
                                 const fw::TRect& rect) = 0;
    virtual void Assign(const TCanvas3D& source) = 0;
    virtual void Projection(int32_t depth, const fw::TRect& bounds, const fw::TRect& rect) = 0;
    // Ends a paint: shows the picture on destination, then targets windowCanvas.
    virtual void ShowImage(fw::TCanvas* destination, fw::TCanvas* windowCanvas, const fw::TRect& rect) = 0;
    // Puts the last picture back on the target when it is still valid.
    virtual bool ReDrawBitmap() = 0;
    virtual void Arrow(bool filled, const fw::TPoint& from, const fw::TPoint& to, int32_t headWidth, int32_t headLength,
                       int32_t z) = 0;
    virtual void ClipCube(const fw::TRect& rect, int32_t minZ, int32_t maxZ) = 0;
    virtual void Cube(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1, bool shade) = 0;
    virtual void Cylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                          int32_t z1, bool dark3D) = 0;
    virtual void HorizLine3D(int32_t left, int32_t right, int32_t y, int32_t z) = 0;
    virtual void VertLine3D(int32_t x, int32_t top, int32_t bottom, int32_t z) = 0;
    virtual void ZLine3D(int32_t x, int32_t y, int32_t z0, int32_t z1) = 0;
    virtual void EllipseWithZ(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) = 0;
    virtual void FrontPlaneBegin() = 0;
    virtual void FrontPlaneEnd() = 0;
    virtual void LineWithZ(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t z) = 0;
    virtual void MoveTo3D(int32_t x, int32_t y, int32_t z) = 0;
    virtual void LineTo3D(int32_t x, int32_t y, int32_t z) = 0;
    // A pie slice of depth z0 ... z1 between two angles in degrees,
    // counter-clockwise from three o'clock.
    virtual void Pie3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius, int32_t z0, int32_t z1,
                       double startAngle, double endAngle, bool darkSides, bool drawSides) = 0;
    virtual void Plane3D(const fw::TPoint& p1, const fw::TPoint& p2, int32_t z0, int32_t z1) = 0;
    virtual void PlaneWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, const fw::TPoint& p4,
                            int32_t z) = 0;
    virtual void PlaneFour3D(const TFourPoints& points, int32_t z0, int32_t z1) = 0;
    virtual void Pyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                         int32_t z1, bool shade) = 0;
    virtual void RectangleWithZ(const fw::TRect& rect, int32_t z) = 0;
    virtual void RectangleY(int32_t left, int32_t top, int32_t right, int32_t z0, int32_t z1) = 0;
    virtual void RectangleZ(int32_t left, int32_t top, int32_t bottom, int32_t z0, int32_t z1) = 0;
    virtual void RotateLabel3D(int32_t x, int32_t y, int32_t z, const std::string& text, int32_t angle) = 0;
    virtual void TextOut3D(int32_t x, int32_t y, int32_t z, const std::string& text) = 0;
    virtual void TriangleWithZ(const fw::TPoint& p1, const fw::TPoint& p2, const fw::TPoint& p3, int32_t z) = 0;

    bool SupportsFullRotation() const { return GetSupportsFullRotation(); }
    bool Supports3DText() const { return GetSupports3DText(); }
};

}  // namespace chart
