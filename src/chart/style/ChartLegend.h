#pragma once
// The chart legend's settings. Only Visible and Vertical take part in the
// drawing order; the rest are kept and stored for layouts that set them.

#include <cstdint>
#include <vector>

#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartPens.h"
#include "chart/base/ChartProperty.h"
#include "framework/core/Geometry.h"

namespace chart {

enum TLegendAlignment : uint8_t { laLeft, laRight, laTop, laBottom };
enum TLegendStyle : uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle : uint8_t {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
};

class TChartLegend : public TChartFontObject {
public:
    explicit TChartLegend(TRepaintRequest repaint = {});

    std::string ClassName() const override { return "TChartLegend"; }
    void Assign(const fw::TPersistent& source) override;

    // Beside the plot (left or right) rather than above or below it.
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }

    TLegendAlignment Alignment() const { return alignment_; }
    TChartBrush& Brush() { return brush_; }
    fw::TColor Color() const { return color_; }
    int32_t ColorWidth() const { return colorWidth_; }
    TChartHiddenPen& DividingLines() { return dividingLines_; }
    int32_t FirstValue() const { return firstValue_; }
    TChartPen& Frame() { return frame_; }
    int32_t HorizMargin() const { return horizMargin_; }
    bool Inverted() const { return inverted_; }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    int32_t MaxNumRows() const { return maxNumRows_; }
    bool ResizeChart() const { return resizeChart_; }
    fw::TColor ShadowColor() const { return shadowColor_; }
    int32_t ShadowSize() const { return shadowSize_; }
    TLegendTextStyle TextStyle() const { return textStyle_; }
    int32_t TopPos() const { return topPos_; }
    int32_t VertMargin() const { return vertMargin_; }
    bool Visible() const { return visible_; }

    void SetAlignment(TLegendAlignment v) { SetProperty(alignment_, v); }
    void SetBrush(const fw::TBrush& v) { brush_.Assign(v); }
    void SetColor(fw::TColor v) { SetProperty(color_, v); }
    void SetColorWidth(int32_t v) { SetProperty(colorWidth_, v); }
    void SetDividingLines(const fw::TPen& v) { dividingLines_.Assign(v); }
    void SetFirstValue(int32_t v) { SetProperty(firstValue_, v); }
    void SetFrame(const fw::TPen& v) { frame_.Assign(v); }
    void SetHorizMargin(int32_t v) { SetProperty(horizMargin_, v); }
    void SetInverted(bool v) { SetProperty(inverted_, v); }
    void SetLegendStyle(TLegendStyle v) { SetProperty(legendStyle_, v); }
    void SetMaxNumRows(int32_t v) { SetProperty(maxNumRows_, v); }
    void SetResizeChart(bool v) { SetProperty(resizeChart_, v); }
    void SetShadowColor(fw::TColor v) { SetProperty(shadowColor_, v); }
    void SetShadowSize(int32_t v) { SetProperty(shadowSize_, v); }
    void SetTextStyle(TLegendTextStyle v) { SetProperty(textStyle_, v); }
    void SetTopPos(int32_t v) { SetProperty(topPos_, v); }
    void SetVertMargin(int32_t v) { SetProperty(vertMargin_, v); }
    void SetVisible(bool v) { SetProperty(visible_, v); }

    // The item under (x, y) in the last repaint, or -1.
    int32_t Clicked(int32_t x, int32_t y) const;
    // The rectangles of the items drawn by the last repaint, in item order.
    void ClearItemBoxes() { itemBoxes_.clear(); }
    void AddItemBox(const fw::TRect& box) { itemBoxes_.push_back(box); }

private:
    std::vector<fw::TRect> itemBoxes_;
    TLegendAlignment alignment_ = laRight;
    TChartBrush brush_;
    fw::TColor color_ = fw::clWhite;
    int32_t colorWidth_ = 12;
    TChartHiddenPen dividingLines_;
    int32_t firstValue_ = 0;
    TChartPen frame_;
    int32_t horizMargin_ = 0;
    bool inverted_ = false;
    TLegendStyle legendStyle_ = lsAuto;
    int32_t maxNumRows_ = 10;
    bool resizeChart_ = true;
    fw::TColor shadowColor_ = fw::clBlack;
    int32_t shadowSize_ = 3;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    int32_t topPos_ = 10;
    int32_t vertMargin_ = 0;
    bool visible_ = true;
};

}  // namespace chart
