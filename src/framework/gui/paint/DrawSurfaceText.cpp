// Text on the drawing surface: fonts, extents and aligned, rotated output.
#include <QFontInfo>
#include <cmath>

#include "framework/gui/paint/DrawSurface.h"

namespace fw {

namespace {

// A cell height (positive font height) as the pixel size of the em square.
int PixelSizeForCellHeight(const QFont& font, int32_t cellHeight) {
    QFont probe(font);
    probe.setPixelSize(100);
    const QFontMetricsF m(probe);
    const qreal cell = m.ascent() + m.descent();
    return cell > 0 ? static_cast<int>(std::lround(cellHeight * 100 / cell)) : cellHeight;
}

// A height of 0 asks for the device's usual text size.
constexpr int kDefaultPixelSize = 13;

}  // namespace

const TDrawSurface::FontCache& TDrawSurface::Fonts() const {
    if (!fontCache_) {
        QFont f(QString::fromStdString(font_.FaceName));
        f.setBold(font_.Bold);
        f.setItalic(font_.Italic);
        f.setUnderline(font_.Underline);
        f.setStrikeOut(font_.StrikeOut);
        f.setKerning(false);
        // Whole-pixel glyph advances: a text is as wide as its glyphs added up.
        f.setHintingPreference(QFont::PreferFullHinting);
        f.setStyleStrategy(monochrome_ ? QFont::NoAntialias : QFont::PreferDefault);
        int px = kDefaultPixelSize;
        if (font_.Height < 0) px = -font_.Height;
        if (font_.Height > 0) px = PixelSizeForCellHeight(f, font_.Height);
        f.setPixelSize(std::max(1, px));
        if (external_ && external_->device())
            fontCache_.reset(new FontCache{f, QFontMetrics(f, external_->device())});
        else
            fontCache_.reset(new FontCache{f, QFontMetrics(f)});
    }
    return *fontCache_;
}

TTextMetrics TDrawSurface::TextMetrics() const {
    if (!HasTarget()) return {};
    const QFontMetrics& m = Fonts().Metrics;
    return {m.ascent(), m.descent()};
}

TPoint TDrawSurface::TextExtent(const std::string& text) const {
    if (!HasTarget()) return {};
    const QFontMetrics& m = Fonts().Metrics;
    return {m.horizontalAdvance(QString::fromStdString(text)), m.ascent() + m.descent()};
}

void TDrawSurface::TextOut(int32_t x, int32_t y, const std::string& text) {
    if (text.empty() || !HasTarget()) return;
    const FontCache& fonts = Fonts();
    const QString qtext = QString::fromStdString(text);
    const int32_t width = fonts.Metrics.horizontalAdvance(qtext);
    const int32_t ascent = fonts.Metrics.ascent();
    const int32_t height = ascent + fonts.Metrics.descent();

    // The text box relative to the reference point, in the text's own frame.
    int32_t dx = 0, dy = 0;
    switch (textAlign_ & TA_HORIZONTAL_MASK) {
    case TA_RIGHT: dx = -width; break;
    case TA_CENTER: dx = -(width / 2); break;
    default: break;
    }
    switch (textAlign_ & TA_VERTICAL_MASK) {
    case TA_BOTTOM: dy = -height; break;
    case TA_BASELINE: dy = -ascent; break;
    default: break;
    }
    const QFont font = fonts.Font;
    WithPainter(QPainter::CompositionMode_SourceOver, [&](QPainter& p) {
        p.translate(x, y);
        if (font_.Escapement % 3600 != 0) p.rotate(-font_.Escapement / 10.0);
        if (bkMode_ == bkOpaque) p.fillRect(QRect(dx, dy, width, height), QColor::fromRgb(DrawColor(bkColor_)));
        p.setBackgroundMode(Qt::TransparentMode);
        p.setFont(font);
        p.setPen(QColor::fromRgb(DrawColor(textColor_)));
        p.drawText(QPoint(dx, dy + ascent), qtext);
    });
}

}  // namespace fw
