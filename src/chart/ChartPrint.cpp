// Printing of a chart on the application's printer.
#include <algorithm>

#include "chart/ChartCanvas3D.h"
#include "chart/CustomChartPanel.h"
#include "framework/core/Rounding.h"
#include "framework/gui/CanvasMapping.h"
#include "framework/gui/Printer.h"

namespace chart {

void TCustomChartPanel::Print() { PrintRect(ChartPrintRect()); }

void TCustomChartPanel::PrintPortrait() { PrintOrientation(fw::poPortrait); }

void TCustomChartPanel::PrintLandscape() { PrintOrientation(fw::poLandscape); }

void TCustomChartPanel::PrintOrientation(fw::TPrinterOrientation orientation) {
    fw::TPrinter& printer = fw::Printer();
    const fw::TPrinterOrientation saved = printer.Orientation();
    printer.SetOrientation(orientation);
    try {
        Print();
    } catch (...) {
        printer.SetOrientation(saved);
        throw;
    }
    printer.SetOrientation(saved);
}

fw::TRect TCustomChartPanel::CalcProportionalMargins() const {
    const fw::TPrinter& printer = fw::Printer();
    const long double pageW = std::max(printer.PageWidth(), 1);
    const long double pageH = std::max(printer.PageHeight(), 1);
    const fw::TPoint size = ClientSize();
    const long double w = std::max(size.X, 1);
    const long double h = std::max(size.Y, 1);
    fw::TRect m = printMargins_;
    // Keep the margins across the control's longer side, and centre the
    // printout along the other one at the control's proportions.
    auto centred = [](long double usedPercent) {
        return static_cast<int32_t>(std::max<long double>(0, (100 - usedPercent) / 2));
    };
    if (w > h) {
        const long double printedW = pageW * (100 - m.Left - m.Right) / 100;
        m.Top = m.Bottom = centred(printedW * h / w * 100 / pageH);
    } else {
        const long double printedH = pageH * (100 - m.Top - m.Bottom) / 100;
        m.Left = m.Right = centred(printedH * w / h * 100 / pageW);
    }
    return m;
}

fw::TRect TCustomChartPanel::ChartPrintRect() {
    if (printProportional_) printMargins_ = CalcProportionalMargins();
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
    const bool clip = CanClip();
    if (clip) canvas.Surface().SelectClipRect(logical);
    try {
        DrawToMetaCanvas(canvas, logical);
    } catch (...) {
        if (clip) canvas.Surface().RemoveClip();
        isPrinting_ = false;
        throw;
    }
    if (clip) canvas.Surface().RemoveClip();
    isPrinting_ = false;
}

}  // namespace chart
