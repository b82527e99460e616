// Printing of a chart on the application's printer.
#include <algorithm>

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/panel/CustomChartPanel.h"
#include "framework/core/Rounding.h"
#include "framework/core/ScopeExit.h"
#include "framework/gui/paint/CanvasMapping.h"
#include "framework/gui/paint/Printer.h"

namespace chart {

void TCustomChartPanel::Print() { PrintRect(ChartPrintRect()); }

void TCustomChartPanel::PrintPortrait() { PrintOrientation(fw::poPortrait); }

void TCustomChartPanel::PrintLandscape() { PrintOrientation(fw::poLandscape); }

void TCustomChartPanel::PrintOrientation(fw::TPrinterOrientation orientation) {
    fw::TPrinter& printer = fw::Printer();
    const fw::TPrinterOrientation saved = printer.Orientation();
    printer.SetOrientation(orientation);
    const fw::ScopeExit restore([&] { printer.SetOrientation(saved); });
    Print();
}

fw::TRect TCustomChartPanel::ProportionalPrintRect() const {
    const fw::TPrinter& printer = fw::Printer();
    const int32_t pageW = std::max(printer.PageWidth(), 1);
    const int32_t pageH = std::max(printer.PageHeight(), 1);
    const fw::TPoint size = ClientSize();
    const long double w = std::max(size.X, 1);
    const long double h = std::max(size.Y, 1);
    // The margins across the control's longer side stay; the printout is
    // centred along the other side at the control's proportions. Should that
    // not fit on the page, the same margins are kept along the other side.
    auto fit = [](int32_t page, int32_t marginA, int32_t marginB, int32_t otherPage, long double ratio, int32_t& a0,
                  int32_t& a1, int32_t& b0, int32_t& b1) {
        a0 = fw::MulDiv(page, marginA, 100);
        a1 = page - fw::MulDiv(page, marginB, 100);
        const auto other = static_cast<int32_t>(fw::Round((a1 - a0) * ratio));
        if (other > otherPage) return false;
        b0 = (otherPage - other) / 2;
        b1 = b0 + other;
        return true;
    };
    fw::TRect r;
    const fw::TRect& m = printMargins_;
    if (w > h) {
        if (!fit(pageW, m.Left, m.Right, pageH, h / w, r.Left, r.Right, r.Top, r.Bottom)) {
            fit(pageH, m.Left, m.Right, pageW, w / h, r.Top, r.Bottom, r.Left, r.Right);
        }
    } else if (!fit(pageH, m.Top, m.Bottom, pageW, w / h, r.Top, r.Bottom, r.Left, r.Right)) {
        fit(pageW, m.Top, m.Bottom, pageH, h / w, r.Left, r.Right, r.Top, r.Bottom);
    }
    return r;
}

fw::TRect TCustomChartPanel::CalcProportionalMargins() const {
    const fw::TPrinter& printer = fw::Printer();
    const int32_t pageW = std::max(printer.PageWidth(), 1);
    const int32_t pageH = std::max(printer.PageHeight(), 1);
    const fw::TRect r = ProportionalPrintRect();
    return fw::Rect(fw::MulDiv(r.Left, 100, pageW), fw::MulDiv(r.Top, 100, pageH),
                    fw::MulDiv(pageW - r.Right, 100, pageW), fw::MulDiv(pageH - r.Bottom, 100, pageH));
}

fw::TRect TCustomChartPanel::ChartPrintRect() {
    if (printProportional_) {
        // The margins are kept in whole percent; the rectangle itself is
        // exact, so that the printout keeps the control's proportions.
        const fw::TRect r = ProportionalPrintRect();
        printMargins_ = CalcProportionalMargins();
        return r;
    }
    const fw::TPrinter& printer = fw::Printer();
    const int32_t pageW = printer.PageWidth();
    const int32_t pageH = printer.PageHeight();
    return fw::Rect(fw::MulDiv(pageW, printMargins_.Left, 100), fw::MulDiv(pageH, printMargins_.Top, 100),
                    pageW - fw::MulDiv(pageW, printMargins_.Right, 100),
                    pageH - fw::MulDiv(pageH, printMargins_.Bottom, 100));
}

void TCustomChartPanel::PrintRect(const fw::TRect& rect) {
    fw::TPrinter& printer = fw::Printer();
    printer.Title = name_;
    printer.BeginDoc();
    try {
        PrintPartial(rect);
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        throw;
    }
    printer.EndDoc();
}

void TCustomChartPanel::PrintPartial(const fw::TRect& rect) { PrintPartialCanvas(fw::Printer().Canvas(), rect); }

void TCustomChartPanel::PrintPartialCanvas(fw::TCanvas& canvas, const fw::TRect& rect) {
    const fw::TPoint size = ClientSize();
    // A positive resolution gives the chart fewer logical pixels on the page,
    // so its texts and lines come out larger.
    const int32_t w = size.X - fw::MulDiv(size.X, printResolution_, 100);
    const int32_t h = size.Y - fw::MulDiv(size.Y, printResolution_, 100);
    const fw::TRect logical = fw::Rect(0, 0, w, h);
    fw::TCanvasMapping mapping(canvas, w, h, rect);
    isPrinting_ = true;
    const fw::ScopeExit endPrinting([&] { isPrinting_ = false; });
    const bool clip = CanClip();
    if (clip) canvas.Surface().SelectClipRect(logical);
    const fw::ScopeExit unclip([&] {
        if (clip) canvas.Surface().RemoveClip();
    });
    DrawToMetaCanvas(canvas, logical);
}

}  // namespace chart
