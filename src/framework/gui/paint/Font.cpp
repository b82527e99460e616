#include "framework/gui/paint/Font.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>

#include "framework/core/Rounding.h"
#include "framework/gui/paint/Screen.h"

namespace fw {

namespace {

constexpr int32_t kDefaultPoints = 8;

}  // namespace

std::string DefaultFontName() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return "Arial";
    return QGuiApplication::font().family().toStdString();
}

int32_t DefaultFontPoints() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 8;
    const QFont font = QGuiApplication::font();
    if (font.pointSize() > 0) return font.pointSize();
    return font.pixelSize() * 72 / ScreenPixelsPerInch();
}

bool IsJapaneseLocale() { return QLocale().language() == QLocale::Japanese; }

TFont::TFont() : TFont(TNotifyEvent{}) {}

TFont::TFont(TNotifyEvent onChange)
    : TGraphicsObject(std::move(onChange)), name_(DefaultFontName()), pixelsPerInch_(ScreenPixelsPerInch()) {
    height_ = -MulDiv(kDefaultPoints, pixelsPerInch_, 72);
}

int32_t TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::Assign(const TPersistent& source) {
    const auto* font = dynamic_cast<const TFont*>(&source);
    if (!font) {
        TPersistent::Assign(source);
        return;
    }
    const int32_t height =
        font->pixelsPerInch_ == pixelsPerInch_ ? font->height_ : -MulDiv(font->Size(), pixelsPerInch_, 72);
    if (name_ == font->name_ && height_ == height && style_ == font->style_ && charset_ == font->charset_ &&
        color_ == font->color_)
        return;
    name_ = font->name_;
    height_ = height;
    style_ = font->style_;
    charset_ = font->charset_;
    color_ = font->color_;
    Changed();
}

}  // namespace fw
