#include "framework/gui/paint/Canvas.h"

#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/SystemColors.h"

namespace fw {

TCanvas::TCanvas() {
    pen_.OnChange = [this](TPersistent*) { penDirty_ = true; };
    brush_.OnChange = [this](TPersistent*) { brushDirty_ = true; };
    font_.OnChange = [this](TPersistent*) { fontDirty_ = true; };
}

void TCanvas::SelectObjects() {
    if (penDirty_) {
        penDirty_ = false;
        surface_.SelectPen({ColorToRGB(pen_.Color()), pen_.Width(), pen_.Style(), pen_.Mode()});
    }
    if (brushDirty_) {
        brushDirty_ = false;
        const TBitmap* pattern = brush_.Bitmap();
        const TColor color = ColorToRGB(brush_.Color());
        surface_.SelectBrush({color, brush_.Style(), pattern && !pattern->Empty() ? &pattern->Image() : nullptr});
        surface_.SetBkColor(color);
        surface_.SetBkMode(brush_.Style() == bsSolid ? bkOpaque : bkTransparent);
    }
    if (!fontDirty_) return;
    fontDirty_ = false;
    TLogFont font;
    font.FaceName = font_.Name();
    font.Height = font_.Height();
    font.Bold = font_.Style().Contains(fsBold);
    font.Italic = font_.Style().Contains(fsItalic);
    font.Underline = font_.Style().Contains(fsUnderline);
    font.StrikeOut = font_.Style().Contains(fsStrikeOut);
    font.Charset = font_.Charset();
    surface_.SelectFont(font);
    surface_.SetTextColor(ColorToRGB(font_.Color()));
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) { Handle().SetPixel(x, y, ColorToRGB(color)); }

void TCanvas::Draw(int32_t x, int32_t y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    Handle().BitBlt(x, y, bitmap.Image(), {0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    Handle().StretchBlt(r, bitmap.Image());
}

}  // namespace fw
