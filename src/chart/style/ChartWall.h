#pragma once
// A wall of the chart (back, left, bottom): a framed, filled plane behind or
// beside the plot. Each wall keeps the colour it started with, which decides
// whether its Color needs storing.

#include "chart/style/ChartPens.h"
#include "chart/base/ChartProperty.h"
#include "framework/core/Persistent.h"

namespace chart {

class TChartWall : public fw::TPersistent {
public:
    explicit TChartWall(TRepaintRequest repaint = {});

    std::string ClassName() const override { return "TChartWall"; }
    void Assign(const fw::TPersistent& source) override;

    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }
    TChartPen& Pen() { return pen_; }
    const TChartPen& Pen() const { return pen_; }
    fw::TColor Color() const { return color_; }
    bool Dark3D() const { return dark3D_; }
    int32_t Size() const { return size_; }

    // Copy value into the owned brush or pen.
    void SetBrush(const fw::TBrush& value) { brush_.Assign(value); }
    void SetPen(const fw::TPen& value) { pen_.Assign(value); }
    void SetColor(fw::TColor value) { SetChartProperty(color_, value, repaint_); }
    void SetDark3D(bool value) { SetChartProperty(dark3D_, value, repaint_); }
    void SetSize(int32_t value) { SetChartProperty(size_, value, repaint_); }

    // The chart records each wall's own default colour after creating it.
    fw::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(fw::TColor value) { defaultColor_ = value; }
    bool IsColorStored() const { return color_ != defaultColor_; }

    // Shaded sides in 3D: a visible brush without bitmap, and Dark3D.
    bool ApplyDark3D() const { return brush_.Style() != fw::bsClear && !brush_.Bitmap() && dark3D_; }

private:
    TRepaintRequest repaint_;
    TChartBrush brush_;
    TChartPen pen_;
    fw::TColor color_ = fw::clChartDefault;
    fw::TColor defaultColor_ = fw::clChartDefault;
    bool dark3D_ = true;
    int32_t size_ = 0;
};

}  // namespace chart
