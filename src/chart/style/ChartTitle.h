#pragma once
// A title band of the chart (its Title at the top, its Foot at the bottom):
// lines of text in their own font, optionally filled and framed.

#include <string>
#include <vector>

#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartPens.h"
#include "chart/base/ChartProperty.h"
#include "framework/core/Geometry.h"

namespace chart {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TChartTitle : public TChartFontObject {
public:
    explicit TChartTitle(TRepaintRequest repaint = {});

    std::string ClassName() const override { return "TChartTitle"; }
    void Assign(const fw::TPersistent& source) override;

    bool AdjustFrame() const { return adjustFrame_; }
    TAlignment Alignment() const { return alignment_; }
    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }
    fw::TColor Color() const { return color_; }
    TChartHiddenPen& Frame() { return frame_; }
    const TChartHiddenPen& Frame() const { return frame_; }
    const std::vector<std::string>& Text() const { return text_; }
    bool Visible() const { return visible_; }

    void SetAdjustFrame(bool value) { SetProperty(adjustFrame_, value); }
    void SetAlignment(TAlignment value) { SetProperty(alignment_, value); }
    void SetBrush(const fw::TBrush& value) { brush_.Assign(value); }
    void SetColor(fw::TColor value) { SetProperty(color_, value); }
    void SetFrame(const fw::TPen& value) { frame_.Assign(value); }
    void SetText(const std::vector<std::string>& lines) { SetProperty(text_, lines); }
    void SetVisible(bool value) { SetProperty(visible_, value); }

    // The font colour and style that count as default for this title; the
    // foot of a chart inside a form designer makes them red and italic.
    fw::TColor BaseFontColor() const { return baseFontColor_; }
    fw::TFontStyles BaseFontStyle() const { return baseFontStyle_; }
    void SetBaseFont(fw::TColor color, fw::TFontStyles style) {
        baseFontColor_ = color;
        baseFontStyle_ = style;
    }

    // Another font name is always stored; with the default name, only a
    // size, colour or style other than the title's own defaults is.
    bool IsFontStored() const override;

    // Where the band was drawn last, for hit tests.
    const fw::TRect& TitleBox() const { return titleBox_; }
    void SetTitleBox(const fw::TRect& box) { titleBox_ = box; }
    // A visible title whose last box holds (x, y).
    bool Clicked(int32_t x, int32_t y) const;

private:
    bool adjustFrame_ = true;
    TAlignment alignment_ = taCenter;
    TChartBrush brush_;
    fw::TColor color_ = fw::clChartDefault;
    TChartHiddenPen frame_;
    std::vector<std::string> text_;
    bool visible_ = true;
    fw::TColor baseFontColor_ = fw::clBlue;
    fw::TFontStyles baseFontStyle_;
    fw::TRect titleBox_;
};

}  // namespace chart
