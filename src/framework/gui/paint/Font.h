#pragma once
// The framework font. Its size lives as a pixel height: negative for the
// character height (the em square), positive for the cell height. Size() in
// points follows from the height and the font's pixels per inch.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/core/Colors.h"
#include "framework/gui/paint/GraphicsObject.h"

namespace fw {

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles) bits_ |= Bit(s);
    }
    constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TFontStyles With(TFontStyle s) const { return FromBits(bits_ | Bit(s)); }
    constexpr TFontStyles Without(TFontStyle s) const { return FromBits(bits_ & ~Bit(s)); }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << s); }
    static constexpr TFontStyles FromBits(int bits) {
        TFontStyles r;
        r.bits_ = static_cast<uint8_t>(bits);
        return r;
    }
    uint8_t bits_ = 0;
};

using TFontCharset = uint8_t;
constexpr TFontCharset DEFAULT_CHARSET = 1;

// The framework's default font: the running application's font family.
std::string DefaultFontName();
// The default font's size in points at the screen's resolution; 8 without a
// running GUI application.
int32_t DefaultFontPoints();
// Whether the user's locale is Japanese, whose glyphs want other font defaults.
bool IsJapaneseLocale();

class TFont : public TGraphicsObject {
public:
    TFont();
    explicit TFont(TNotifyEvent onChange);
    TFont(const TFont&) = default;
    TFont& operator=(const TFont&) = default;

    std::string ClassName() const override { return "TFont"; }
    // Copies name, height, style, character set and colour. A source with
    // other pixels per inch gives its point size, not its pixel height.
    void Assign(const TPersistent& source) override;

    const std::string& Name() const { return name_; }
    int32_t Height() const { return height_; }
    int32_t Size() const;
    int32_t PixelsPerInch() const { return pixelsPerInch_; }
    TColor Color() const { return color_; }
    TFontStyles Style() const { return style_; }
    TFontCharset Charset() const { return charset_; }

    void SetName(const std::string& value) { SetAndNotify(name_, value); }
    void SetHeight(int32_t value) { SetAndNotify(height_, value); }
    void SetSize(int32_t points);
    // Changes how Size() reads the height; the height (and so the drawn
    // text) stays, so nobody is told.
    void SetPixelsPerInch(int32_t value) {
        if (value > 0) pixelsPerInch_ = value;
    }
    void SetColor(TColor value) { SetAndNotify(color_, value); }
    void SetStyle(TFontStyles value) { SetAndNotify(style_, value); }
    void SetCharset(TFontCharset value) { SetAndNotify(charset_, value); }

private:
    std::string name_;
    int32_t height_;
    int32_t pixelsPerInch_;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
};

}  // namespace fw
