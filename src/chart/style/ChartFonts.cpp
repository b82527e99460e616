#include "chart/style/ChartFonts.h"

#include "framework/gui/paint/Screen.h"

namespace chart {

namespace {

// The chart's text resources for its font.
constexpr const char* kDefaultFontNameText = "Arial";
constexpr const char* kDefaultFontSizeText = "8";

}  // namespace

std::string GetDefaultFontName() {
    const std::string name = kDefaultFontNameText;
    if (name == "Arial" && fw::IsJapaneseLocale()) return fw::DefaultFontName();
    return name;
}

int32_t GetDefaultFontSize() {
    int32_t size = std::stoi(kDefaultFontSizeText);
    CheckJapaneseFontSize(size);
    return size;
}

void CheckJapaneseFontSize(int32_t& size) {
    if (size == 8 && fw::IsJapaneseLocale()) size = fw::DefaultFontPoints();
}

int32_t GetScreenLogPixels() { return fw::ScreenPixelsPerInch(); }

void ApplyDefaultFont(fw::TFont& font) {
    font.SetName(GetDefaultFontName());
    font.SetSize(GetDefaultFontSize());
    font.SetColor(fw::clBlack);
    font.SetStyle({});
    font.SetCharset(fw::DEFAULT_CHARSET);
}

std::unique_ptr<fw::TFont> CreateDefaultFont(fw::TNotifyEvent onChange, int32_t pixelsPerInch) {
    auto font = std::make_unique<fw::TFont>();
    font->SetPixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : GetScreenLogPixels());
    ApplyDefaultFont(*font);
    font->OnChange = std::move(onChange);
    return font;
}

bool IsDefaultFont(const fw::TFont& font) {
    return font.Size() == GetDefaultFontSize() && font.Name() == GetDefaultFontName() && font.Color() == fw::clBlack &&
           font.Style().Empty() && font.Charset() == fw::DEFAULT_CHARSET;
}

}  // namespace chart
