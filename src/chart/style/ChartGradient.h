#pragma once
// The panel background gradient: two colours laid along one of seven
// directions when visible.

#include <cstdint>

#include "chart/base/ChartProperty.h"
#include "framework/core/Colors.h"
#include "framework/core/Persistent.h"

namespace chart {

enum TGradientDirection : uint8_t {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
};

class TCustomChartGradient : public fw::TPersistent {
public:
    // repaint: the owning panel's repaint request; may be empty (no owner).
    explicit TCustomChartGradient(TRepaintRequest repaint = {}) : repaint_(std::move(repaint)) {}

    std::string ClassName() const override { return "TCustomChartGradient"; }
    void Assign(const fw::TPersistent& source) override;

    TGradientDirection Direction() const { return direction_; }
    fw::TColor EndColor() const { return endColor_; }
    fw::TColor StartColor() const { return startColor_; }
    bool Visible() const { return visible_; }

    void SetDirection(TGradientDirection value) { SetChartProperty(direction_, value, repaint_); }
    void SetEndColor(fw::TColor value) { SetChartProperty(endColor_, value, repaint_); }
    void SetStartColor(fw::TColor value) { SetChartProperty(startColor_, value, repaint_); }
    void SetVisible(bool value) { SetChartProperty(visible_, value, repaint_); }

private:
    TRepaintRequest repaint_;
    TGradientDirection direction_ = gdTopBottom;
    fw::TColor endColor_ = fw::clYellow;
    fw::TColor startColor_ = fw::clWhite;
    bool visible_ = false;
};

// The published kind, as the panel's Gradient.
class TChartGradient : public TCustomChartGradient {
public:
    using TCustomChartGradient::TCustomChartGradient;
    std::string ClassName() const override { return "TChartGradient"; }
};

}  // namespace chart
