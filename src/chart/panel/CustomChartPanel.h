#pragma once
// TCustomChartPanel: the drawing surface of a chart. It owns the chart canvas
// (PanelCanvas, normally drawing into an off-screen bitmap) and the 3D view
// options, keeps the panel and plot rectangles of the current repaint, turns
// repaint requests into paints of its window, and exports and prints itself.
// What is drawn inside the panel is left to the levels above (InternalDraw).
//
// The panel is a plain object. On screen it lives in a window through the
// IControlHost seam; without a window it still draws into bitmaps, vector
// files and printers.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/base/ChartProperty.h"
#include "chart/panel/ZoomPanningRecord.h"
#include "framework/core/Colors.h"
#include "framework/core/Geometry.h"
#include "framework/gui/paint/Canvas.h"
#include "framework/gui/window/HostedControl.h"

namespace fw {
class TBitmap;
class TBrush;
class TFont;
class TMetafile;
class TPen;
class TPersistent;
enum TBrushStyle : uint8_t;
enum TPrinterOrientation : uint8_t;
}  // namespace fw

namespace chart {

class TChartCanvas3D;
class TView3DOptions;

// The framework panel's bevels.
enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

using TChartMouseEvent = std::function<void(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y)>;
using TChartMouseMoveEvent = std::function<void(fw::TShiftState shift, int32_t x, int32_t y)>;

inline constexpr int32_t DefaultChartWidth = 400;
inline constexpr int32_t DefaultChartHeight = 250;

class TCustomChartPanel : public fw::IHostedControl {
public:
    virtual ~TCustomChartPanel();
    TCustomChartPanel(const TCustomChartPanel&) = delete;
    TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

    // Copies the panel's own settings from source.
    virtual void Assign(const TCustomChartPanel& source);
    // The class name a stored layout creates the chart by.
    virtual std::string ClassName() const = 0;

    // ---- The control ----------------------------------------------------------
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    // The window the panel lives in (none: it only draws off screen).
    fw::IControlHost* Host() const { return host_; }
    void SetHost(fw::IControlHost* host);
    int32_t Left() const { return bounds_.Left; }
    int32_t Top() const { return bounds_.Top; }
    int32_t Width() const { return bounds_.Width(); }
    int32_t Height() const { return bounds_.Height(); }
    // Where the control sits in its parent; its window follows it.
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    // The client area: the window's when there is one, else the bounds' size.
    fw::TPoint ClientSize() const;
    fw::TCursor Cursor() const { return cursor_; }
    void SetCursor(fw::TCursor value);
    // Called after a stored layout was read into the panel.
    virtual void Loaded();
    bool IsLoading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }

    // ---- Framework panel look ---------------------------------------------------
    fw::TColor Color() const { return color_; }
    void SetColor(fw::TColor value) { SetColorProperty(color_, value); }
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value) { SetProperty(bevelInner_, value); }
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value) { SetProperty(bevelOuter_, value); }
    int32_t BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int32_t value);
    int32_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int32_t value);

    // ---- Panel settings -------------------------------------------------------------
    bool View3D() const { return view3D_; }
    void SetView3D(bool value) { SetBooleanProperty(view3D_, value); }
    TView3DOptions& View3DOptions() const { return *view3DOptions_; }
    int32_t Chart3DPercent() const { return chart3DPercent_; }
    // ChartException outside 1 ... 100; the old value stays.
    void SetChart3DPercent(int32_t value);
    int32_t MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(int32_t value) { SetIntegerProperty(marginLeft_, value); }
    int32_t MarginTop() const { return marginTop_; }
    void SetMarginTop(int32_t value) { SetIntegerProperty(marginTop_, value); }
    int32_t MarginRight() const { return marginRight_; }
    void SetMarginRight(int32_t value) { SetIntegerProperty(marginRight_, value); }
    int32_t MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(int32_t value) { SetIntegerProperty(marginBottom_, value); }
    bool StackSeriesInDepth() const { return stackSeriesInDepth_; }
    void SetStackSeriesInDepth(bool value) { SetBooleanProperty(stackSeriesInDepth_, value); }
    // The PanelCanvas' off-screen bitmap.
    bool BufferedDisplay() const;
    void SetBufferedDisplay(bool value);
    bool Monochrome() const;
    void SetMonochrome(bool value);

    // ---- Geometry of the current repaint ------------------------------------------
    const fw::TRect& PanelBounds() const { return panelBounds_; }
    fw::TRect PlotRect() const { return plotRect_; }
    void SetPlotRect(const fw::TRect& value) { plotRect_ = value; }
    int32_t PlotWidth() const { return plotWidth_; }
    int32_t PlotHeight() const { return plotHeight_; }
    int32_t PlotXCenter() const { return plotXCenter_; }
    int32_t PlotYCenter() const { return plotYCenter_; }
    int32_t TotalRise() const { return totalRise_; }
    int32_t TotalDepth() const { return totalDepth_; }
    // Keeps PlotRect inside PanelBounds and not empty, and derives its size
    // and centre.
    void ReCalcWidthHeight();

    // ---- Canvas ---------------------------------------------------------------------
    TChartCanvas3D& Canvas() { return *panelCanvas_; }
    // The window's canvas (an unbound one while the panel has no window).
    fw::TCanvas& ControlCanvas();
    // Replaces the PanelCanvas (nullptr is ignored); the new one keeps the
    // old one's Monochrome.
    void SetInternalCanvas(std::unique_ptr<TChartCanvas3D> canvas);
    // Selects font into the canvas; it first takes the canvas font's pixels
    // per inch.
    void FontCanvas(fw::TFont& font);
    // Widest line of text (lines split at ChartLineSeparator) and the number
    // of lines.
    int32_t MultiLineTextWidth(const std::string& text, int32_t& numLines);
    // The canvas brush and background for a filled shape; a hatch whose
    // colour equals its background is drawn black (white on black).
    void SetBrushCanvas(fw::TColor color, fw::TBrushStyle style, fw::TColor backColor);
    // While printing, a one-pixel dotted pen becomes zero-width.
    void CheckPenWidth(fw::TPen& pen);
    // Series may be clipped to the plot rectangle on this surface.
    bool CanClip() const;
    bool IsScreenHighColor() const;
    virtual fw::TRect GetRectangle() const;

    // ---- Repaints -------------------------------------------------------------------
    // The window's paint: copies the buffer when it is still valid, else
    // draws everything.
    void Paint();
    // Draws the whole chart onto canvas inside rect.
    virtual void Draw(fw::TCanvas& canvas, const fw::TRect& rect);
    // A repaint request: marks the buffer invalid and asks the window for a
    // paint (nothing while repaints are not enabled).
    void Invalidate();
    // A paint now, through the window, of a freshly drawn picture (nothing
    // while repaints are not enabled).
    void Repaint();
    // Change notification target of the pens, brushes, fonts and pictures
    // the chart owns.
    virtual void CanvasChanged(fw::TPersistent* sender);
    bool RepaintEnabled() const { return repaintEnabled_; }
    bool IsPrinting() const { return isPrinting_; }

    // ---- Export ----------------------------------------------------------------------
    // A bitmap of rect's size with the chart drawn into it.
    std::unique_ptr<fw::TBitmap> ChartCreateBitmap(fw::TColor backColor, const fw::TRect& rect);
    // PNG, or BMP when the file name ends in ".bmp".
    void SaveToBitmapFile(const std::string& fileName);
    void CopyToClipboardBitmap();
    // A vector drawing of the chart one pixel smaller than rect each way.
    std::unique_ptr<fw::TMetafile> ChartCreateMetafile(bool enhanced, const fw::TRect& rect);
    // SVG.
    void SaveToMetafile(const std::string& fileName);
    // PDF.
    void SaveToMetafileEnh(const std::string& fileName);
    void SaveToMetafileRect(bool enhanced, const std::string& fileName, const fw::TRect& rect);
    // SVG on the clipboard.
    void CopyToClipboardMetafile(bool enhanced);
    // Draws unbuffered onto a vector or printer canvas.
    void DrawToMetaCanvas(fw::TCanvas& canvas, const fw::TRect& rect);

    // ---- Printing --------------------------------------------------------------------
    bool PrintProportional() const { return printProportional_; }
    void SetPrintProportional(bool value) { printProportional_ = value; }
    int32_t PrintResolution() const { return printResolution_; }
    void SetPrintResolution(int32_t value) { printResolution_ = value; }
    // Left, top, right and bottom margins in percent of the page.
    const fw::TRect& PrintMargins() const { return printMargins_; }
    void SetPrintMargins(const fw::TRect& value) { printMargins_ = value; }
    void Print();
    void PrintPortrait();
    void PrintLandscape();
    void PrintOrientation(fw::TPrinterOrientation orientation);
    // One print job with the chart in rect (printer pixels).
    void PrintRect(const fw::TRect& rect);
    // The chart into rect of the running job's page.
    void PrintPartial(const fw::TRect& rect);
    // The chart's rectangle mapped onto rect of canvas.
    void PrintPartialCanvas(fw::TCanvas& canvas, const fw::TRect& rect);
    // The printer rectangle from the print margins.
    fw::TRect ChartPrintRect();
    // Margins that keep the control's proportions on the page.
    fw::TRect CalcProportionalMargins() const;

    // ---- Mouse drags -------------------------------------------------------------------
    TZoomPanningRecord ZoomState;
    TZoomPanningRecord PanState;
    // The cursor the control had when loaded; restored when the mouse leaves.
    fw::TCursor SavedCursor() const { return savedCursor_; }
    // The zoom rectangle outline, inverting what lies under it.
    void DrawZoomRectangle();

    // The framework control's mouse events.
    TChartMouseEvent OnMouseDown;
    TChartMouseMoveEvent OnMouseMove;
    TChartMouseEvent OnMouseUp;

    // ---- The window's side of the seam ---------------------------------------------
    void HostPaint() override;
    void HostResized() override;
    void HostMouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;
    void HostMouseMove(fw::TShiftState shift, int32_t x, int32_t y) override;
    void HostMouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;
    void HostMouseLeave() override;
    void HostDestroyed() override;

    // ---- Shared setters: store a changed value, then request a repaint ------------
    void SetBooleanProperty(bool& field, bool value) { SetProperty(field, value); }
    void SetColorProperty(fw::TColor& field, fw::TColor value) { SetProperty(field, value); }
    void SetIntegerProperty(int32_t& field, int32_t value) { SetProperty(field, value); }

protected:
    TCustomChartPanel();

    template <typename T>
    void SetProperty(T& field, const T& value) {
        StoreIfChanged(field, value, [this] { Invalidate(); });
    }

    // Everything inside the panel, Rect being PanelBounds.
    virtual void InternalDraw(const fw::TRect& rect) = 0;
    // Outer bevel, border and inner bevel of the framework panel.
    virtual void DrawPanelBevels(const fw::TRect& rect);

    // The framework control's mouse handling: fires its events.
    virtual void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y);
    virtual void MouseMove(fw::TShiftState shift, int32_t x, int32_t y);
    virtual void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y);

    void SetTotalDepth(int32_t rise, int32_t depth) {
        totalRise_ = rise;
        totalDepth_ = depth;
    }
    void SetRepaintEnabled(bool value) { repaintEnabled_ = value; }

private:
    // The printer rectangle at the control's proportions within the margins.
    fw::TRect ProportionalPrintRect() const;
    // Draws onto canvas with the PanelCanvas' buffer switched off meanwhile.
    void DrawUnbuffered(fw::TCanvas& canvas, const fw::TRect& rect);

    std::string name_;
    fw::IControlHost* host_ = nullptr;
    fw::TCanvas ownControlCanvas_;
    fw::TRect bounds_ = fw::Rect(0, 0, DefaultChartWidth, DefaultChartHeight);
    fw::TCursor cursor_ = fw::crDefault;
    fw::TCursor savedCursor_ = fw::crDefault;
    bool loading_ = false;

    fw::TColor color_ = fw::clBtnFace;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int32_t bevelWidth_ = 1;
    int32_t borderWidth_ = 0;

    std::unique_ptr<TView3DOptions> view3DOptions_;
    std::unique_ptr<TChartCanvas3D> panelCanvas_;
    bool view3D_ = true;
    int32_t chart3DPercent_ = 15;
    int32_t marginLeft_ = 3;
    int32_t marginTop_ = 4;
    int32_t marginRight_ = 3;
    int32_t marginBottom_ = 4;
    bool stackSeriesInDepth_ = true;

    fw::TRect panelBounds_;
    fw::TRect plotRect_;
    int32_t plotWidth_ = 0;
    int32_t plotHeight_ = 0;
    int32_t plotXCenter_ = 0;
    int32_t plotYCenter_ = 0;
    int32_t totalRise_ = 0;
    int32_t totalDepth_ = 0;

    bool printProportional_ = true;
    int32_t printResolution_ = 0;
    fw::TRect printMargins_ = fw::Rect(15, 15, 15, 15);
    bool isPrinting_ = false;
    bool repaintEnabled_ = false;
    // Invalidate has reached the host and nothing has drawn since.
    bool repaintRequested_ = false;
};

}  // namespace chart
